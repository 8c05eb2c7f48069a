#include "render/ColourRenderer.h"

#include "platform/WideVectors.h"
#include "render/GlyphCoverage.h"
#include "render/PictureLayout.h"
#include "render/ShapedLine.h"

#include <QGlyphRun>
#include <QPainter>
#include <QPainterPath>
#include <QRawFont>
#include <QTextLayout>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace lumelle {

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

// The coverage of `a` and then `b` laid over it, in 8-bit alpha: a + b (1 - a).
inline std::uint8_t coverOver(std::uint8_t a, std::uint8_t b)
{
    const unsigned t = unsigned(255 - a) * b + 128;
    return std::uint8_t(a + ((t + (t >> 8)) >> 8));
}

#if defined(__GNUC__)
using CoverBytes = std::uint8_t __attribute__((vector_size(16)));
using CoverWords = std::uint16_t __attribute__((vector_size(32)));

// coverOver on sixteen bytes at once. Most of a line's coverage is laid where no other glyph
// lies yet (a + b (1 - a) is b when a is 0) or where the glyph has none (it is then a): those
// bytes are copied or left as they are.
inline void coverSixteenOver(std::uint8_t* to, const std::uint8_t* from)
{
    CoverBytes a8, b8;
    std::memcpy(&a8, to, 16);
    std::memcpy(&b8, from, 16);
    std::uint64_t lowA[2], lowB[2];
    std::memcpy(lowA, &a8, 16);
    std::memcpy(lowB, &b8, 16);
    if ((lowB[0] | lowB[1]) == 0)
        return;
    if ((lowA[0] | lowA[1]) == 0) {
        std::memcpy(to, &b8, 16);
        return;
    }
    const CoverWords a = __builtin_convertvector(a8, CoverWords);
    const CoverWords b = __builtin_convertvector(b8, CoverWords);
    const CoverWords t = (255 - a) * b + 128;
    const CoverBytes sum = __builtin_convertvector(a + ((t + (t >> 8)) >> 8), CoverBytes);
    std::memcpy(to, &sum, 16);
}
#endif

// to[i] = coverOver(to[i], from[i]) for n bytes, sixteen at a time where the compiler's vector
// types allow.
void coverRowOver(std::uint8_t* to, const std::uint8_t* from, int n)
{
    int i = 0;
#if defined(__GNUC__)
    for (; i + 16 <= n; i += 16)
        coverSixteenOver(to + i, from + i);
#endif
    for (; i < n; ++i)
        to[i] = coverOver(to[i], from[i]);
}

// The same for a whole glyph row, `n` rounded up to sixteen bytes: the row's padding holds no
// coverage, and covering with none leaves a byte as it was (coverOver(a, 0) == a), so the bytes
// past the row are written back unchanged. The caller gives room for them.
void coverPaddedRowOver(std::uint8_t* to, const std::uint8_t* from, int n)
{
#if defined(__GNUC__)
    for (int i = 0; i < n; i += 16)
        coverSixteenOver(to + i, from + i);
#else
    coverRowOver(to, from, n);
#endif
}

// One line's three coverages over the rectangle `area` of the picture, rows `stride` (the
// area's width) long, with room after the last row for coverPaddedRowOver's sixteen bytes.
struct LineCoverage
{
    QRect area;
    std::size_t stride = 0;
    std::vector<std::uint8_t> layers[3];
};

// A glyph placed in the line: its coverage and the picture position of its top-left pixel.
struct PlacedGlyph
{
    const GlyphCoverage* coverage;
    QPoint at;
};

