#include "render/OutlinedLine.h"

#include <QPainter>
#include <QTextLayout>

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>
#include <vector>

namespace lumelle {

namespace {

bool isDirect32(QImage::Format format)
{
    return format == QImage::Format_RGB32 || format == QImage::Format_ARGB32 ||
           format == QImage::Format_ARGB32_Premultiplied;
}

// Rows of bits, 64 pixels to a word, the leftmost pixel in the lowest bit.
class BitGrid
{
public:
    void reset(int width, int height)
    {
        m_width = width;
        m_height = height;
        m_words = (width + 63) / 64;
        m_bits.assign(std::size_t(m_words) * std::size_t(height), 0);
    }
    int width() const { return m_width; }
    int height() const { return m_height; }
    int words() const { return m_words; }
    std::uint64_t* row(int r) { return m_bits.data() + std::size_t(r) * std::size_t(m_words); }
    const std::uint64_t* row(int r) const
    {
        return m_bits.data() + std::size_t(r) * std::size_t(m_words);
    }

private:
    int m_width = 0;
    int m_height = 0;
    int m_words = 0;
    std::vector<std::uint64_t> m_bits;
};

// out = in grown by `radius` pixels to both sides (radius 1..4, below a word's width).
void growRow(const std::uint64_t* in, std::uint64_t* out, int words, int radius)
{
    for (int k = 0; k < words; ++k) {
        std::uint64_t v = in[k];
        for (int shift = 1; shift <= radius; ++shift) {
            // Pixels moved to the right (higher columns) and to the left.
            v |= in[k] << shift;
            if (k > 0)
                v |= in[k - 1] >> (64 - shift);
            v |= in[k] >> shift;
            if (k + 1 < words)
                v |= in[k + 1] << (64 - shift);
        }
        out[k] = v;
    }
}

// Scratch space of one thread: the picture the line is drawn into once and its bit grids.
struct Scratch
{
    QImage mask;
    BitGrid glyphs, near1, nearW;
    BitGrid second; // the glyphs drawn in the second text ink, when the line has any
    bool twoInks = false;
    std::vector<std::uint64_t> ring, outline;
};

// The mask value of the pieces drawn in the second text ink; the others are drawn opaque.
constexpr int kSecondInkAlpha = 0x80;

Scratch& scratchSpace()
{
    thread_local Scratch scratch;
    return scratch;
}

// Where the glyphs lie in the glyph grid: rows first..last (inclusive); empty when
// first > last.
struct GlyphRows
{
    int first;
    int last;
};

// Draws the line once, opaque on transparent, into the top-left `region.size()` pixels of the
// scratch picture; (x, y) and `region` are surface coordinates.
void paintMask(Scratch& scratch, const LinePieces& line, int x, int y, const QRect& region)
{
    const int rw = region.width();
    const int rh = region.height();
    if (scratch.mask.width() < rw || scratch.mask.height() < rh)
        scratch.mask = QImage(std::max(rw, scratch.mask.width()),
                              std::max(rh, scratch.mask.height()), QImage::Format_Alpha8);
    uchar* maskBits = scratch.mask.bits();
    const qsizetype maskBpl = scratch.mask.bytesPerLine();
    for (int r = 0; r < rh; ++r)
        std::memset(maskBits + maskBpl * r, 0, std::size_t(rw));
    QPainter painter(&scratch.mask);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setRenderHint(QPainter::TextAntialiasing, false);
    painter.setClipRect(0, 0, rw, rh);
    // Each piece replaces what lies under it, so that its mask value tells its ink.
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    int penX = x - region.left();
    const int baseline = y - region.top() + line.ascent;
    for (const Piece& piece : line.pieces) {
        painter.setPen(piece.second ? QColor(0, 0, 0, kSecondInkAlpha) : QColor(Qt::black));
        if (piece.shaped) {
            // The layout puts its baseline its own ascent below the given point.
            const QTextLine shaped = piece.shaped->lineAt(0);
            shaped.draw(&painter, QPointF(penX, baseline - shaped.ascent()));
        } else {
            painter.setFont(piece.font->font);
            painter.drawText(QPoint(penX, baseline), piece.text);
        }
        penX += piece.width;
    }
}

// Sets the bits of the painted pixels of one mask row of `width` pixels in `bits`, starting at
// bit `offset`; true when any pixel was painted.
bool packMaskRow(const uchar* pixels, int width, std::uint64_t* bits, int offset)
{
    bool any = false;
    int c = 0;
    // Most of the picture is empty: skip it eight pixels at a time.
    for (; c + 8 <= width; c += 8) {
        std::uint64_t chunk;
        std::memcpy(&chunk, pixels + c, 8);
        if (!chunk)
            continue;
        // Fold each byte onto its lowest bit, then gather the eight bits into one byte
        // (byte i to bit i: the products of the multiplication never overlap).
        chunk |= chunk >> 4;
        chunk |= chunk >> 2;
        chunk |= chunk >> 1;
        const std::uint64_t eight = ((chunk & 0x0101010101010101ULL) * 0x0102040810204080ULL) >> 56;
        const int column = c + offset;
        const int shift = column & 63;
        bits[column >> 6] |= eight << shift;
        if (shift > 56)
            bits[(column >> 6) + 1] |= eight >> (64 - shift);
        any = true;
    }
    for (; c < width; ++c) {
        if (pixels[c]) {
            const int column = c + offset;
            bits[column >> 6] |= std::uint64_t(1) << (column & 63);
            any = true;
        }
    }
    return any;
}

// Sets the bits of the pixels of one mask row drawn in the second text ink (neither empty nor
// opaque), as packMaskRow does for every painted pixel.
void packSecondInkRow(const uchar* pixels, int width, std::uint64_t* bits, int offset)
{
    for (int c = 0; c < width; ++c) {
        if (pixels[c] != 0 && pixels[c] != 0xFF) {
            const int column = c + offset;
            bits[column >> 6] |= std::uint64_t(1) << (column & 63);
        }
    }
}

// Draws the line once into `region` (surface coordinates) and collects the painted pixels into
// scratch.glyphs, whose origin lies `margin` pixels above and left of the region. `complete`
// is false when a painted pixel touches a side of the region that lies inside `limit`: the
// glyphs might go on beyond that side.
GlyphRows drawGlyphMask(Scratch& scratch, const LinePieces& line, int x, int y, const QRect& region,
                        int margin, const QRect& limit, bool& complete)
{
    paintMask(scratch, line, x, y, region);
    const int rw = region.width();
    const int rh = region.height();
    scratch.glyphs.reset(rw + 2 * margin, rh + 2 * margin);
    GlyphRows rows{rh + margin, margin - 1};
    bool leftColumn = false, rightColumn = false;
    if (scratch.twoInks)
        scratch.second.reset(rw + 2 * margin, rh + 2 * margin);
    for (int r = 0; r < rh; ++r) {
        const uchar* pixels = scratch.mask.constBits() + scratch.mask.bytesPerLine() * r;
        if (packMaskRow(pixels, rw, scratch.glyphs.row(r + margin), margin)) {
            if (scratch.twoInks)
                packSecondInkRow(pixels, rw, scratch.second.row(r + margin), margin);
            rows.first = std::min(rows.first, r + margin);
            rows.last = r + margin;
            leftColumn = leftColumn || pixels[0];
            rightColumn = rightColumn || pixels[rw - 1];
        }
    }
    const bool touchesTop = rows.first == margin;
    const bool touchesBottom = rows.last == margin + rh - 1;
    complete = !((touchesTop && region.top() > limit.top()) ||
                 (touchesBottom && region.bottom() < limit.bottom()) ||
                 (leftColumn && region.left() > limit.left()) ||
                 (rightColumn && region.right() < limit.right()));
    return rows;
}

// The glyphs of one line in scratch.glyphs and where they lie.
struct GlyphGrid
{
    GlyphRows rows;
    QPoint origin; // surface position of the grid's top-left bit
};

// Draws the line into the glyph grid, first in a padded box around its cell and, when the
// glyphs reach the edge of that box, again over everything that can reach the surface.
GlyphGrid locateGlyphs(Scratch& scratch, const LinePieces& line, int x, int y, const QSize& surface,
                       int reach)
{
    // Glyph pixels farther than `reach` outside the surface cannot reach it.
    const QRect limit(-reach, -reach, surface.width() + 2 * reach, surface.height() + 2 * reach);
    // Glyphs may stray from their cell (italic overhang, marks above capitals): leave room.
    const int pad = line.height / 2 + reach + 2;
    QRect region = QRect(x - pad, y - pad, std::max(line.width, 1) + 2 * pad, line.height + 2 * pad)
                       .intersected(limit);
    bool complete = false;
    GlyphRows rows{0, -1};
    if (!region.isEmpty())
        rows = drawGlyphMask(scratch, line, x, y, region, reach, limit, complete);
    if (!complete) {
        region = limit;
        rows = drawGlyphMask(scratch, line, x, y, region, reach, limit, complete);
    }
    return {rows, QPoint(region.left() - reach, region.top() - reach)};
}

// Grows the glyph rows by one pixel (scratch.near1) and by `reach` pixels (scratch.nearW)
// along each row; rows without glyphs stay empty.
void growGlyphRows(Scratch& scratch, GlyphRows rows, int reach)
{
    const int words = scratch.glyphs.words();
    scratch.near1.reset(scratch.glyphs.width(), scratch.glyphs.height());
    scratch.nearW.reset(scratch.glyphs.width(), scratch.glyphs.height());
    for (int r = rows.first; r <= rows.last; ++r) {
        growRow(scratch.glyphs.row(r), scratch.near1.row(r), words, 1);
        growRow(scratch.glyphs.row(r), scratch.nearW.row(r), words, reach);
    }
}

// out = the union of `grown`'s rows within `reach` of row r (and inside `rows`).
void unionOfNearRows(const BitGrid& grown, GlyphRows rows, int r, int reach,
                     std::vector<std::uint64_t>& out)
{
    std::fill(out.begin(), out.end(), 0);
    for (int t = std::max(rows.first, r - reach); t <= std::min(rows.last, r + reach); ++t) {
        const std::uint64_t* near = grown.row(t);
        for (std::size_t k = 0; k < out.size(); ++k)
            out[k] |= near[k];
    }
}

// Bits of word k of a grid row whose columns [firstColumn, endColumn) lie on the surface.
std::uint64_t columnMask(int k, int firstColumn, int endColumn)
{
    const int lo = std::max(firstColumn - k * 64, 0);
    const int hi = std::min(endColumn - k * 64, 64);
    if (hi <= lo)
        return 0;
    const std::uint64_t upper = hi == 64 ? ~std::uint64_t(0) : (std::uint64_t(1) << hi) - 1;
    return upper & ~((std::uint64_t(1) << lo) - 1);
}

void paintBits(QRgb* line, std::uint64_t bits, int base, QRgb colour)
{
    while (bits) {
        line[base + std::countr_zero(bits)] = colour;
        bits &= bits - 1;
    }
}

// The three colours of a line, from the outermost ring in.
struct LineColours
{
    QRgb outline;
    QRgb ring;
    QRgb text;
};

// The ring and text bits of word k of grid row r within `outline`: one text ink with its
// antialias ring, or, with two text inks, the second ink's glyphs in the ring's place (the
// ring itself then lies in the outline) and the first ink's as the text.
struct InkBits
{
    std::uint64_t ring;
    std::uint64_t text;
};
InkBits inkBits(const Scratch& scratch, int r, int k, std::uint64_t outline)
{
    const std::uint64_t glyph = scratch.glyphs.row(r)[k];
    if (!scratch.twoInks)
        return {scratch.ring[std::size_t(k)] & outline, glyph & outline};
    return {glyph & outline, glyph & ~scratch.second.row(r)[k] & outline};
}

// Paints grid row r onto its surface row: outline where a glyph is within `reach`, the ring
// where one is within a pixel, the text on the glyphs. Adds what it painted to `painted`.
void paintGridRow(QImage& surface, const Scratch& scratch, const GlyphGrid& grid, int r,
                  const LineColours& colours, QRect& painted)
{
    const int surfaceRow = grid.origin.y() + r;
    const int firstColumn = std::max(0, -grid.origin.x());
    const int endColumn = std::min(scratch.glyphs.width(), surface.width() - grid.origin.x());
    auto* line = reinterpret_cast<QRgb*>(surface.bits() + surface.bytesPerLine() * surfaceRow);
    for (int k = 0; k < scratch.glyphs.words(); ++k) {
        const std::uint64_t outline =
            scratch.outline[std::size_t(k)] & columnMask(k, firstColumn, endColumn);
        if (!outline)
            continue;
        const auto [ring, text] = inkBits(scratch, r, k, outline);
        const int base = grid.origin.x() + k * 64;
        paintBits(line, outline & ~ring, base, colours.outline);
        paintBits(line, ring & ~text, base, colours.ring);
        paintBits(line, text, base, colours.text);
        painted |= QRect(QPoint(base + std::countr_zero(outline), surfaceRow),
                         QPoint(base + 63 - std::countl_zero(outline), surfaceRow));
    }
}

// Puts the layers of one grid word (outline, ring, text; ring within outline, text within
// ring) into frame row `row` of `masks` at column `base`, replacing what lay under the outline.
void putLayers(LayerMasks& masks, int row, int base, std::uint64_t outline, std::uint64_t ring,
               std::uint64_t text)
{
    std::uint64_t* low = masks.low.data() + std::size_t(row) * std::size_t(masks.words);
    std::uint64_t* high = masks.high.data() + std::size_t(row) * std::size_t(masks.words);
    const auto put = [&](int word, int shift, bool left) {
        if (word < 0 || word >= masks.words)
            return;
        const auto at = [&](std::uint64_t v) { return left ? v << shift : v >> shift; };
        const std::uint64_t o = at(outline), r = at(ring), t = at(text);
        high[word] = (high[word] & ~o) | r;
        low[word] = (low[word] & ~o) | (o & ~r) | t;
    };
    // base may be negative; the bits left of column 0 are already masked off.
    const int word = base >= 0 ? base / 64 : -((-base + 63) / 64);
    const int shift = base - word * 64;
    put(word, shift, true);
    if (shift > 0)
        put(word + 1, 64 - shift, false);
}

// The layers of grid row r into `masks`, as paintGridRow paints them.
void composeGridRow(LayerMasks& masks, const Scratch& scratch, const GlyphGrid& grid, int r)
{
    const int frameRow = grid.origin.y() + r;
    const int firstColumn = std::max(0, -grid.origin.x());
    const int endColumn = std::min(scratch.glyphs.width(), masks.width - grid.origin.x());
    bool any = false;
    for (int k = 0; k < scratch.glyphs.words(); ++k) {
        const std::uint64_t outline =
            scratch.outline[std::size_t(k)] & columnMask(k, firstColumn, endColumn);
        if (!outline)
            continue;
        const auto [ring, text] = inkBits(scratch, r, k, outline);
        putLayers(masks, frameRow, grid.origin.x() + k * 64, outline, ring, text);
        any = true;
    }
    if (any) {
        masks.firstDirty = std::min(masks.firstDirty, frameRow);
        masks.lastDirty = std::max(masks.lastDirty, frameRow);
    }
}

} // namespace

Painted drawLine(QImage* surface, QSize frame, const LinePieces& line, int x, int y,
                 const RenderSettings& settings, LayerMasks* masks)
{
    Painted painted;
    if (std::all_of(line.pieces.begin(), line.pieces.end(),
                    [](const Piece& p) { return p.text.isEmpty(); }))
        return painted;
    if (surface && !isDirect32(surface->format()))
        surface->convertTo(QImage::Format_RGB32);
    // The outline's outer edge.
    const int reach = std::clamp(ScaledLength(settings, settings.outlineWidth), 1, 32);
    Scratch& scratch = scratchSpace();
    scratch.twoInks = settings.secondText.has_value();
    const GlyphGrid grid = locateGlyphs(scratch, line, x, y, frame, reach);
    if (grid.rows.first > grid.rows.last)
        return painted;

    // Grow the glyphs by the 3 x 3 and the (2 reach + 1) square: first along each row, then
    // across rows. Rows more than `reach` from a glyph stay empty.
    growGlyphRows(scratch, grid.rows, reach);
    const LineColours colours{
        toRgb(settings.outlineColor),
        toRgb(settings.secondText ? settings.secondText->colour : settings.antialiasColor),
        toRgb(settings.textColor)};
    scratch.ring.resize(std::size_t(scratch.glyphs.words()));
    scratch.outline.resize(std::size_t(scratch.glyphs.words()));
    const int firstRow = std::max(0, grid.rows.first - reach);
    const int lastRow = std::min(scratch.glyphs.height() - 1, grid.rows.last + reach);
    for (int r = firstRow; r <= lastRow; ++r) {
        const int surfaceRow = grid.origin.y() + r;
        if (surfaceRow < 0 || surfaceRow >= frame.height())
            continue;
        unionOfNearRows(scratch.nearW, grid.rows, r, reach, scratch.outline);
        unionOfNearRows(scratch.near1, grid.rows, r, 1, scratch.ring);
        if (surface)
            paintGridRow(*surface, scratch, grid, r, colours, painted.rect);
        if (masks)
            composeGridRow(*masks, scratch, grid, r);
    }
    return painted;
}

Painted drawLine(QImage& surface, const LinePieces& line, int x, int y,
                 const RenderSettings& settings)
{
    return drawLine(&surface, surface.size(), line, x, y, settings, nullptr);
}

} // namespace lumelle
