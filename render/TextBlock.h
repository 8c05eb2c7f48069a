// A subtitle's text lines ready for drawing: with their styled stretches, and broken at spaces
// when they are too wide for the frame and the settings allow it.
#pragma once

#include "render/BlockLayout.h"
#include "subtitle/Subtitle.h"

#include <QImage>
#include <QSize>
#include <optional>
#include <vector>

namespace lumelle {

// Every text line of `entry` (TextLines()) as Unicode text, with the entry's style spans
// turned into runs of it. Where spans overlap, their styles add up.
std::vector<StyledText> EntryTextLines(const SubtitleLine& entry);

// The lines, each narrower than the frame allows (LineFitsWidth). With s.wrapLongLines a line
// too wide is broken at the space that best balances the two parts (the space is dropped), a
// line without spaces at the Unicode line-break opportunity that does, and a part still too
// wide is broken again; nullopt when a line cannot be made to fit.
std::optional<std::vector<StyledText>> FitLinesToWidth(const std::vector<StyledText>& lines,
                                                       const RenderSettings& s);

// The text lines after the first, joined by "\r", for the too-long message: Line2 for a
// subtitle of one or two lines.
std::string LinesAfterFirst(const SubtitleLine& entry);

// True when every line of `entry` fits the frame in `s` (after breaking, when allowed).
bool EntryFitsWidth(const SubtitleLine& entry, const RenderSettings& s);

// For an entry that does not fit in `s`: true when breaking its long lines would make it fit
// (false when `s` breaks them already).
bool EntryFitsWhenWrapped(const SubtitleLine& entry, RenderSettings s);

// The lines of the entries shown together, the first of `entries` at the bottom and each
// later one stacked above: top to bottom, padded with an empty line to at least two. `anchor`
// receives the index of the bottom entry's first line, which is placed where a lone
// subtitle's first line goes. An entry whose lines cannot be made to fit is given as it stands
// (the width checks before a run refuse it).
std::vector<StyledText> StackedLines(const std::vector<SubtitleLine>& entries,
                                     const RenderSettings& s, int& anchor);

// The entries shown together, in blocks by the place each is given (its Place, else the bottom
// at the settings' alignment), in the order the blocks' places first occur. Entries at one place
// stack as StackedLines stacks them: at the bottom and in the middle each later one above, at
// the top each later one below.
std::vector<PlacedBlock> PlacedBlocks(const std::vector<SubtitleLine>& entries,
                                      const RenderSettings& s);

// The one text colour a picture of `entries` can show (the outline and antialias colours take
// the other two inks): the settings' text colour when some of the text is plain, else the
// colour most of the characters ask for. `mixed` is set when the text asks for more than one.
ColorValue PictureTextColour(const std::vector<SubtitleLine>& entries, const RenderSettings& s,
                             bool& mixed);

// The text inks of a DVD picture of `entries`: the colour most of the characters ask for
// (plain text asks for the settings' text colour) and, when the text asks for more, the next
// most asked for as the second ink. `colours`: how many text colours the text asks for; those
// beyond two are drawn in the nearer of the two inks.
struct PictureInks
{
    ColorValue text = 0;
    std::optional<SecondTextInk> second;
    std::size_t colours = 0;
};
PictureInks PictureTextInks(const std::vector<SubtitleLine>& entries, const RenderSettings& s);

// `s` drawing a picture in `inks`.
RenderSettings WithPictureInks(const RenderSettings& s, const PictureInks& inks);

// Draws `entries` onto `surface` as a picture of the output shows them (the preview): each at
// its place, the text in the picture's text colour, in a frame of `frame`'s size; false, with
// nothing drawn, when a block is taller than that frame.
bool DrawEntries(QImage& surface, const std::vector<SubtitleLine>& entries, const RenderSettings& s,
                 QSize frame);

} // namespace lumelle