// Gathers the placed glyphs of a shaped line (pieces side by side from the cell's top-left
// (x, y)); false when a piece has no shaped layout.
bool placeGlyphs(const LinePieces& line, int x, int y, qreal outline, qreal ring,
                 std::vector<PlacedGlyph>& placed)
{
    placed.clear();
    if (!std::all_of(line.pieces.begin(), line.pieces.end(), [](const Piece& p) {
            return p.shaped != nullptr && !p.font->font.strikeOut();
        }))
        return false;
    qreal penX = x;
    for (const Piece& piece : line.pieces) {
        const QTextLine shapedLine = piece.shaped->lineAt(0);
        // Where QTextLine::draw puts the layout: its baseline on the line's.
        const QPointF origin(penX, y + line.ascent - shapedLine.ascent());
        for (const QGlyphRun& run : piece.shaped->glyphRuns()) {
            const QRawFont font = run.rawFont();
            FontGlyphs& store = fontGlyphs(font, outline, ring);
            const QList<quint32> glyphs = run.glyphIndexes();
            const QList<QPointF> positions = run.positions();
            for (qsizetype i = 0; i < glyphs.size(); ++i) {
                QPoint pixel;
                const GlyphCoverage& c = glyphCoverage(store, font, glyphs[i],
                                                       origin + positions[i], outline, ring, pixel);
                if (c.width > 0)
                    placed.push_back({&c, pixel + c.origin});
            }
        }
        penX += piece.width;
    }
    return true;
}

// Lays the glyphs' coverages over one another, layer by layer, within `clip`.
// Compiled for AVX2 as well: the same integer steps, without the copies between registers.
LUMELLE_WIDE_VECTORS void coverLine(LineCoverage& line, const std::vector<PlacedGlyph>& placed,
                                    const QRect& clip)
{
    QRect area;
    for (const PlacedGlyph& g : placed)
        area |= QRect(g.at, QSize(g.coverage->width, g.coverage->height));
    line.area = area.intersected(clip);
    if (line.area.isEmpty())
        return;
    line.stride = std::size_t(line.area.width());
    const std::size_t size = line.stride * std::size_t(line.area.height());
    for (auto& layer : line.layers)
        layer.assign(size + kCoverageRowAlign, 0);
    for (const PlacedGlyph& g : placed) {
        const QRect rect =
            QRect(g.at, QSize(g.coverage->width, g.coverage->height)).intersected(line.area);
        if (rect.isEmpty())
            continue;
        const int n = rect.width();
        // A glyph whole across its width is covered in sixteen-byte steps over its padding.
        const bool wholeRows = n == g.coverage->width;
        const int padded = int(RoundedCoverageRow(n));
        for (int k = 0; k < 3; ++k) {
            for (int r = rect.top(); r <= rect.bottom(); ++r) {
                const std::uint8_t* from = g.coverage->layers[k].data() +
                                           std::size_t(r - g.at.y()) * g.coverage->stride +
                                           std::size_t(rect.left() - g.at.x());
                std::uint8_t* to = line.layers[k].data() +
                                   std::size_t(r - line.area.top()) * line.stride +
                                   std::size_t(rect.left() - line.area.left());
                if (wholeRows)
                    coverPaddedRowOver(to, from, padded);
                else
                    coverRowOver(to, from, n);
            }
        }
    }
}

// A premultiplied pixel spread into four 16-bit lanes (blue, red, green, alpha), so that a
// blend works on all four channels in one 64-bit word.
constexpr std::uint64_t kLanes = 0x00FF00FF00FF00FFu;

inline std::uint64_t spread(QRgb c)
{
    return (c & 0x00FF00FFu) | (std::uint64_t(c & 0xFF00FF00u) << 24);
}

inline QRgb gathered(std::uint64_t lanes)
{
    return QRgb((lanes & 0x00FF00FFu) | ((lanes >> 24) & 0xFF00FF00u));
}

// src (opaque) * alpha + dst * (1 - alpha) in every lane, rounded as x / 255 is. No lane can
// carry into the next: 255 x 255 + 128 + 254 stays below 65536. An alpha of 0 keeps dst and
// one of 255 gives src exactly.
inline std::uint64_t over(std::uint64_t dst, std::uint64_t src, unsigned alpha)
{
    const std::uint64_t t = src * alpha + dst * (255 - alpha) + 0x0080008000800080u;
    return ((t + ((t >> 8) & kLanes)) >> 8) & kLanes;
}

