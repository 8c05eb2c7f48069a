// The colours an event's letters are drawn in, read from its text before libass draws it: the
// text colour and, where the letters have an outline or a box, the outline colour, each with
// how many letters ask for it. They decide a DVD picture's inks and the palette's entries.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace lumelle {

// What a style gives its letters before any override: colours as libass holds them
// (0xRRGGBBAA, AA the transparency) and whether the letters have an outline (or box).
struct AssStyleLook
{
    std::uint32_t text = 0xFFFFFF00u;
    std::uint32_t outline = 0x00000000u;
    bool outlined = true;
};

// A stretch of letters of one look.
struct AssColourRun
{
    std::uint32_t text = 0;
    std::optional<std::uint32_t> outline; // none when the letters have no outline
    std::size_t letters = 0;
};

// The runs of `text` in order: the style's look until an override sets \c (\1c), \3c or
// \bord; a bare \c or \3c takes the style's colour again and \r the style's whole look.
// Blanks and line breaks are no letters; a stretch without letters gives no run.
std::vector<AssColourRun> AssColourRuns(const std::string& text, const AssStyleLook& style);

} // namespace lumelle
