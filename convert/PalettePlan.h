// The palette of a whole stream: a DVD picture shows four colours (the transparent background
// and three inks) chosen from 16 for the whole file. The window's three colours and the
// background take the first four entries; the text and outline colours the pictures ask for
// besides them fill the rest, most used first. Any picture source counts what it draws and the
// writer takes the plan.
#pragma once

#include "platform/Colour.h"

#include <cstddef>
#include <map>
#include <optional>
#include <vector>

namespace lumelle {

// Entries of the palette after the window's three colours and the background.
inline constexpr std::size_t kPaletteExtraEntries = 12;

struct PalettePlan
{
    std::vector<ColorValue> extra; // at most kPaletteExtraEntries, most used first
};

// Counts the text and outline colours pictures use and plans the palette from them.
class PaletteCount
{
public:
    // The window's colours need no entry of their own.
    PaletteCount(ColorValue antialias, ColorValue outline, ColorValue text);
    // One picture drawn with its text, or its outline, in `colour`.
    void add(ColorValue colour);
    PalettePlan plan() const;
    // The colour a picture asking for `colour` is drawn in under `plan`: itself when it has an
    // entry, else the nearest of the window's text colour and the extra entries.
    ColorValue shownColour(ColorValue colour, const PalettePlan& plan) const;
    // The colour an outline asking for `colour` is drawn in under `plan`: itself when it has an
    // entry, else the nearest of the window's three colours and the extra entries.
    ColorValue shownOutline(ColorValue colour, const PalettePlan& plan) const;

private:
    ColorValue m_fixed[3];
    std::map<ColorValue, long long> m_uses;
};

// A colour the file asks for as the one pictures are drawn in: pure blue is the background
// that every output picture leaves transparent, so blue text (or outline) takes the blue next
// to it.
ColorValue DrawableTextColour(ColorValue colour);

// The outline colour of a picture whose text inks are `text` and `second`: the window's
// `outline`, unless a text ink is that very colour and would melt into it; then the one of the
// window's colours (antialias, text) farthest from that ink and unlike both text inks.
ColorValue ReadableOutline(ColorValue outline, ColorValue antialias, ColorValue windowText,
                           ColorValue text, std::optional<ColorValue> second = std::nullopt);

// The colour of `choices` nearest to `colour` (by the squared distance of red, green and blue);
// the first of equals. `choices` must not be empty.
ColorValue NearestColour(ColorValue colour, const std::vector<ColorValue>& choices);

} // namespace lumelle
