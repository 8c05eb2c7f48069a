// Pictures read from a Blu-ray presentation graphics stream (or any list of pictures), handed
// to any writer: in full
// colour, resized to the writer's frame, or reduced to the four inks of a DVD picture at the
// DVD frame, anamorphic for the display shape chosen so that letters stay round.
#pragma once

#include "convert/PictureSource.h"
#include "pgs/InkReduction.h"
#include "pgs/PgsReader.h"
#include "pgs/PictureList.h"
#include "pgs/PicturePlacement.h"
#include "subtitle/FrameRate.h"

#include <QRectF>
#include <memory>
#include <vector>

namespace lumelle::pgs {

struct PgsSourceSettings
{
    FrameRate rate = kPalFrameRate;
    QSize dvdFrame{720, 576};
    bool wide = true; // the DVD picture shows 16:9, else 4:3
    LayerInks inks{makeColor(255, 255, 255), makeColor(0, 0, 0), makeColor(128, 128, 128)};
    bool forced = false; // every picture forced
    // The display shape (width over height) of the stream's own frame; 0: its pixels are
    // square. A DVD picture read back is anamorphic, so its frame shows wider than its pixels.
    double sourceShape = 0;
    PicturePlacement placement;
};

// Where the frame `from` lies in the frame `to` when shown at the display shape `toShape`
// (width over height): as large as fits, centred, its own shape kept on screen. `fromShape`
// is the shape `from` shows at; 0: that of its pixels.
QRectF FittedFrame(QSize from, QSize to, double toShape, double fromShape = 0);

class PgsPictureSource : public PictureSource
{
public:
    PgsPictureSource(std::shared_ptr<const ReadStream> stream, const PgsSourceSettings& settings);
    PgsPictureSource(std::shared_ptr<const PictureList> pictures,
                     const PgsSourceSettings& settings);

    void useForm(const PictureForm& form) override;
    void plan(const std::function<void(int startFrame, int number)>& checkStart) override;
    int count() const override;
    PictureTimes times(int index) const override;
    int merged() const override { return 0; }
    PalettePlan palette() const override { return m_palette; }
    QStringList notes() const override { return m_notes; }
    void startWorkers(int workers) override;
    TimedPicture draw(int index, int worker) override;
    const SubtitleImage& drawShown(int index) override;

private:
    struct Worker
    {
        ColourImage read;   // at the stream's frame
        ColourImage placed; // at the output's frame
        SubtitleImage image;
        std::array<std::uint8_t, 3> opacity{15, 15, 15};
    };
    // Picture `index` at the output's frame, in full colour, where the placement puts it.
    const ColourImage& placed(int index, Worker& worker) const;
    // The same resized to the output's frame, before the placement.
    const ColourImage& resized(int index, Worker& worker) const;
    // The display shape the output's frame shows at, width over height.
    double shownShape() const;
    void drawInks(int index, Worker& worker) const;

    std::shared_ptr<const PictureList> m_pictures;
    PgsSourceSettings m_settings;
    bool m_colour = false;
    QSize m_frame; // the output's frame
    std::vector<PictureTimes> m_times;
    std::vector<SourceInks> m_sourceInks;
    std::vector<ColorValue> m_textInks; // the palette's colour each picture's text takes
    PalettePlan m_palette;
    QStringList m_notes;
    std::vector<Worker> m_workers;
    Worker m_shown;
};

} // namespace lumelle::pgs
