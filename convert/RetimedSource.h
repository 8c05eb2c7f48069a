// The timing choices that hold for every input, applied at one place between the reader's
// source and the run: a shift by a time, a change of speed from one frame rate to another,
// and which pictures to keep by their forced flag. Text, PGS and any later reader get them
// alike, since they see only the source.
#pragma once

#include "convert/PictureSource.h"
#include "subtitle/FrameRate.h"

#include <memory>
#include <vector>

namespace lumelle {

enum class ForcedChoice { Keep, Only, Drop };

struct Retiming
{
    long long shiftMs = 0; // added after the speed change, in the output's time
    // Times and durations are multiplied by from / to (23.976 to 25 for a PAL release); both
    // zero: the speed stays.
    FrameRate speedFrom;
    FrameRate speedTo;
    ForcedChoice forced = ForcedChoice::Keep;

    bool changesSpeed() const { return speedFrom.framesPer1000Seconds() > 0; }
    // True when the source is handed on as it is.
    bool isNone() const { return shiftMs == 0 && !changesSpeed() && forced == ForcedChoice::Keep; }
};

// Frame `frame` of a run at `rate` after the speed change and the shift, each rounded to the
// nearest frame (halves to the even one).
int RetimedFrame(int frame, const Retiming& retiming, FrameRate rate);

// A source whose pictures show at the retimed times. A picture that ends at or before 0 once
// retimed is left out and counted as skipped; one that starts before 0 and ends after shows
// from 0. Pictures the forced choice does not take are left out and counted in leftOut().
class RetimedPictureSource : public PictureSource
{
public:
    RetimedPictureSource(std::shared_ptr<PictureSource> inner, const Retiming& retiming,
                         FrameRate rate);

    void useForm(const PictureForm& form) override { m_inner->useForm(form); }
    // The writer's checks see every subtitle's retimed start (0 for one that began before).
    void plan(const std::function<void(int startFrame, int number)>& checkStart) override;
    int count() const override { return int(m_kept.size()); }
    PictureTimes times(int index) const override { return m_times[std::size_t(index)]; }
    int merged() const override { return m_inner->merged(); }
    PalettePlan palette() const override { return m_inner->palette(); }
    QStringList notes() const override;
    int skipped() const override { return m_inner->skipped() + m_beforeStart; }
    std::vector<int> picturesPerStream() const override { return m_perStream; }
    void startWorkers(int workers) override { m_inner->startWorkers(workers); }
    TimedPicture draw(int index, int worker) override;
    const SubtitleImage& drawShown(int index) override;

    // Pictures left out by the forced choice.
    int leftOut() const { return m_leftOut; }

private:
    std::shared_ptr<PictureSource> m_inner;
    Retiming m_retiming;
    FrameRate m_rate;
    std::vector<int> m_kept; // the inner index of each picture handed on
    std::vector<PictureTimes> m_times;
    std::vector<int> m_perStream;
    QStringList m_notes;
    int m_beforeStart = 0;
    int m_leftOut = 0;
};

} // namespace lumelle
