#include "render/GlyphCoverage.h"

#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPainterPathStroker>

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

namespace lumelle {

GlyphCoverage rasterGlyph(const QRawFont& font, quint32 glyph, qreal outline, qreal ring,
                          QPointF offset)
{
    const QPainterPath path = font.pathForGlyph(glyph);
    GlyphCoverage coverage;
    if (path.isEmpty())
        return coverage;
    const auto stroked = [&path](qreal width) {
        QPainterPathStroker stroker;
        stroker.setWidth(2 * width);
        stroker.setCapStyle(Qt::RoundCap);
        stroker.setJoinStyle(Qt::RoundJoin);
        return stroker.createStroke(path);
    };
    const QPainterPath shapes[3] = {stroked(outline), stroked(ring), path};
    // The outline ring holds the other two; a pixel more for the antialiased edge.
    const QRect area =
        shapes[0].boundingRect().translated(offset).adjusted(-1, -1, 1, 1).toAlignedRect();
    coverage.origin = area.topLeft();
    coverage.width = area.width();
    coverage.height = area.height();
    coverage.stride = RoundedCoverageRow(area.width());
    QImage layer(area.size(), QImage::Format_Alpha8);
    for (int k = 0; k < 3; ++k) {
        layer.fill(0);
        {
            QPainter painter(&layer);
            painter.setRenderHint(QPainter::Antialiasing, true);
            painter.translate(offset - QPointF(area.topLeft()));
            painter.fillPath(shapes[k], Qt::black);
        }
        std::vector<std::uint8_t>& bytes = coverage.layers[k];
        bytes.assign(coverage.stride * std::size_t(area.height()), 0);
        for (int r = 0; r < area.height(); ++r)
            std::memcpy(bytes.data() + std::size_t(r) * coverage.stride, layer.constScanLine(r),
                        std::size_t(area.width()));
    }
    return coverage;
}

namespace {

// The glyph stores of this thread, most recently used first.
std::vector<std::unique_ptr<FontGlyphs>>& glyphStores()
{
    thread_local std::vector<std::unique_ptr<FontGlyphs>> stores;
    return stores;
}

} // namespace

void trimGlyphStores()
{
    constexpr std::size_t kMaxFonts = 8;
    constexpr std::size_t kMaxGlyphs = 4096;
    std::vector<std::unique_ptr<FontGlyphs>>& stores = glyphStores();
    if (stores.size() > kMaxFonts)
        stores.resize(kMaxFonts);
    for (const auto& store : stores)
        if (store->glyphs.size() > kMaxGlyphs)
            store->glyphs.clear();
}

FontGlyphs& fontGlyphs(const QRawFont& font, qreal outline, qreal ring)
{
    std::vector<std::unique_ptr<FontGlyphs>>& stores = glyphStores();
    const QString key = QStringLiteral("%1|%2|%3|%4|%5|%6")
                            .arg(font.familyName(), font.styleName())
                            .arg(font.pixelSize())
                            .arg(int(font.weight()) * 4 + int(font.style()))
                            .arg(outline)
                            .arg(ring);
    for (auto it = stores.begin(); it != stores.end(); ++it) {
        if ((*it)->key == key) {
            std::rotate(stores.begin(), it, it + 1);
            return *stores.front();
        }
    }
    stores.insert(stores.begin(), std::make_unique<FontGlyphs>(FontGlyphs{key, {}}));
    return *stores.front();
}

} // namespace lumelle
