#include "render/Renderer.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

namespace lumelle {

namespace {

constexpr QRgb kBlue = 0xFF0000FF;

QRgb toRgb(ColorValue c)
{
    return qRgb(redOf(c), greenOf(c), blueOf(c));
}

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
    QFont font = RenderFont(name, size, style);
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
        for (int s = 1; s <= radius; ++s) {
            // Pixels moved to the right (higher columns) and to the left.
            v |= in[k] << s;
            if (k > 0)
                v |= in[k - 1] >> (64 - s);
            v |= in[k] >> s;
            if (k + 1 < words)
                v |= in[k + 1] << (64 - s);
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

Scratch& scratch()
{
    thread_local Scratch s;
    return s;
}

// Where the glyphs lie in s.glyphs: rows first..last (inclusive); empty when first > last.
struct GlyphRows
{
    int first;
    int last;
};

// Draws the line once, opaque on transparent, into `region` (surface coordinates) of the
// scratch picture and collects the painted pixels into s.glyphs, whose origin lies `margin`
// pixels above and left of the region. `complete` is false when a painted pixel touches a side
// of the region that lies inside `limit`: the glyphs might go on beyond that side.
GlyphRows drawGlyphMask(Scratch& s, const FontEntry& f, const QString& text, int x, int y,
                        const QRect& region, int margin, const QRect& limit, bool& complete)
{
    const int rw = region.width();
    const int rh = region.height();
    if (s.mask.width() < rw || s.mask.height() < rh)
        s.mask = QImage(std::max(rw, s.mask.width()), std::max(rh, s.mask.height()),
                        QImage::Format_Alpha8);
    uchar* maskBits = s.mask.bits();
    const qsizetype maskBpl = s.mask.bytesPerLine();
    for (int r = 0; r < rh; ++r)
        std::memset(maskBits + maskBpl * r, 0, std::size_t(rw));
    {
        QPainter painter(&s.mask);
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.setRenderHint(QPainter::TextAntialiasing, false);
        painter.setClipRect(0, 0, rw, rh);
        painter.setFont(f.font);
        painter.setPen(Qt::black);
        painter.drawText(QPoint(x - region.left(), y - region.top() + f.ascent), text);
    }

    s.glyphs.reset(rw + 2 * margin, rh + 2 * margin);
    GlyphRows rows{rh + margin, margin - 1};
    int leftColumn = 0, rightColumn = 0;
    const uchar* src = s.mask.constBits();
    for (int r = 0; r < rh; ++r) {
        const uchar* px = src + maskBpl * r;
        std::uint64_t* bits = s.glyphs.row(r + margin);
        bool any = false;
        int c = 0;
        // Most of the picture is empty: skip it eight pixels at a time.
        for (; c + 8 <= rw; c += 8) {
            std::uint64_t chunk;
            std::memcpy(&chunk, px + c, 8);
            if (!chunk)
                continue;
            // Fold each byte onto its lowest bit, then gather the eight bits into one byte
            // (byte i to bit i: the products of the multiplication never overlap).
            chunk |= chunk >> 4;
            chunk |= chunk >> 2;
            chunk |= chunk >> 1;
            const std::uint64_t eight =
                ((chunk & 0x0101010101010101ULL) * 0x0102040810204080ULL) >> 56;
            const int gc = c + margin;
            const int shift = gc & 63;
            bits[gc >> 6] |= eight << shift;
            if (shift > 56)
                bits[(gc >> 6) + 1] |= eight >> (64 - shift);
            any = true;
        }
        for (; c < rw; ++c) {
            if (px[c]) {
                const int gc = c + margin;
                bits[gc >> 6] |= std::uint64_t(1) << (gc & 63);
                any = true;
            }
        }
        if (any) {
            rows.first = std::min(rows.first, r + margin);
            rows.last = r + margin;
            leftColumn |= px[0];
            rightColumn |= px[rw - 1];
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

Painted drawLine(QImage& surface, const FontEntry& f, const QString& text, int lineWidth, int x,
                 int y, const RenderSettings& st)
{
    Painted painted;
    if (text.isEmpty())
        return painted;
    if (!isDirect32(surface.format()))
        surface.convertTo(QImage::Format_RGB32);
    const int w = std::clamp(st.outlineWidth, 1, 32);
    const int W = surface.width();
    const int H = surface.height();
    // Glyph pixels farther than w outside the surface cannot reach it.
    const QRect limit(-w, -w, W + 2 * w, H + 2 * w);
    // Glyphs may stray from their cell (italic overhang, marks above capitals): leave room, and
    // draw again on the whole surface when they touch the edge of that room.
    const int pad = f.height / 2 + w + 2;
    QRect region = QRect(x - pad, y - pad, std::max(lineWidth, 1) + 2 * pad, f.height + 2 * pad)
                       .intersected(limit);
    Scratch& s = scratch();
    bool complete = false;
    GlyphRows rows{0, -1};
    if (!region.isEmpty())
        rows = drawGlyphMask(s, f, text, x, y, region, w, limit, complete);
    if (!complete) {
        region = limit;
        rows = drawGlyphMask(s, f, text, x, y, region, w, limit, complete);
    }
    if (rows.first > rows.last)
        return painted;

    // Grow the glyphs by the 3 x 3 and the (2w+1) x (2w+1) square: first along each row,
    // then across rows. Rows more than w from a glyph stay empty.
    const int gh = s.glyphs.height();
    const int words = s.glyphs.words();
    const int firstRow = std::max(0, rows.first - w);
    const int lastRow = std::min(gh - 1, rows.last + w);
    s.near1.reset(s.glyphs.width(), gh);
    s.nearW.reset(s.glyphs.width(), gh);
    for (int r = rows.first; r <= rows.last; ++r) {
        growRow(s.glyphs.row(r), s.near1.row(r), words, 1);
        growRow(s.glyphs.row(r), s.nearW.row(r), words, w);
    }

    const int originX = region.left() - w;
    const int originY = region.top() - w;
    // Grid columns that lie on the surface, as a mask per word.
    const int firstCol = std::max(0, -originX);
    const int endCol = std::min(s.glyphs.width(), W - originX);
    auto columnMask = [&](int k) {
        const int lo = std::max(firstCol - k * 64, 0);
        const int hi = std::min(endCol - k * 64, 64);
        if (hi <= lo)
            return std::uint64_t(0);
        const std::uint64_t upper = hi == 64 ? ~std::uint64_t(0) : (std::uint64_t(1) << hi) - 1;
        return upper & ~((std::uint64_t(1) << lo) - 1);
    };
    const QRgb textRgb = toRgb(st.textColor);
    const QRgb ringRgb = toRgb(st.antialiasColor);
    const QRgb outlineRgb = toRgb(st.outlineColor);
    uchar* bits = surface.bits();
    const qsizetype bpl = surface.bytesPerLine();
    s.ring.resize(std::size_t(words));
    s.outline.resize(std::size_t(words));
    int paintedTop = H, paintedBottom = -1, paintedLeft = W, paintedRight = -1;
    auto paint = [](QRgb* line, std::uint64_t v, int base, QRgb colour) {
        while (v) {
            line[base + std::countr_zero(v)] = colour;
            v &= v - 1;
        }
    };
    for (int r = firstRow; r <= lastRow; ++r) {
        const int sy = originY + r;
        if (sy < 0 || sy >= H)
            continue;
        std::fill(s.ring.begin(), s.ring.end(), 0);
        std::fill(s.outline.begin(), s.outline.end(), 0);
        for (int t = std::max(rows.first, r - w); t <= std::min(rows.last, r + w); ++t) {
            const std::uint64_t* near = s.nearW.row(t);
            for (int k = 0; k < words; ++k)
                s.outline[std::size_t(k)] |= near[k];
        }
        for (int t = std::max(rows.first, r - 1); t <= std::min(rows.last, r + 1); ++t) {
            const std::uint64_t* near = s.near1.row(t);
            for (int k = 0; k < words; ++k)
                s.ring[std::size_t(k)] |= near[k];
        }
        const std::uint64_t* glyph = s.glyphs.row(r);
        auto* line = reinterpret_cast<QRgb*>(bits + bpl * sy);
        bool any = false;
        for (int k = 0; k < words; ++k) {
            const std::uint64_t outline = s.outline[std::size_t(k)] & columnMask(k);
            if (!outline)
                continue;
            const std::uint64_t ring = s.ring[std::size_t(k)] & outline;
            const std::uint64_t text = glyph[k] & outline;
            const int base = originX + k * 64;
            paint(line, outline & ~ring, base, outlineRgb);
            paint(line, ring & ~text, base, ringRgb);
            paint(line, text, base, textRgb);
            paintedLeft = std::min(paintedLeft, base + std::countr_zero(outline));
            paintedRight = std::max(paintedRight, base + 63 - std::countl_zero(outline));
            any = true;
        }
        if (any) {
            paintedTop = std::min(paintedTop, sy);
            paintedBottom = std::max(paintedBottom, sy);
        }
    }
    if (paintedBottom >= paintedTop)
        painted.rect = QRect(QPoint(paintedLeft, paintedTop), QPoint(paintedRight, paintedBottom));
    return painted;
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

} // namespace

QFont RenderFont(const QString& fontName, int fontSize, FontStyle style)
{
    QFont font(fontName);
    font.setPixelSize(std::max(1, PixelSizeForPoints(fontSize)));
    font.setBold(style.bold);
    font.setItalic(style.italic);
    font.setUnderline(style.underline);
    font.setStrikeOut(style.strikeOut);
    // Two-level glyphs: the only colours in a drawing are the ones it paints.
    font.setStyleStrategy(QFont::NoAntialias);
    return font;
}

LineSize MeasureText(const QString& text, const QString& fontName, int fontSize, FontStyle style)
{
    return measure(fontEntry(fontName, fontSize, style), text);
}

LineSize MeasureLine(const std::string& text, const QString& fontName, int fontSize,
                     FontStyle style, quint8 charset)
{
    return MeasureText(DecodeText(text, charset), fontName, fontSize, style);
}

void DrawOutlinedText(QImage& surface, const QString& text, int x, int y, const RenderSettings& s)
{
    const FontEntry& f = fontEntry(s.fontName, s.fontSize, s.fontStyle);
    drawLine(surface, f, text, measure(f, text).width, x, y, s);
}

void DrawOutlinedLine(QImage& surface, const std::string& text, int x, int y,
                      const RenderSettings& s)
{
    DrawOutlinedText(surface, DecodeText(text, s.charset), x, y, s);
}

void RenderSubtitleImage(SubtitleImage& image, const std::string& line1, const std::string& line2,
                         const RenderSettings& s)
{
    const int W = frameWidth(s.videoStandard);
    const int H = frameHeight(s.videoStandard);
    QImage& pixels = image.pixels;
    if (pixels.width() != W || pixels.height() != H || pixels.format() != QImage::Format_RGB32) {
        pixels = OutputBackground(s.videoStandard);
    } else if (pixels.cacheKey() == image.paintedKey) {
        // Only the rectangle the last subtitle drew on differs from blue.
        fillRect(pixels, image.painted, kBlue);
    } else {
        pixels.fill(kBlue);
    }

    const FontEntry& f = fontEntry(s.fontName, s.fontSize, s.fontStyle);
    const QString text1 = DecodeText(line1, s.charset);
    const QString text2 = DecodeText(line2, s.charset);
    const LineSize size1 = measure(f, text1);
    const LineSize size2 = measure(f, text2);
    const int x1 = LineX(s.align, W, size1.width);
    const int x2 = LineX(s.align, W, size2.width);
    const int y1 = FirstLineY(H, size1.height, s.offset);
    const int y2 = SecondLineY(H, size1.height, size2.height, s.offset, s.offset_or);

    // The band starts on an even row (-3 becomes -4, 475 becomes 474) and is then clipped to
    // the frame; H is even, so the clipped top stays even.
    const int top = (y1 & 1) ? y1 - 1 : y1;
    const int bottom = top + size1.height + size2.height - s.offset_or + 6;
    const int clippedTop = std::max(top, 0);
    const int clippedBottom = std::min(bottom, H);
    if (clippedBottom > clippedTop) {
        image.bandTop = clippedTop;
        image.bandHeight = clippedBottom - clippedTop;
    } else {
        image.bandTop = std::min(clippedTop, H - 2);
        image.bandHeight = 0;
    }

    Painted painted = drawLine(pixels, f, text1, size1.width, x1, y1, s);
    painted.add(drawLine(pixels, f, text2, size2.width, x2, y2, s).rect);
    image.painted = painted.rect;
    image.paintedKey = pixels.cacheKey();
}

} // namespace lumelle
