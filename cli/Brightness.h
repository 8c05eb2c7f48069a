// --brightness: every colour written at a share of its light, white included, for HDR video on
// which subtitles drawn at full white glare. The colours are scaled where the pictures leave
// their source, so that every form gets them alike: in the VobSub palette, in the colours of a
// PGS palette, in the pixels of a BDN picture.
#pragma once

#include "convert/PictureSource.h"
#include "platform/Colour.h"

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

namespace lumelle {

// The scaling of one colour component (0..255, premultiplied or not) at `percent` of the
// light: the component is a power (2.2) of the light, so the light's share is the component's
// share to that power.
class BrightnessScale
{
public:
    explicit BrightnessScale(int percent);
    std::uint8_t component(int value) const { return m_table[std::size_t(value & 0xFF)]; }
    ColorValue colour(ColorValue c) const;
    bool changesNothing() const { return m_table[255] == 255; }

private:
    std::array<std::uint8_t, 256> m_table{};
};

// `inner`'s pictures with every colour scaled.
class BrightnessSource : public PictureSource
{
public:
    BrightnessSource(std::shared_ptr<PictureSource> inner, int percent);

    void useForm(const PictureForm& form) override { m_inner->useForm(form); }
    void plan(const std::function<void(int startFrame, int number)>& checkStart) override
    {
        m_inner->plan(checkStart);
    }
    int count() const override { return m_inner->count(); }
    PictureTimes times(int index) const override { return m_inner->times(index); }
    int merged() const override { return m_inner->merged(); }
    PalettePlan palette() const override;
    QStringList notes() const override { return m_inner->notes(); }
    int skipped() const override { return m_inner->skipped(); }
    std::vector<int> picturesPerStream() const override { return m_inner->picturesPerStream(); }
    void startWorkers(int workers) override;
    TimedPicture draw(int index, int worker) override;
    // The converter shows no pictures: what is shown stays the source's own.
    const SubtitleImage& drawShown(int index) override { return m_inner->drawShown(index); }

private:
    struct Worker
    {
        LayerMasks layers;
        ColourImage colour;
    };

    std::shared_ptr<PictureSource> m_inner;
    BrightnessScale m_scale;
    std::vector<Worker> m_workers;
};

} // namespace lumelle
