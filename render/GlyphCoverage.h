// The coverage of each glyph drawn in full colour (text, antialias ring and outline ring as
// 8-bit alpha), drawn once and kept per thread for every later picture. For render/ only.
#pragma once

#include <QPoint>
#include <QPointF>
#include <QRawFont>
#include <QString>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <unordered_map>
#include <vector>

namespace lumelle {

// Coverage rows are padded to a multiple of this many bytes, so that they can be laid over one
// another in whole vector steps.
constexpr std::size_t kCoverageRowAlign = 16;

// A row of `width` bytes with its padding.
constexpr std::size_t RoundedCoverageRow(int width)
{
    return (std::size_t(width) + kCoverageRowAlign - 1) / kCoverageRowAlign * kCoverageRowAlign;
}

// The three coverages of one glyph (8-bit alpha, one byte per pixel, `width` of them in rows
// `stride` bytes apart, the padding after them holding no coverage): the outline ring, the
// antialias ring and the glyph itself, drawn once per font, glyph, outline width and
// quarter-pixel position, then placed wherever the glyph is drawn. `origin` is where the
// top-left pixel lies from the glyph's pen position, rounded down to whole pixels.
struct GlyphCoverage
{
    QPoint origin;
    int width = 0;
    int height = 0;
    std::size_t stride = 0;              // RoundedCoverageRow(width)
    std::vector<std::uint8_t> layers[3]; // outline, ring, text
};

// Glyph positions are rounded to a quarter pixel: finer steps would not change an edge's alpha
// by more than a few levels.
constexpr int kSubpixelSteps = 4;

// Draws the coverages of `glyph` of `font`, its pen position `offset` (less than a pixel) from
// a whole pixel, the rings reaching `outline` and `ring` pixels out from the glyph's edge.
GlyphCoverage rasterGlyph(const QRawFont& font, quint32 glyph, qreal outline, qreal ring,
                          QPointF offset);

// The glyphs of one font at one outline width, as drawn so far on this thread.
struct FontGlyphs
{
    QString key;
    std::unordered_map<std::uint64_t, GlyphCoverage> glyphs;
};

// Keeps the stores small: a film uses few fonts, and a font's glyphs are forgotten once they are
// many. Called before a picture is drawn, never during one, so that every glyph a picture has
// placed stays where it is until the picture is done.
void trimGlyphStores();

// The glyph store of a font: the family, style, pixel size, weight and slant name the font;
// the two ring widths complete what a glyph's coverage depends on.
FontGlyphs& fontGlyphs(const QRawFont& font, qreal outline, qreal ring);

// A glyph's coverage at pen position `at`; `pixel` gets the whole-pixel part of the position.
// Inline: it is looked up for every glyph drawn.
inline const GlyphCoverage& glyphCoverage(FontGlyphs& store, const QRawFont& font, quint32 glyph,
                                          QPointF at, qreal outline, qreal ring, QPoint& pixel)
{
    const auto quarters = [](qreal v) { return qint64(std::floor(v * kSubpixelSteps + 0.5)); };
    const qint64 qx = quarters(at.x()), qy = quarters(at.y());
    const qint64 wholeX =
        qx >= 0 ? qx / kSubpixelSteps : -((-qx + kSubpixelSteps - 1) / kSubpixelSteps);
    const qint64 wholeY =
        qy >= 0 ? qy / kSubpixelSteps : -((-qy + kSubpixelSteps - 1) / kSubpixelSteps);
    const int fx = int(qx - wholeX * kSubpixelSteps), fy = int(qy - wholeY * kSubpixelSteps);
    pixel = QPoint(int(wholeX), int(wholeY));
    const std::uint64_t key = (std::uint64_t(glyph) << 8) | std::uint64_t(fx * kSubpixelSteps + fy);
    if (auto it = store.glyphs.find(key); it != store.glyphs.end())
        return it->second;
    const QPointF offset(qreal(fx) / kSubpixelSteps, qreal(fy) / kSubpixelSteps);
    return store.glyphs.emplace(key, rasterGlyph(font, glyph, outline, ring, offset)).first->second;
}

} // namespace lumelle