// One pixel of a line: the outline colour, the ring colour over it and the text colour over
// both, each in proportion to its coverage. A layer of no coverage leaves the pixel as it is and
// one of full coverage replaces it, so only the layers in between are blended.
inline QRgb paintPixel(QRgb dst, unsigned a0, unsigned a1, unsigned a2, const QRgb colours[3],
                       const std::uint64_t lanes[3])
{
    if (a2 == 255)
        return colours[2];
    std::uint64_t p;
    if (a1 == 255) {
        p = lanes[1];
    } else {
        p = a0 == 255 ? lanes[0] : a0 == 0 ? spread(dst) : over(spread(dst), lanes[0], a0);
        if (a1 != 0)
            p = over(p, lanes[1], a1);
    }
    if (a2 != 0)
        p = over(p, lanes[2], a2);
    return gathered(p);
}

#if defined(__SSE2__) && defined(__GNUC__)
// Four pixels at once, a 16-bit lane per channel in the compiler's vector type (two SSE2
// registers, or one AVX2 register in the AVX2 build): the blends of paintPixel without its
// shortcuts, which give the same values (an alpha of 0 or 255 needs no special case). Every
// layer is blended: a test per layer would cost more in mispredicted branches than it saves.
// Paints pixels row[0..3] from the coverages at cover[k] + at; `colourWords` holds each colour
// four times over, a channel to a lane.
inline void paintFour(QRgb* row, const std::uint8_t* const cover[3], int at,
                      const CoverWords colourWords[3])
{
    CoverBytes bytes;
    std::memcpy(&bytes, row, 16);
    CoverWords p = __builtin_convertvector(bytes, CoverWords);
    for (int k = 0; k < 3; ++k) {
        std::int32_t four;
        std::memcpy(&four, cover[k] + at, 4);
        // Each coverage over its pixel's four channels.
        __m128i spread = _mm_cvtsi32_si128(four);
        spread = _mm_unpacklo_epi8(spread, spread);
        spread = _mm_unpacklo_epi16(spread, spread);
        CoverBytes alphaBytes;
        std::memcpy(&alphaBytes, &spread, 16);
        const CoverWords alpha = __builtin_convertvector(alphaBytes, CoverWords);
        // src * alpha + dst * (1 - alpha), rounded as x / 255 is; no lane passes 65535.
        const CoverWords t = colourWords[k] * alpha + p * (255 - alpha) + 128;
        p = (t + (t >> 8)) >> 8;
    }
    bytes = __builtin_convertvector(p, CoverBytes);
    std::memcpy(row, &bytes, 16);
}
#endif

// Paints one line's coverages over the picture (whose top-left is `box`'s), pixel by pixel as
// paintPixel does.
// Compiled for AVX2 as well, as coverLine is.
LUMELLE_WIDE_VECTORS void paintCoverage(QImage& argb, const QRect& box, const LineCoverage& line,
                                        const QRgb colours[3])
{
    const std::uint64_t lanes[3] = {spread(colours[0]), spread(colours[1]), spread(colours[2])};
#if defined(__SSE2__) && defined(__GNUC__)
    CoverWords colourWords[3];
    for (int k = 0; k < 3; ++k) {
        const QRgb four[4] = {colours[k], colours[k], colours[k], colours[k]};
        CoverBytes bytes;
        std::memcpy(&bytes, four, 16);
        colourWords[k] = __builtin_convertvector(bytes, CoverWords);
    }
#endif
    const int w = line.area.width();
    const std::size_t stride = line.stride;
    for (int r = 0; r < line.area.height(); ++r) {
        auto* row = reinterpret_cast<QRgb*>(argb.scanLine(line.area.top() + r - box.top())) +
                    (line.area.left() - box.left());
        const std::size_t at = std::size_t(r) * stride;
        const std::uint8_t* cover[3] = {line.layers[0].data() + at, line.layers[1].data() + at,
                                        line.layers[2].data() + at};
        // Eight pixels at a time where they are all alike: untouched, or wholly one layer.
        constexpr std::uint64_t kFull = ~std::uint64_t(0);
        int i = 0;
        for (; i + 8 <= w; i += 8) {
            std::uint64_t o, g, t;
            std::memcpy(&o, cover[0] + i, 8);
            std::memcpy(&g, cover[1] + i, 8);
            std::memcpy(&t, cover[2] + i, 8);
            if ((o | g | t) == 0)
                continue;
            if (t == kFull) {
                std::fill(row + i, row + i + 8, colours[2]);
            } else if (t == 0 && g == kFull) {
                std::fill(row + i, row + i + 8, colours[1]);
            } else if (t == 0 && g == 0 && o == kFull) {
                std::fill(row + i, row + i + 8, colours[0]);
            } else {
#if defined(__SSE2__) && defined(__GNUC__)
                paintFour(row + i, cover, i, colourWords);
                paintFour(row + i + 4, cover, i + 4, colourWords);
#else
                for (int k = i; k < i + 8; ++k)
                    row[k] =
                        paintPixel(row[k], cover[0][k], cover[1][k], cover[2][k], colours, lanes);
#endif
            }
        }
        for (; i < w; ++i)
            row[i] = paintPixel(row[i], cover[0][i], cover[1][i], cover[2][i], colours, lanes);
    }
}

