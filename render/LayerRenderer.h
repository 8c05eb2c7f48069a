// The DVD drawing: subtitle lines drawn unsmoothed with their outline and one-pixel antialias
// ring, as four layers of bit rows and, for a preview, as frame-sized pixels.
#pragma once

#include "render/BlockLayout.h"
#include "render/Picture.h"
#include "render/RenderSettings.h"
#include "render/TextShaping.h"

#include <QImage>
#include <QSize>
#include <QString>
#include <vector>

namespace lumelle {

// Draws one line with its text cell's top-left corner at (x, y): the outline ring (w - 1
// pixels wide), the antialias ring (one pixel) and the text, each in its colour of `s`;
// pixels farther than w from the glyphs keep their colour. The result equals drawing the line
// at every offset of the (2w+1) x (2w+1) square in the outline colour, then of the 3 x 3 square
// in the antialias colour, then once in the text colour; the line is drawn only once here and
// the rings are grown from it. 32-bit surfaces are drawn on as they are; a surface of another
// format is first converted to Format_RGB32.
void DrawOutlinedText(QImage& surface, const QString& text, int x, int y, const RenderSettings& s);

// Draws several blocks into one picture, each at its place: a bottom block as
// RenderSubtitleBlock places it, a top block with its first line as far below the top edge
// (offset included) as a lone bottom line's cell ends above the bottom edge, a middle block
// centred; each line at its block's column. The band holds every block. False, with nothing
// drawn, when a block is taller than the frame.
bool RenderSubtitleBlocks(SubtitleImage& image, const std::vector<PlacedBlock>& blocks,
                          const RenderSettings& s);
// The same onto `surface`, in a frame of `frame`'s size (the preview).
bool DrawSubtitleBlocks(QImage& surface, const std::vector<PlacedBlock>& blocks,
                        const RenderSettings& s, QSize frame);

// A block of lines (top to bottom, at least two) is placed in the frame with line `anchor`
// where a first line goes and each line under the one above it as a second line goes under the
// first (offset_or is the gap). When more than two lines lie from the anchor down, the block is
// moved up so that its last line stands where a two-line subtitle's second line stands, out of
// the rows a television's overscan may hide. The band starts on the even row at or above the top
// line and holds the whole block; a band that would leave the frame is moved up (or, at the top,
// down) until it lies wholly inside; false, with nothing drawn, when the block is taller than the
// frame. The image buffer is reused between calls: when `pixels` is unchanged since the last
// call drew it, only the rectangle drawn on then is refilled.
bool RenderSubtitleBlock(SubtitleImage& image, const std::vector<StyledText>& lines, int anchor,
                         const RenderSettings& s);

// Draws `lines` onto `surface` placed as RenderSubtitleBlock places them, in a frame of
// `frame`'s size (the preview); false, with nothing drawn, when the block is taller than that
// frame.
bool DrawSubtitleBlock(QImage& surface, const std::vector<StyledText>& lines, int anchor,
                       const RenderSettings& s, QSize frame);

} // namespace lumelle
