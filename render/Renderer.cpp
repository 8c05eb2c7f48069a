#include "render/Renderer.h"

#include <QFontMetrics>
#include <QGlyphRun>
#include <QPainter>
#include <QPainterPath>
#include <QPainterPathStroker>
#include <QRawFont>
#include <QTextLayout>

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>
#include <iterator>
#include <memory>
#include <optional>
#include <unordered_map>
#include <vector>

namespace lumelle {

namespace {

constexpr QRgb toRgb(ColorValue c)
{
    return qRgb(redOf(c), greenOf(c), blueOf(c));
}

// The output background, as the pixels hold it.
constexpr QRgb kBlue = toRgb(kBackgroundBlue);

// A font with its metrics, kept per thread: QFont and QFontMetrics may be used on any thread,
// but not shared between threads while in use.
struct FontEntry
{
    QString name;
    int size;
    FontStyle style;
    QFont font;
    QFontMetrics metrics;
    int ascent;
    int height;
};

QFont renderFontPixels(const QString& fontName, int pixelSize, FontStyle style);

// `size` is the font's pixel size.
const FontEntry& fontEntry(const QString& name, int size, FontStyle style)
{
    constexpr std::size_t kMaxEntries = 16;
    thread_local std::vector<std::unique_ptr<FontEntry>> cache;
    for (auto it = cache.begin(); it != cache.end(); ++it) {
        if ((*it)->size == size && (*it)->style == style && (*it)->name == name) {
            // Most recently used first, so a run with one font finds it at once.
            std::rotate(cache.begin(), it, it + 1);
            return *cache.front();
        }
    }
    if (cache.size() >= kMaxEntries)
        cache.pop_back();
    QFont font = renderFontPixels(name, size, style);
    QFontMetrics metrics(font);
    const int ascent = metrics.ascent();
    const int height = metrics.ascent() + metrics.descent();
    cache.insert(cache.begin(), std::unique_ptr<FontEntry>(new FontEntry{name, size, style, font,
                                                                         metrics, ascent, height}));
    return *cache.front();
}

// Lines longer than this many characters are measured piece by piece: the font engine's
// fixed-point advance overflows past about 33 million pixels, and laying out millions of
// characters at once takes gigabytes.
constexpr qsizetype kMeasurePiece = 4096;
// Far wider than any frame; a long line's measuring stops once it gets this wide.
constexpr qint64 kWidthCeiling = 1 << 20;

LineSize measure(const FontEntry& f, const QString& text)
{
    // An empty line has the height of a space and the width of one.
    if (text.size() <= kMeasurePiece)
        return {f.metrics.horizontalAdvance(text.isEmpty() ? QStringLiteral(" ") : text), f.height};
    qint64 width = 0;
    for (qsizetype at = 0; at < text.size() && width < kWidthCeiling;) {
        qsizetype length = std::min(kMeasurePiece, text.size() - at);
        // Never part a surrogate pair.
        if (at + length < text.size() && text.at(at + length - 1).isHighSurrogate())
            --length;
        width += f.metrics.horizontalAdvance(text.mid(at, length));
        at += length;
    }
    return {int(std::min(width, kWidthCeiling)), f.height};
}

// Whether `text` can be shaped once for both its width and its drawing (shapeOnce): not empty,
// not long, and free of what QPainter::drawText and a text layout treat differently (controls,
// tabs, line and paragraph separators, objects; QFontMetrics measures only up to U+009C).
bool shapesOnce(const QString& text)
{
    if (text.isEmpty() || text.size() > kMeasurePiece)
        return false;
    return std::none_of(text.begin(), text.end(), [](QChar c) {
        const char16_t u = c.unicode();
        return u < 0x20 || (u >= 0x7F && u <= 0x9F) || u == 0x2028 || u == 0x2029 || u == 0xFFFC;
    });
}

// The paragraph direction QPainter::drawText lays text out in: a new painter's (in Qt 6 the
// text's own, Qt::LayoutDirectionAuto).
Qt::LayoutDirection drawTextDirection()
{
    static const Qt::LayoutDirection direction = [] {
        QImage probe(1, 1, QImage::Format_Alpha8);
        QPainter painter(&probe);
        return painter.layoutDirection();
    }();
    return direction;
}

// `text` shaped once in `f`'s font, laid out as QPainter::drawText lays it out: one line without
// wrapping, from the pen to the right, in the direction drawText gives the text. Its advance,
// rounded as QFontMetrics::horizontalAdvance rounds it, goes to `width` (the line's natural
// width would add the overhang of its last glyph). Null when the text did not come out as one
// whole line.
std::unique_ptr<QTextLayout> shapeOnce(const FontEntry& f, const QString& text, int& width)
{
    auto layout = std::make_unique<QTextLayout>(text, f.font);
    QTextOption option(Qt::AlignLeft | Qt::AlignAbsolute);
    option.setWrapMode(QTextOption::NoWrap);
    option.setTextDirection(drawTextDirection());
    option.setFlags(QTextOption::IncludeTrailingSpaces);
    layout->setTextOption(option);
    // Keep the shaped glyphs after the layout ends, for drawing.
    layout->setCacheEnabled(true);
    layout->beginLayout();
    QTextLine line = layout->createLine();
    if (line.isValid())
        line.setLineWidth(qreal(kWidthCeiling));
    layout->endLayout();
    if (layout->lineCount() != 1 || line.textStart() != 0 || line.textLength() != text.size())
        return nullptr;
    width = qRound(line.horizontalAdvance());
    return layout;
}

// A line as it is drawn: its runs of one style each, set side by side. A run is drawn from its
// shaped layout when it has one, else with QPainter::drawText.
struct Piece
{
    QString text;
    const FontEntry* font;
    int width;
    std::unique_ptr<QTextLayout> shaped;
};

// What a line's pieces are made for: measuring alone needs no layout to draw from. Pieces made
// to measure are drawn, if at all, with QPainter::drawText.
enum class PieceUse {
    Measure,
    Draw,
};

// A run for drawing is shaped once when it can be; other runs are measured as `measure` does.
// Underlined runs are not shaped once: a layout draws the underlines of neighbouring script
// runs at one common depth and thickness, where QPainter::drawText gives each its own font's.
Piece makePiece(QString text, const FontEntry& f, PieceUse use)
{
    Piece piece{std::move(text), &f, 0, nullptr};
    if (use == PieceUse::Draw && !f.font.underline() && shapesOnce(piece.text))
        piece.shaped = shapeOnce(f, piece.text, piece.width);
    if (!piece.shaped)
        piece.width = measure(f, piece.text).width;
    return piece;
}

struct LinePieces
{
    std::vector<Piece> pieces;
    int width = 0;
    int height = 0;
    int ascent = 0;
};

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

// The rectangle of surface pixels a drawing wrote; empty when it wrote none.
struct Painted
{
    QRect rect;
    void add(const QRect& other) { rect = rect.united(other); }
};

// Scratch space of one thread: the picture the line is drawn into once and its bit grids.
struct Scratch
{
    QImage mask;
    BitGrid glyphs, near1, nearW;
    std::vector<std::uint64_t> ring, outline;
};

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
    painter.setPen(Qt::black);
    int penX = x - region.left();
    const int baseline = y - region.top() + line.ascent;
    for (const Piece& piece : line.pieces) {
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
    for (int r = 0; r < rh; ++r) {
        const uchar* pixels = scratch.mask.constBits() + scratch.mask.bytesPerLine() * r;
        if (packMaskRow(pixels, rw, scratch.glyphs.row(r + margin), margin)) {
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

// Paints grid row r onto its surface row: outline where a glyph is within `reach`, the ring
// where one is within a pixel, the text on the glyphs. Adds what it painted to `painted`.
void paintGridRow(QImage& surface, const Scratch& scratch, const GlyphGrid& grid, int r,
                  const LineColours& colours, QRect& painted)
{
    const int surfaceRow = grid.origin.y() + r;
    const int firstColumn = std::max(0, -grid.origin.x());
    const int endColumn = std::min(scratch.glyphs.width(), surface.width() - grid.origin.x());
    const std::uint64_t* glyph = scratch.glyphs.row(r);
    auto* line = reinterpret_cast<QRgb*>(surface.bits() + surface.bytesPerLine() * surfaceRow);
    for (int k = 0; k < scratch.glyphs.words(); ++k) {
        const std::uint64_t outline =
            scratch.outline[std::size_t(k)] & columnMask(k, firstColumn, endColumn);
        if (!outline)
            continue;
        const std::uint64_t ring = scratch.ring[std::size_t(k)] & outline;
        const std::uint64_t text = glyph[k] & outline;
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
    const std::uint64_t* glyph = scratch.glyphs.row(r);
    bool any = false;
    for (int k = 0; k < scratch.glyphs.words(); ++k) {
        const std::uint64_t outline =
            scratch.outline[std::size_t(k)] & columnMask(k, firstColumn, endColumn);
        if (!outline)
            continue;
        putLayers(masks, frameRow, grid.origin.x() + k * 64, outline,
                  scratch.ring[std::size_t(k)] & outline, glyph[k] & outline);
        any = true;
    }
    if (any) {
        masks.firstDirty = std::min(masks.firstDirty, frameRow);
        masks.lastDirty = std::max(masks.lastDirty, frameRow);
    }
}

// Draws one line onto `surface` (when given) and into `masks` (when given); `frame` is the
// size of both.
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
    const GlyphGrid grid = locateGlyphs(scratch, line, x, y, frame, reach);
    if (grid.rows.first > grid.rows.last)
        return painted;

    // Grow the glyphs by the 3 x 3 and the (2 reach + 1) square: first along each row, then
    // across rows. Rows more than `reach` from a glyph stay empty.
    growGlyphRows(scratch, grid.rows, reach);
    const LineColours colours{toRgb(settings.outlineColor), toRgb(settings.antialiasColor),
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

ColorValue plainColour(ColorValue c)
{
    return makeColor(redOf(c), greenOf(c), blueOf(c));
}

// Empties the masks for a new drawing in a frame of `frame`'s size with `s`'s colours.
void prepareMasks(LayerMasks& masks, const RenderSettings& s, QSize frame)
{
    const int words = (frame.width() + 63) / 64;
    if (masks.width != frame.width() || masks.height != frame.height()) {
        masks.width = frame.width();
        masks.height = frame.height();
        masks.words = words;
        masks.low.assign(std::size_t(words) * std::size_t(frame.height()), 0);
        masks.high.assign(masks.low.size(), 0);
    } else if (masks.firstDirty <= masks.lastDirty) {
        const auto first = std::size_t(masks.firstDirty) * std::size_t(words);
        const auto end = std::size_t(masks.lastDirty + 1) * std::size_t(words);
        std::fill(masks.low.begin() + std::ptrdiff_t(first),
                  masks.low.begin() + std::ptrdiff_t(end), 0);
        std::fill(masks.high.begin() + std::ptrdiff_t(first),
                  masks.high.begin() + std::ptrdiff_t(end), 0);
    }
    masks.firstDirty = frame.height();
    masks.lastDirty = -1;
    masks.colours[0] = kBackgroundBlue;
    masks.colours[1] = plainColour(s.outlineColor);
    masks.colours[2] = plainColour(s.antialiasColor);
    masks.colours[3] = plainColour(s.textColor);
}

// Where the last drawings went, so that drawing into the same, untouched picture again
// refills only the rectangle drawn on. Keyed by QImage::cacheKey(), which changes with every
// write to a picture, so an entry stands only while its picture is unchanged since; a few
// pictures per thread are remembered.
class PaintedAreas
{
public:
    std::optional<QRect> take(qint64 key)
    {
        for (auto it = m_entries.begin(); it != m_entries.end(); ++it) {
            if (it->first == key) {
                const QRect rect = it->second;
                m_entries.erase(it);
                return rect;
            }
        }
        return std::nullopt;
    }
    void remember(qint64 key, const QRect& rect)
    {
        if (m_entries.size() >= kEntries)
            m_entries.erase(m_entries.begin());
        m_entries.emplace_back(key, rect);
    }

private:
    static constexpr std::size_t kEntries = 8;
    std::vector<std::pair<qint64, QRect>> m_entries;
};

PaintedAreas& paintedAreas()
{
    thread_local PaintedAreas areas;
    return areas;
}

void fillRect(QImage& image, const QRect& rect, QRgb colour)
{
    const QRect area = rect.intersected(image.rect());
    if (area.isEmpty())
        return;
    uchar* bits = image.bits();
    const qsizetype bpl = image.bytesPerLine();
    for (int r = area.top(); r <= area.bottom(); ++r) {
        auto* line = reinterpret_cast<QRgb*>(bits + bpl * r);
        std::fill(line + area.left(), line + area.right() + 1, colour);
    }
}

LinePieces plainPieces(const FontEntry& f, const QString& text, PieceUse use)
{
    LinePieces line;
    line.pieces.push_back(makePiece(text, f, use));
    line.width = line.pieces.front().width;
    line.height = f.height;
    line.ascent = f.ascent;
    return line;
}

// Calls add(begin, end, style) for each non-empty stretch of the line in order: the plain
// text in the settings' style, the runs in that style with their own added.
template <typename Add>
void forEachStretch(const StyledText& styled, const RenderSettings& s, Add add)
{
    const qsizetype size = styled.text.size();
    const auto stretch = [&](qsizetype begin, qsizetype end, FontStyle style) {
        if (end > begin)
            add(begin, end, style);
    };
    qsizetype at = 0;
    for (const TextRun& run : styled.runs) {
        const qsizetype begin = std::clamp(run.begin, at, size);
        const qsizetype end = std::clamp(run.end, begin, size);
        stretch(at, begin, s.fontStyle);
        stretch(begin, end, CombinedStyle(s.fontStyle, run.style));
        at = end;
    }
    stretch(at, size, s.fontStyle);
}

// The line cut where its style changes; neighbouring stretches of one style are joined, so a
// line of one style is drawn exactly as plain text in that style.
LinePieces styledPieces(const StyledText& styled, const RenderSettings& s, PieceUse use)
{
    std::vector<std::pair<QString, FontStyle>> parts;
    forEachStretch(styled, s, [&](qsizetype begin, qsizetype end, FontStyle style) {
        if (!parts.empty() && parts.back().second == style)
            parts.back().first += styled.text.mid(begin, end - begin);
        else
            parts.emplace_back(styled.text.mid(begin, end - begin), style);
    });
    if (parts.size() <= 1) {
        const FontStyle style = parts.empty() ? s.fontStyle : parts.front().second;
        return plainPieces(fontEntry(s.fontName, FontPixelSize(s), style), styled.text, use);
    }
    // A long line may be cut into very many runs: keep no layouts for them, so that what such a
    // line holds grows with its text alone.
    if (styled.text.size() > kMeasurePiece)
        use = PieceUse::Measure;
    LinePieces line;
    qint64 width = 0;
    for (auto& [text, style] : parts) {
        const FontEntry& f = fontEntry(s.fontName, FontPixelSize(s), style);
        line.pieces.push_back(makePiece(std::move(text), f, use));
        width += line.pieces.back().width;
        line.height = std::max(line.height, f.height);
        line.ascent = std::max(line.ascent, f.ascent);
    }
    line.width = int(std::min(width, kWidthCeiling));
    return line;
}

// Fills the output picture with blue, refilling only what the last drawing into it painted
// when it is unchanged since.
void prepareOutput(QImage& pixels, const RenderSettings& s)
{
    const QSize frame = OutputFrameSize(s);
    const std::optional<QRect> lastPainted = paintedAreas().take(pixels.cacheKey());
    if (pixels.size() != frame || pixels.format() != QImage::Format_RGB32) {
        pixels = QImage(frame, QImage::Format_RGB32);
        pixels.fill(kBlue);
    } else if (lastPainted) {
        // Only the rectangle the last subtitle drew on differs from blue.
        fillRect(pixels, *lastPainted, kBlue);
    } else {
        pixels.fill(kBlue);
    }
}

QSize outputFrame(const RenderSettings& s)
{
    return OutputFrameSize(s);
}

// Draws a subtitle for output: `draw(surface, masks)` draws every line into the masks and,
// when the image's pixels are wanted, onto the blue picture, and returns what it painted there.
template <typename Draw> void drawOutput(SubtitleImage& image, const RenderSettings& s, Draw draw)
{
    prepareMasks(image.masks, s, outputFrame(s));
    if (!image.paintPixels) {
        draw(nullptr, image.masks);
        return;
    }
    prepareOutput(image.pixels, s);
    const Painted painted = draw(&image.pixels, image.masks);
    paintedAreas().remember(image.pixels.cacheKey(), painted.rect);
}

// The height a styled line is drawn with: the tallest font among its stretches (a line of one
// style, or an empty one, has its font's height).
int lineHeight(const StyledText& styled, const RenderSettings& s)
{
    int height = 0;
    bool any = false;
    forEachStretch(styled, s, [&](qsizetype, qsizetype, FontStyle style) {
        height = std::max(height, fontEntry(s.fontName, FontPixelSize(s), style).height);
        any = true;
    });
    return any ? height : fontEntry(s.fontName, FontPixelSize(s), s.fontStyle).height;
}

// The height of the band of a block of lines `heights` high: their cells, less the gap
// (offset_or) between each two, and six rows below.
qint64 bandHeight(const std::vector<int>& heights, const RenderSettings& s)
{
    qint64 height =
        ScaledLength(s, 6) - (qint64(heights.size()) - 1) * ScaledLength(s, s.offset_or);
    for (int h : heights)
        height += h;
    return height;
}

// Where the lines of a block go: the text cells' top-left corners and the band.
struct BlockLayout
{
    std::vector<QPoint> cells;
    int bandTop = 0;
    int bandHeight = 0;
    bool fits = true; // false when the band is taller than the frame
};

// The rows of a block's lines, top to bottom, at its place in a frame `H` high.
std::vector<int> lineRows(const std::vector<LinePieces>& lines, int anchor, BlockRow row,
                          const RenderSettings& s, int H)
{
    const int n = int(lines.size());
    std::vector<int> ys(std::size_t(n), 0);
    const auto h = [&lines](int k) { return lines[std::size_t(k)].height; };
    const double scale = FrameScale(s);
    const int gap = ScaledLength(s, s.offset_or);
    // Each line above another placed so that the line below it lies where LineBelowY puts it.
    const auto stackUpFrom = [&](int k) {
        for (; k >= 0; --k)
            ys[std::size_t(k)] = ys[std::size_t(k + 1)] - LineBelowY(0, h(k + 1), gap);
    };
    if (row != BlockRow::Bottom) {
        ys[0] = TopLineY(s.offset, scale);
        for (int k = 1; k < n; ++k)
            ys[std::size_t(k)] = LineBelowY(ys[std::size_t(k - 1)], h(k), gap);
        if (row == BlockRow::Middle) {
            const int height = ys[std::size_t(n - 1)] + h(n - 1) - ys[0];
            const int shift = (H - height) / 2 - ys[0];
            for (int& y : ys)
                y += shift;
        }
        return ys;
    }
    anchor = std::clamp(anchor, 0, n - 1);
    const int first = FirstLineY(H, h(anchor), s.offset, scale);
    if (n - anchor > 2) {
        // A third line and more would reach into the rows an overscan hides: the last line
        // stands where a two-line subtitle's second line does, the others above it.
        ys[std::size_t(n - 1)] = LineBelowY(first, h(n - 1), gap);
        stackUpFrom(n - 2);
        return ys;
    }
    ys[std::size_t(anchor)] = first;
    for (int k = anchor + 1; k < n; ++k)
        ys[std::size_t(k)] = LineBelowY(ys[std::size_t(k - 1)], h(k), gap);
    stackUpFrom(anchor - 1);
    return ys;
}

BlockLayout layOut(const std::vector<LinePieces>& lines, int anchor, const RenderSettings& s,
                   QSize frame, BlockRow row = BlockRow::Bottom, const QString& align = QString())
{
    BlockLayout layout;
    const int W = frame.width();
    const int H = frame.height();
    const int n = int(lines.size());
    if (n == 0)
        return layout;
    const std::vector<int> ys = lineRows(lines, anchor, row, s, H);
    const QString& column = align.isEmpty() ? s.align : align;

    // The band starts on an even row at or above the top line.
    int top = (ys[0] & 1) ? ys[0] - 1 : ys[0];
    std::vector<int> heights;
    heights.reserve(lines.size());
    for (const LinePieces& line : lines)
        heights.push_back(line.height);
    const qint64 height = bandHeight(heights, s);
    if (height > H) {
        layout.fits = false;
        return layout;
    }
    // Moved by an even number of rows so that the top stays even: up when the band leaves
    // the frame at the bottom, then down when it leaves it at the top.
    int shift = 0;
    if (top + height > H)
        shift = -int(top + height - H + 1) / 2 * 2;
    if (top + shift < 0)
        shift = -top;
    layout.bandTop = top + shift;
    layout.bandHeight = int(height);
    for (int k = 0; k < n; ++k) {
        const LinePieces& line = lines[std::size_t(k)];
        layout.cells.emplace_back(LineX(column, W, line.width, FrameScale(s)),
                                  ys[std::size_t(k)] + shift);
    }
    return layout;
}

std::vector<LinePieces> piecesOf(const std::vector<StyledText>& lines, const RenderSettings& s)
{
    std::vector<LinePieces> pieces;
    pieces.reserve(lines.size());
    for (const StyledText& line : lines)
        pieces.push_back(styledPieces(line, s, PieceUse::Draw));
    return pieces;
}

} // namespace

FontStyle CombinedStyle(FontStyle base, TextStyle extra)
{
    base.bold = base.bold || extra.bold;
    base.italic = base.italic || extra.italic;
    base.underline = base.underline || extra.underline;
    return base;
}

LineSize MeasureStyled(const StyledText& line, const RenderSettings& s)
{
    const LinePieces pieces = styledPieces(line, s, PieceUse::Measure);
    return {pieces.width, pieces.height};
}

namespace {

// The lines of every block with the cells they are drawn at, and the band that holds them all.
struct PictureLayout
{
    std::vector<LinePieces> pieces;
    std::vector<QPoint> cells;
    int bandTop = 0;
    int bandHeight = 0;
};

std::optional<PictureLayout> layOutBlocks(const std::vector<PlacedBlock>& blocks,
                                          const RenderSettings& s, QSize frame)
{
    PictureLayout picture;
    int bandEnd = 0;
    bool first = true;
    for (const PlacedBlock& block : blocks) {
        std::vector<LinePieces> pieces = piecesOf(block.lines, s);
        const BlockLayout layout = layOut(pieces, block.anchor, s, frame, block.row, block.align);
        if (!layout.fits)
            return std::nullopt;
        if (pieces.empty())
            continue;
        // Both tops are even, so the band's top stays even.
        const int end = layout.bandTop + layout.bandHeight;
        picture.bandTop = first ? layout.bandTop : std::min(picture.bandTop, layout.bandTop);
        bandEnd = first ? end : std::max(bandEnd, end);
        first = false;
        std::move(pieces.begin(), pieces.end(), std::back_inserter(picture.pieces));
        picture.cells.insert(picture.cells.end(), layout.cells.begin(), layout.cells.end());
    }
    picture.bandHeight = bandEnd - picture.bandTop;
    return picture;
}

} // namespace

bool DrawSubtitleBlocks(QImage& surface, const std::vector<PlacedBlock>& blocks,
                        const RenderSettings& s, QSize frame)
{
    const std::optional<PictureLayout> layout = layOutBlocks(blocks, s, frame);
    if (!layout)
        return false;
    for (std::size_t k = 0; k < layout->pieces.size(); ++k)
        drawLine(surface, layout->pieces[k], layout->cells[k].x(), layout->cells[k].y(), s);
    return true;
}

bool DrawSubtitleBlock(QImage& surface, const std::vector<StyledText>& lines, int anchor,
                       const RenderSettings& s, QSize frame)
{
    return DrawSubtitleBlocks(surface, {PlacedBlock{lines, anchor, BlockRow::Bottom, {}}}, s,
                              frame);
}

bool BlockFitsFrame(const std::vector<StyledText>& lines, const RenderSettings& s)
{
    std::vector<int> heights;
    heights.reserve(lines.size());
    for (const StyledText& line : lines)
        heights.push_back(lineHeight(line, s));
    return lines.empty() || bandHeight(heights, s) <= OutputFrameSize(s).height();
}

bool BlocksFitFrame(const std::vector<PlacedBlock>& blocks, const RenderSettings& s)
{
    return std::all_of(blocks.begin(), blocks.end(),
                       [&s](const PlacedBlock& b) { return BlockFitsFrame(b.lines, s); });
}

bool RenderSubtitleBlocks(SubtitleImage& image, const std::vector<PlacedBlock>& blocks,
                          const RenderSettings& s)
{
    const std::optional<PictureLayout> layout = layOutBlocks(blocks, s, outputFrame(s));
    if (!layout)
        return false;
    image.bandTop = layout->bandTop;
    image.bandHeight = layout->bandHeight;
    drawOutput(image, s, [&](QImage* surface, LayerMasks& masks) {
        Painted painted;
        for (std::size_t k = 0; k < layout->pieces.size(); ++k)
            painted.add(drawLine(surface, outputFrame(s), layout->pieces[k], layout->cells[k].x(),
                                 layout->cells[k].y(), s, &masks)
                            .rect);
        return painted;
    });
    return true;
}

namespace {

// One line's glyph outlines, its pieces set side by side from the cell's top-left (x, y).
QPainterPath lineOutlines(const LinePieces& line, int x, int y)
{
    QPainterPath path;
    qreal penX = x;
    const qreal baseline = y + line.ascent;
    for (const Piece& piece : line.pieces) {
        path.addText(QPointF(penX, baseline), piece.font->font, piece.text);
        penX += piece.width;
    }
    return path;
}

// A glyph's two rings as filled outlines, made once per font, glyph and width: stroking is by far
// the dearest step of a full-colour drawing, and a film uses few glyphs many times.
struct GlyphRings
{
    QPainterPath outline;
    QPainterPath ring;
};

const GlyphRings& glyphRings(const QRawFont& font, quint32 glyph, qreal outline, qreal ring)
{
    thread_local std::unordered_map<QString, GlyphRings> cache;
    constexpr std::size_t kMaxGlyphs = 4096;
    const QString key = QStringLiteral("%1|%2|%3|%4|%5|%6|%7")
                            .arg(font.familyName(), font.styleName())
                            .arg(font.pixelSize())
                            .arg(glyph)
                            .arg(outline)
                            .arg(ring)
                            .arg(int(font.weight()) * 2 + int(font.style()));
    if (auto it = cache.find(key); it != cache.end())
        return it->second;
    if (cache.size() >= kMaxGlyphs)
        cache.clear();
    const QPainterPath path = font.pathForGlyph(glyph);
    const auto stroked = [&path](qreal width) {
        QPainterPathStroker stroker;
        stroker.setWidth(2 * width);
        stroker.setCapStyle(Qt::RoundCap);
        stroker.setJoinStyle(Qt::RoundJoin);
        return stroker.createStroke(path);
    };
    return cache.emplace(key, GlyphRings{stroked(outline), stroked(ring)}).first->second;
}

// Fills the rings of one line's glyphs: from its shaped layouts glyph by glyph (each ring made
// once), else by stroking the line's outlines.
void fillLineRings(QPainter& painter, const LinePieces& line, const QPainterPath& outlines, int x,
                   int y, qreal outline, qreal ring, const QColor& outlineColour,
                   const QColor& ringColour)
{
    const bool shaped = std::all_of(line.pieces.begin(), line.pieces.end(),
                                    [](const Piece& p) { return p.shaped != nullptr; });
    if (!shaped) {
        painter.strokePath(
            outlines, QPen(outlineColour, 2 * outline, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.strokePath(outlines,
                           QPen(ringColour, 2 * ring, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        return;
    }
    for (const bool outer : {true, false}) {
        qreal penX = x;
        for (const Piece& piece : line.pieces) {
            const QTextLine shapedLine = piece.shaped->lineAt(0);
            // Where QTextLine::draw puts the layout: its baseline on the line's.
            const QPointF origin(penX, y + line.ascent - shapedLine.ascent());
            for (const QGlyphRun& run : piece.shaped->glyphRuns()) {
                const QList<quint32> glyphs = run.glyphIndexes();
                const QList<QPointF> positions = run.positions();
                for (qsizetype i = 0; i < glyphs.size(); ++i) {
                    const GlyphRings& rings = glyphRings(run.rawFont(), glyphs[i], outline, ring);
                    const QPainterPath& shape = outer ? rings.outline : rings.ring;
                    painter.fillPath(shape.translated(origin + positions[i]),
                                     outer ? outlineColour : ringColour);
                }
            }
            penX += piece.width;
        }
    }
}

} // namespace

bool RenderColourBlocks(ColourImage& image, const std::vector<PlacedBlock>& blocks,
                        const RenderSettings& s)
{
    const QSize frame = OutputFrameSize(s);
    const std::optional<PictureLayout> layout = layOutBlocks(blocks, s, frame);
    if (!layout)
        return false;
    const double scale = FrameScale(s);
    // Half widths of the two rings, from the glyph's edge outwards.
    const qreal outline = std::clamp(s.outlineWidth, 1, 32) * scale;
    const qreal ring = std::min(outline, scale);
    std::vector<QPainterPath> paths;
    paths.reserve(layout->pieces.size());
    QRectF bounds;
    for (std::size_t k = 0; k < layout->pieces.size(); ++k) {
        paths.push_back(
            lineOutlines(layout->pieces[k], layout->cells[k].x(), layout->cells[k].y()));
        if (!paths.back().isEmpty())
            bounds |= paths.back().boundingRect();
    }
    // A pixel more than the outline for the antialiased edge.
    const QRect box = bounds.adjusted(-outline - 1, -outline - 1, outline + 1, outline + 1)
                          .toAlignedRect()
                          .intersected(QRect(QPoint(0, 0), frame));
    image.box = bounds.isEmpty() ? QRect() : box;
    if (image.box.isEmpty()) {
        image.argb = QImage();
        return true;
    }
    if (image.argb.size() != box.size() ||
        image.argb.format() != QImage::Format_ARGB32_Premultiplied)
        image.argb = QImage(box.size(), QImage::Format_ARGB32_Premultiplied);
    image.argb.fill(Qt::transparent);
    QPainter painter(&image.argb);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.translate(-box.topLeft());
    const auto colour = [](ColorValue c) { return QColor(redOf(c), greenOf(c), blueOf(c)); };
    // Each line whole, one over the other: a later line's outline covers an earlier line.
    for (std::size_t k = 0; k < paths.size(); ++k) {
        const QPainterPath& path = paths[k];
        if (path.isEmpty())
            continue;
        fillLineRings(painter, layout->pieces[k], path, layout->cells[k].x(), layout->cells[k].y(),
                      outline, ring, colour(s.outlineColor), colour(s.antialiasColor));
        painter.fillPath(path, colour(s.textColor));
    }
    return true;
}

bool RenderSubtitleBlock(SubtitleImage& image, const std::vector<StyledText>& lines, int anchor,
                         const RenderSettings& s)
{
    return RenderSubtitleBlocks(image, {PlacedBlock{lines, anchor, BlockRow::Bottom, {}}}, s);
}

QFont RenderFont(const QString& fontName, int fontSize, FontStyle style)
{
    return renderFontPixels(fontName, PixelSizeForPoints(fontSize), style);
}

namespace {

QFont renderFontPixels(const QString& fontName, int pixelSize, FontStyle style)
{
    QFont font(fontName);
    font.setPixelSize(std::max(1, pixelSize));
    font.setBold(style.bold);
    font.setItalic(style.italic);
    font.setUnderline(style.underline);
    font.setStrikeOut(style.strikeOut);
    // Two-level glyphs: the only colours in a drawing are the ones it paints.
    font.setStyleStrategy(QFont::NoAntialias);
    return font;
}

} // namespace

LineSize MeasureText(const QString& text, const QString& fontName, int fontSize, FontStyle style)
{
    return measure(fontEntry(fontName, PixelSizeForPoints(fontSize), style), text);
}

void DrawOutlinedText(QImage& surface, const QString& text, int x, int y, const RenderSettings& s)
{
    drawLine(
        surface,
        plainPieces(fontEntry(s.fontName, FontPixelSize(s), s.fontStyle), text, PieceUse::Draw), x,
        y, s);
}

} // namespace lumelle
