#include "cli/Brightness.h"

#include <algorithm>
#include <cmath>

namespace lumelle {

namespace {

constexpr double kGamma = 2.2;

} // namespace

BrightnessScale::BrightnessScale(int percent)
{
    const double factor = std::pow(std::clamp(percent, 0, 100) / 100.0, 1.0 / kGamma);
    for (int v = 0; v < 256; ++v)
        m_table[std::size_t(v)] = std::uint8_t(std::lround(v * factor));
}

ColorValue BrightnessScale::colour(ColorValue c) const
{
    return makeColor(component(redOf(c)), component(greenOf(c)), component(blueOf(c)));
}

BrightnessSource::BrightnessSource(std::shared_ptr<PictureSource> inner, int percent)
    : m_inner(std::move(inner)), m_scale(percent)
{}

PalettePlan BrightnessSource::palette() const
{
    PalettePlan plan = m_inner->palette();
    for (ColorValue& c : plan.extra)
        c = m_scale.colour(c);
    return plan;
}

void BrightnessSource::startWorkers(int workers)
{
    m_inner->startWorkers(workers);
    m_workers.resize(std::size_t(workers));
}

TimedPicture BrightnessSource::draw(int index, int worker)
{
    TimedPicture picture = m_inner->draw(index, worker);
    Worker& w = m_workers[std::size_t(worker)];
    if (picture.layers) {
        // The layers stay as drawn; only the colours they are painted in change.
        w.layers = *picture.layers;
        // Layer 0 is the background, never shown: its blue stays the one the palette holds.
        for (int layer = 1; layer < 4; ++layer)
            w.layers.colours[layer] = m_scale.colour(w.layers.colours[layer]);
        picture.layers = &w.layers;
    }
    if (picture.colour) {
        w.colour.box = picture.colour->box;
        w.colour.argb = picture.colour->argb.convertToFormat(QImage::Format_ARGB32_Premultiplied);
        // Premultiplied components scale as the plain ones do; alpha stays.
        for (int y = 0; y < w.colour.argb.height(); ++y) {
            auto* row = reinterpret_cast<QRgb*>(w.colour.argb.scanLine(y));
            for (int x = 0; x < w.colour.argb.width(); ++x) {
                const QRgb p = row[x];
                row[x] = qRgba(m_scale.component(qRed(p)), m_scale.component(qGreen(p)),
                               m_scale.component(qBlue(p)), qAlpha(p));
            }
        }
        picture.colour = &w.colour;
    }
    return picture;
}

} // namespace lumelle
