// Pictures read from DVD subtitles (a VobSub pair or a DVD .sup), handed to any writer. For a
// DVD form at the frame they were made for, each pixel keeps its value's ink, colour and
// contrast; for any other form or frame they are raised to full colour through the file's
// palette and contrast and drawn again as a Blu-ray stream's pictures are.
#pragma once

#include "pgs/PgsPictureSource.h"
#include "vobsub/DvdPicture.h"

#include <map>
#include <memory>

namespace lumelle::pgs {

class DvdPictureSource : public PictureSource
{
public:
    // The pictures of `read`'s stream `stream` (of read.streams). `settings.sourceShape` is the
    // shape the DVD frame shows at (the --aspect of the input).
    DvdPictureSource(std::shared_ptr<const DvdRead> read, int stream,
                     const PgsSourceSettings& settings);

    void useForm(const PictureForm& form) override;
    void plan(const std::function<void(int startFrame, int number)>& checkStart) override;
    int count() const override { return m_shown.count(); }
    PictureTimes times(int index) const override { return m_shown.times(index); }
    int merged() const override { return 0; }
    PalettePlan palette() const override;
    QStringList notes() const override { return m_shown.notes(); }
    void startWorkers(int workers) override;
    TimedPicture draw(int index, int worker) override;
    const SubtitleImage& drawShown(int index) override;

    // The frame the pictures were made for: the index's size, else the DVD frame of the
    // settings, 576 rows high when a picture reaches below row 480.
    QSize frame() const { return m_frame; }

private:
    struct Worker
    {
        SubtitleImage image;
        std::array<std::uint8_t, 3> opacity{15, 15, 15};
    };
    void drawLayers(int index, Worker& worker) const;

    std::shared_ptr<const DvdRead> m_read;
    const DvdStream& m_stream;
    PgsSourceSettings m_settings;
    QSize m_frame;
    PgsPictureSource m_shown; // the pictures in full colour, for every other form
    bool m_keep = false;      // the pictures keep their own inks
    PalettePlan m_palette;
    std::map<ColorValue, ColorValue> m_inkOf; // a colour of the file -> the one it shows in
    std::vector<Worker> m_workers;
    Worker m_preview;
};

} // namespace lumelle::pgs
