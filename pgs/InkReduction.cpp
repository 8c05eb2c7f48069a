#include "pgs/InkReduction.h"

#include <algorithm>

namespace lumelle::pgs {

namespace {

constexpr std::uint8_t kOutlineLayer = 1;
constexpr std::uint8_t kRingLayer = 2;
constexpr std::uint8_t kTextLayer = 3;

// How opaque the most opaque pixel of the picture is, 1..255.
int mostOpaque(const QImage& argb)
{
    int most = 1;
    const int width = argb.width(), height = argb.height();
    for (int y = 0; y < height; ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
        for (int x = 0; x < width; ++x)
            most = std::max(most, qAlpha(row[x]));
        if (most == 255) // none can be more opaque: the rest need not be looked at
            break;
    }
    return most;
}

// Where a pixel's colour lies from the outline colour (0) to the text colour (256), measured
// on the premultiplied values against the inks at the pixel's own alpha: in the outline's
// part (up to 77), between the two, or in the text's part (179 on).
enum class Side { Outline, Between, Text };

class Between
{
public:
    explicit Between(const SourceInks& s)
        : m_dr(qRed(s.text) - qRed(s.outline)), m_dg(qGreen(s.text) - qGreen(s.outline)),
          m_db(qBlue(s.text) - qBlue(s.outline)), m_outline(s.outline),
          m_length(m_dr * m_dr + m_dg * m_dg + m_db * m_db)
    {}
    // `p` not fully transparent. The position, dot * 256 / (length * alpha) cut to a whole
    // number, is compared without the division: it is at least n (n > 0) exactly when
    // dot * 256 >= n * length * alpha.
    Side operator()(QRgb p) const
    {
        if (m_length == 0)
            return Side::Text;
        const int a = qAlpha(p);
        const int r = qRed(p) * 255 - qRed(m_outline) * a;
        const int g = qGreen(p) * 255 - qGreen(m_outline) * a;
        const int b = qBlue(p) * 255 - qBlue(m_outline) * a;
        const long long dot = (long long)r * m_dr + (long long)g * m_dg + (long long)b * m_db;
        const long long scaled = dot * 256, unit = (long long)m_length * a;
        if (scaled >= 179 * unit)
            return Side::Text;
        return scaled >= 78 * unit ? Side::Between : Side::Outline;
    }

private:
    int m_dr, m_dg, m_db;
    QRgb m_outline;
    int m_length;
};

// The layer of one pixel, with `alpha` measured against the picture's most opaque pixel: the
// faint part of an edge shows nothing, the rest of it and the colours between the two inks
// take the ring.
std::uint8_t layerOf(QRgb p, int alpha, const Between& between)
{
    if (alpha < 128)
        return 0;
    const Side side = between(p);
    if (alpha < 192 || side == Side::Between)
        return kRingLayer;
    return side == Side::Text ? kTextLayer : kOutlineLayer;
}

} // namespace

void ReadyMasks(LayerMasks& masks, QSize frame, const LayerInks& inks)
{
    masks.clearFor(frame);
    masks.colours[0] = kBackgroundBlue;
    masks.colours[kOutlineLayer] = inks.outline;
    masks.colours[kRingLayer] = inks.antialias;
    masks.colours[kTextLayer] = inks.text;
}

InkBand ReduceToInks(const ColourImage& image, QSize frame, const SourceInks& source,
                     const LayerInks& inks, LayerMasks& masks)
{
    ReadyMasks(masks, frame, inks);
    InkBand band;
    const QRect drawn = image.box & QRect(QPoint(0, 0), frame);
    if (drawn.isEmpty()) {
        band.height = 0;
        return band;
    }
    const int most = mostOpaque(image.argb);
    // Each alpha measured against the most opaque pixel's, worked out once.
    std::array<int, 256> relative;
    for (int a = 0; a < 256; ++a)
        relative[std::size_t(a)] = a * 255 / most;
    const Between between(source);
    int layerAlpha[4] = {0, 0, 0, 0};
    for (int y = drawn.top(); y <= drawn.bottom(); ++y) {
        const auto* row =
            reinterpret_cast<const QRgb*>(image.argb.constScanLine(y - image.box.y()));
        std::uint64_t* low = masks.low.data() + std::size_t(y) * std::size_t(masks.words);
        std::uint64_t* high = masks.high.data() + std::size_t(y) * std::size_t(masks.words);
        for (int x = drawn.left(); x <= drawn.right(); ++x) {
            const QRgb p = row[x - image.box.x()];
            const int a = qAlpha(p);
            if (a == 0)
                continue;
            const std::uint8_t layer = layerOf(p, relative[std::size_t(a)], between);
            if (layer == 0)
                continue;
            layerAlpha[layer] = std::max(layerAlpha[layer], a);
            const std::uint64_t bit = std::uint64_t(1) << (x % 64);
            if (layer & 1)
                low[x / 64] |= bit;
            if (layer & 2)
                high[x / 64] |= bit;
        }
    }
    // The band starts on an even row so that both fields of the picture begin together.
    band.top = drawn.top() & ~1;
    band.height = std::min(drawn.bottom() + 1, frame.height()) - band.top;
    masks.firstDirty = band.top;
    masks.lastDirty = band.top + band.height - 1;
    for (int l = 1; l <= 3; ++l)
        band.opacity[std::size_t(l - 1)] =
            std::uint8_t(layerAlpha[l] == 0 ? 15 : (layerAlpha[l] * 15 + 127) / 255);
    return band;
}

void PaintLayers(SubtitleImage& image, QSize frame)
{
    QImage& pixels = image.pixels;
    if (pixels.size() != frame || pixels.format() != QImage::Format_RGB32)
        pixels = QImage(frame, QImage::Format_RGB32);
    pixels.fill(toRgb(kBackgroundBlue));
    const LayerMasks& masks = image.masks;
    for (int y = masks.firstDirty; y <= masks.lastDirty; ++y) {
        auto* row = reinterpret_cast<QRgb*>(pixels.scanLine(y));
        for (int x = 0; x < masks.width; ++x) {
            const std::uint64_t bit = std::uint64_t(1) << (x % 64);
            const int layer = ((masks.lowRow(y)[x / 64] & bit) ? 1 : 0) |
                              ((masks.highRow(y)[x / 64] & bit) ? 2 : 0);
            if (layer != 0)
                row[x] = toRgb(masks.colours[layer]);
        }
    }
}

} // namespace lumelle::pgs
