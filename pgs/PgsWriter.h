// The Blu-ray PGS form: NAME.sup, a presentation graphics stream as Blu-ray authoring programs
// and Matroska take it, drawn in full colour at a Blu-ray frame size. Each picture is a display
// set that starts an epoch, followed by one that clears the screen when it ends.
#pragma once

#include "convert/PictureWriter.h"
#include "output/OutputFiles.h"
#include "pgs/BluRayForm.h"
#include "pgs/PgsSegments.h"

#include <optional>

namespace lumelle {

class PgsWriter : public PictureWriter
{
public:
    explicit PgsWriter(const BluRayOptions& options);

    static const OutputSet& supFile();

    const OutputSet& outputs() const override;
    PictureForm form() const override;
    void checkStart(int startFrame, int number) const override;
    void planStreams(const std::vector<int>& picturesPerStream) override;
    void open(const QStringList& paths) override;
    EncodedPicture encode(const TimedPicture& picture) const override;
    void write(const PictureTimes& times, const EncodedPicture& encoded) override;
    void commit() override;
    void discard() override;

private:
    // Writes bytes to the .sup file; append() also lets the system start writing them out.
    void put(const std::uint8_t* data, std::size_t size);
    void append(const pgs::Bytes& bytes);

    BluRayOptions m_options;
    pgs::StreamFrame m_frame;
    StagedSet m_files;
    StagedFile* m_sup = nullptr;
    qint64 m_written = 0;
    std::uint16_t m_composition = 0;
    // The screen to clear once the last picture written ends: when, and its windows.
    struct PendingClear
    {
        std::int64_t ticks;
        std::vector<QRect> windows;
    };
    std::optional<PendingClear> m_pending;
};

} // namespace lumelle