// Draws a line that has no shaped layout (or one struck out) with the painter: its outlines
// stroked for the rings, then filled.
void paintLineOutlines(QImage& argb, const QRect& box, const QPainterPath& path, qreal outline,
                       qreal ring, const QRgb colours[3])
{
    QPainter painter(&argb);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.translate(-box.topLeft());
    painter.strokePath(
        path, QPen(QColor(colours[0]), 2 * outline, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.strokePath(
        path, QPen(QColor(colours[1]), 2 * ring, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.fillPath(path, QColor(colours[2]));
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
    const QRect frameRect(QPoint(0, 0), frame);
    // Each line as placed glyphs when it is shaped, else as outlines. The glyphs stay in their
    // stores (which hold them at fixed places) until the picture is drawn.
    trimGlyphStores();
    const std::size_t n = layout->pieces.size();
    thread_local std::vector<std::vector<PlacedGlyph>> placed;
    placed.resize(std::max(placed.size(), n));
    std::vector<QPainterPath> paths(n);
    std::vector<bool> shaped(n, false);
    QRect bounds;
    for (std::size_t k = 0; k < n; ++k) {
        const int x = layout->cells[k].x(), y = layout->cells[k].y();
        shaped[k] = placeGlyphs(layout->pieces[k], x, y, outline, ring, placed[k]);
        if (shaped[k]) {
            for (const PlacedGlyph& g : placed[k])
                bounds |= QRect(g.at, QSize(g.coverage->width, g.coverage->height));
            continue;
        }
        paths[k] = lineOutlines(layout->pieces[k], x, y);
        // A pixel more than the outline for the antialiased edge.
        if (!paths[k].isEmpty())
            bounds |= paths[k]
                          .boundingRect()
                          .adjusted(-outline - 1, -outline - 1, outline + 1, outline + 1)
                          .toAlignedRect();
    }
    const QRect box = bounds.intersected(frameRect);
    image.box = box;
    if (box.isEmpty()) {
        image.argb = QImage();
        return true;
    }
    if (image.argb.size() != box.size() ||
        image.argb.format() != QImage::Format_ARGB32_Premultiplied)
        image.argb = QImage(box.size(), QImage::Format_ARGB32_Premultiplied);
    image.argb.fill(Qt::transparent);
    const QRgb colours[3] = {toRgb(s.outlineColor), toRgb(s.antialiasColor), toRgb(s.textColor)};
    // Each line whole, one over the other: a later line's outline covers an earlier line. Within
    // a line every glyph's outline lies under every glyph's ring, and the rings under the text,
    // so that one glyph's outline never covers its neighbour.
    thread_local LineCoverage coverage;
    for (std::size_t k = 0; k < n; ++k) {
        if (!shaped[k]) {
            if (!paths[k].isEmpty())
                paintLineOutlines(image.argb, box, paths[k], outline, ring, colours);
            continue;
        }
        coverLine(coverage, placed[k], box);
        if (!coverage.area.isEmpty())
            paintCoverage(image.argb, box, coverage, colours);
    }
    return true;
}

} // namespace lumelle
