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

LineSize measure(const FontEntry& f, const QString& text)
{
    // An empty line has the height of a space and the width of one.
    const int width = f.metrics.horizontalAdvance(text.isEmpty() ? QStringLiteral(" ") : text);
    return {width, f.height};
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

struct Painted
{
    int top = 0;
    int bottom = 0; // one past the last row written; top == bottom: nothing written
    void add(int row)
    {
        if (top == bottom) {
            top = row;
            bottom = row + 1;
        } else {
            top = std::min(top, row);
            bottom = std::max(bottom, row + 1);
        }
    }
    void add(const Painted& other)
    {
        if (other.top == other.bottom)
            return;
        add(other.top);
        add(other.bottom - 1);
    }
};

// Scratch space of one thread: the picture the line is drawn into once and its bit grids.
struct Scratch
{
    QImage mask;
    BitGrid glyphs, near1, nearW;
};

Scratch& scratch()
{
    thread_local Scratch s;
    return s;
}

// Draws the line once, white on black, into `region` (surface coordinates) of the scratch
// picture and collects the painted pixels into s.glyphs, whose origin lies `margin` pixels
// above and left of the region. Returns false when a painted pixel touches a side of the region
// that lies inside `limit`: the glyphs might go on beyond that side.
bool drawGlyphMask(Scratch& s, const FontEntry& f, const QString& text, int x, int y,
                   const QRect& region, int margin, const QRect& limit)
{
    const bool openTop = region.top() > limit.top();
    const bool openBottom = region.bottom() < limit.bottom();
    const bool openLeft = region.left() > limit.left();
    const bool openRight = region.right() < limit.right();
    const int rw = region.width();
    const int rh = region.height();
    if (s.mask.width() < rw || s.mask.height() < rh)
        s.mask = QImage(std::max(rw, s.mask.width()), std::max(rh, s.mask.height()),
                        QImage::Format_RGB32);
    for (int r = 0; r < rh; ++r)
        std::memset(s.mask.scanLine(r), 0, std::size_t(rw) * 4);
    {
        QPainter painter(&s.mask);
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.setRenderHint(QPainter::TextAntialiasing, false);
        painter.setClipRect(0, 0, rw, rh);
        painter.setFont(f.font);
        painter.setPen(Qt::white);
        painter.drawText(QPoint(x - region.left(), y - region.top() + f.ascent), text);
    }
    s.glyphs.reset(rw + 2 * margin, rh + 2 * margin);
    bool touches = false;
    for (int r = 0; r < rh; ++r) {
        const auto* px = reinterpret_cast<const QRgb*>(s.mask.constScanLine(r));
        std::uint64_t* bits = s.glyphs.row(r + margin);
        for (int c = 0; c < rw; ++c) {
            if (px[c] & 0x00FFFFFF) {
                const int gc = c + margin;
                bits[gc >> 6] |= std::uint64_t(1) << (gc & 63);
                if ((openTop && r == 0) || (openBottom && r == rh - 1) || (openLeft && c == 0) ||
                    (openRight && c == rw - 1))
                    touches = true;
            }
        }
    }
    return !touches;
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
    // Glyphs may stray from their cell (italic overhang, marks above capitals): leave room.
    const int pad = f.height / 2 + w + 2;
    QRect region = QRect(x - pad, y - pad, std::max(lineWidth, 1) + 2 * pad, f.height + 2 * pad)
                       .intersected(limit);
    Scratch& s = scratch();
    if (region.isEmpty() || !drawGlyphMask(s, f, text, x, y, region, w, limit)) {
        region = limit;
        drawGlyphMask(s, f, text, x, y, region, w, limit);
    }

    // Grow the glyphs by the 3 x 3 and the (2w+1) x (2w+1) square: first along each row,
    // then across rows.
    const int gh = s.glyphs.height();
    const int words = s.glyphs.words();
    s.near1.reset(s.glyphs.width(), gh);
    s.nearW.reset(s.glyphs.width(), gh);
    for (int r = 0; r < gh; ++r) {
        growRow(s.glyphs.row(r), s.near1.row(r), words, 1);
        growRow(s.glyphs.row(r), s.nearW.row(r), words, w);
    }

    const int originX = region.left() - w;
    const int originY = region.top() - w;
    const QRgb textRgb = toRgb(st.textColor);
    const QRgb ringRgb = toRgb(st.antialiasColor);
    const QRgb outlineRgb = toRgb(st.outlineColor);
    uchar* bits = surface.bits();
    const qsizetype bpl = surface.bytesPerLine();
    std::vector<std::uint64_t> ring(static_cast<std::size_t>(words));
    std::vector<std::uint64_t> outline(static_cast<std::size_t>(words));
    for (int r = 0; r < gh; ++r) {
        const int sy = originY + r;
        if (sy < 0 || sy >= H)
            continue;
        std::fill(ring.begin(), ring.end(), 0);
        std::fill(outline.begin(), outline.end(), 0);
        for (int t = std::max(0, r - w); t <= std::min(gh - 1, r + w); ++t) {
            const std::uint64_t* src = s.nearW.row(t);
            for (int k = 0; k < words; ++k)
                outline[std::size_t(k)] |= src[k];
        }
        for (int t = std::max(0, r - 1); t <= std::min(gh - 1, r + 1); ++t) {
            const std::uint64_t* src = s.near1.row(t);
            for (int k = 0; k < words; ++k)
                ring[std::size_t(k)] |= src[k];
        }
        const std::uint64_t* glyph = s.glyphs.row(r);
        auto* line = reinterpret_cast<QRgb*>(bits + bpl * sy);
        bool any = false;
        for (int k = 0; k < words; ++k) {
            std::uint64_t v = outline[std::size_t(k)];
            while (v) {
                const int b = std::countr_zero(v);
                v &= v - 1;
                const int sx = originX + k * 64 + b;
                if (sx < 0 || sx >= W)
                    continue;
                const std::uint64_t bit = std::uint64_t(1) << b;
                line[sx] = (glyph[k] & bit)               ? textRgb
                           : (ring[std::size_t(k)] & bit) ? ringRgb
                                                          : outlineRgb;
                any = true;
            }
        }
        if (any)
            painted.add(sy);
    }
    return painted;
}

void fillRows(QImage& image, int top, int bottom, QRgb colour)
{
    top = std::max(top, 0);
    bottom = std::min(bottom, image.height());
    for (int r = top; r < bottom; ++r) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(r));
        std::fill(line, line + image.width(), colour);
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
        // Only the rows the last subtitle drew on differ from blue.
        fillRows(pixels, image.paintedTop, image.paintedBottom, kBlue);
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
    painted.add(drawLine(pixels, f, text2, size2.width, x2, y2, s));
    image.paintedTop = painted.top;
    image.paintedBottom = painted.bottom;
    image.paintedKey = pixels.cacheKey();
}

} // namespace lumelle
