// The Blu-ray PGS form: NAME.sup, a presentation graphics stream as Blu-ray authoring programs
// and Matroska take it, drawn in full colour at a Blu-ray frame size. Each picture is a display
// set that starts an epoch, or goes on in the epoch before when there is no time to start one,
// followed by one that clears the screen when it ends; every set can be decoded after the one
// before it is shown.
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
    void finish(const QDir& folder, const QStringList& inputs, GenerationResult& result) override;

private:
    // Writes bytes to the .sup file; append() also lets the system start writing them out.
    void put(const std::uint8_t* data, std::size_t size);
    void append(const pgs::Bytes& bytes);
    // Writes the clearing display set that is due; returns when it is shown.
    std::int64_t writeClear(std::int64_t ticks);
    // Where the show of `windows` wanted at `start` goes, after the set shown at `after`.
    pgs::Placement placeShow(const std::vector<QRect>& windows, std::int64_t start,
                             std::int64_t after) const;
    // Counts a picture shown later than its start, for the run's notes.
    void noteLate(int number, std::int64_t start, std::int64_t shown);

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
    // The last display set: when it is shown (-1 before the first); the windows of its epoch
    // and the version its palette and objects have there.
    std::int64_t m_lastShown = -1;
    std::vector<QRect> m_epochWindows;
    std::uint8_t m_version = 0;
    // Pictures shown later than their start, so that a player has time to decode them.
    int m_late = 0;
    int m_stepsLeftOut = 0;
    int m_lastNumber = 0; // the subtitle of the last picture written
    std::int64_t m_mostLate = 0;
    // The first picture, when it is shown late: its subtitle and by how many ticks.
    std::optional<std::pair<int, std::int64_t>> m_firstLate;
};

} // namespace lumelle
