// Drawing of subtitle lines: measuring a line, drawing it with its outline and one-pixel
// antialias ring, and drawing a whole subtitle into the frame-sized output image.
#pragma once

#include "render/RenderSettings.h"
#include "subtitle/Subtitle.h"

#include <QFont>
#include <QImage>
#include <QRect>
#include <QSize>
#include <QString>
#include <cstdint>
#include <string>
#include <vector>

namespace lumelle {

struct LineSize
{
    int width;
    int height;
};

// The font every measurement and drawing uses: the family (fontconfig resolves "Arial" to
// Liberation Sans), the point size as pixels at 96 dpi, the style, and unsmoothed glyphs.
QFont RenderFont(const QString& fontName, int fontSize, FontStyle style);

// Advance width of the whole line and the cell height (ascent + descent) of the font. An empty
// line is measured as one space.
LineSize MeasureText(const QString& text, const QString& fontName, int fontSize, FontStyle style);

// Draws one line with its text cell's top-left corner at (x, y): the outline ring (w - 1
// pixels wide), the antialias ring (one pixel) and the text, each in its colour of `s`;
// pixels farther than w from the glyphs keep their colour. The result equals drawing the line
// at every offset of the (2w+1) x (2w+1) square in the outline colour, then of the 3 x 3 square
// in the antialias colour, then once in the text colour; the line is drawn only once here and
// the rings are grown from it. 32-bit surfaces are drawn on as they are; a surface of another
// format is first converted to Format_RGB32.
void DrawOutlinedText(QImage& surface, const QString& text, int x, int y, const RenderSettings& s);

// A stretch [begin, end) of a text line drawn in `style` on top of the settings' style.
struct TextRun
{
    qsizetype begin = 0;
    qsizetype end = 0;
    TextStyle style;
};

// One text line with its styled stretches (sorted, not overlapping; the rest of the
// line is plain).
struct StyledText
{
    QString text;
    std::vector<TextRun> runs;
};

// The settings' style with a stretch's own style added (italic in a Bold setting is bold
// italic).
FontStyle CombinedStyle(FontStyle base, TextStyle extra);

// Measures a styled line: the runs are set side by side, each in its own style, so the width
// is the sum of their advances. A line without runs measures as MeasureText does.
LineSize MeasureStyled(const StyledText& line, const RenderSettings& s);

// A drawing as layers of bit rows, frame-sized: each pixel's layer is 0 (the blue background),
// 1 (outline), 2 (antialias ring) or 3 (text), its low bit in `low` and its high bit in `high`,
// each row `words` 64-bit words with the leftmost pixel in the lowest bit. A later line drawn
// over an earlier one replaces its layers, as its colours replace the earlier colours. The
// encoder codes runs from these words instead of comparing 24-bit pixels.
struct LayerMasks
{
    int width = 0;
    int height = 0;
    int words = 0;
    std::vector<std::uint64_t> low;
    std::vector<std::uint64_t> high;
    ColorValue colours[4] = {}; // what each layer is painted in, 24-bit
    // Rows that may hold a set bit (first > last: none); the next drawing clears only these.
    int firstDirty = 0;
    int lastDirty = -1;

    const std::uint64_t* lowRow(int row) const { return low.data() + std::size_t(row) * words; }
    const std::uint64_t* highRow(int row) const { return high.data() + std::size_t(row) * words; }
};

// One subtitle drawn for output. `pixels` is frame-sized Format_RGB32 (bytes B, G, R, 0xFF per
// pixel); `bandTop`/`bandHeight` are the rows the encoder reads, always inside the frame.
// `masks` holds the same drawing as layers. With `paintPixels` false only the masks are drawn
// and `pixels` is left as it was (an encoder needs no more; a preview needs the pixels).
struct SubtitleImage
{
    QImage pixels;
    int bandTop = 0;
    int bandHeight = 0;
    LayerMasks masks;
    bool paintPixels = true;
};

// One subtitle drawn in full colour for a form that shows alpha (Blu-ray): `argb`
// (Format_ARGB32_Premultiplied) holds the part of the frame drawn on, `box` where that part
// lies in the frame; everything outside it is transparent. An empty box: nothing drawn.
struct ColourImage
{
    QImage argb;
    QRect box;
};

// Where a block of lines stands: its row in the frame and its column ("left", "center",
// "right", as the window's alignment names them).
enum class BlockRow { Bottom, Middle, Top };

// A block of lines (top to bottom) drawn at one place of the frame. Bottom blocks have at
// least two lines and `anchor` as RenderSubtitleBlock reads it; the other rows ignore it.
struct PlacedBlock
{
    std::vector<StyledText> lines;
    int anchor = 0;
    BlockRow row = BlockRow::Bottom;
    QString align;
};

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
// Draws the blocks as RenderSubtitleBlocks places them, in the frame OutputFrameSize(s), in
// full colour: the glyphs' outlines filled with smooth (antialiased) edges in the text colour,
// ringed by the antialias colour (one pixel of a 576-row frame) and the outline colour (out to
// the outline width), with real alpha where they meet the video. False, with nothing drawn,
// when a block is taller than the frame.
bool RenderColourBlocks(ColourImage& image, const std::vector<PlacedBlock>& blocks,
                        const RenderSettings& s);
// True when every block fits the frame's height.
bool BlocksFitFrame(const std::vector<PlacedBlock>& blocks, const RenderSettings& s);

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

// True when `lines` fit the frame's height when placed as a block. Only the fonts' heights
// count.
bool BlockFitsFrame(const std::vector<StyledText>& lines, const RenderSettings& s);

} // namespace lumelle
