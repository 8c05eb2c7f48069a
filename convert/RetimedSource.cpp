#include "convert/RetimedSource.h"

#include "platform/Error.h"

#include <algorithm>
#include <limits>

namespace lumelle {

namespace {

bool taken(bool forced, ForcedChoice choice)
{
    return choice == ForcedChoice::Keep || forced == (choice == ForcedChoice::Only);
}

// Why a source with pictures hands on none; nothing is written then.
QString nothingLeft(ForcedChoice choice, int leftOut)
{
    if (leftOut > 0 && choice == ForcedChoice::Only)
        return QStringLiteral("no subtitle is forced: nothing to write");
    if (leftOut > 0 && choice == ForcedChoice::Drop)
        return QStringLiteral("every subtitle is forced: nothing to write");
    return QStringLiteral("every subtitle ends before 00:00:00 once retimed: nothing to write");
}

} // namespace

int RetimedFrame(int frame, const Retiming& retiming, FrameRate rate)
{
    // The speed scales the frame; the shift is rounded to whole frames once, so that every
    // picture moves by the same number of frames and the gaps between them stay as they were.
    // The rate counts frames per 1000 seconds, the shift milliseconds.
    std::int64_t moved = frame;
    if (retiming.changesSpeed())
        moved = DivideRoundHalfEven(moved * retiming.speedFrom.framesPer1000Seconds(),
                                    retiming.speedTo.framesPer1000Seconds());
    moved += DivideRoundHalfEven(retiming.shiftMs * rate.framesPer1000Seconds(), 1000000);
    constexpr std::int64_t kMax = std::numeric_limits<int>::max();
    return int(std::clamp(moved, -kMax, kMax));
}

RetimedPictureSource::RetimedPictureSource(std::shared_ptr<PictureSource> inner,
                                           const Retiming& retiming, FrameRate rate)
    : m_inner(std::move(inner)), m_retiming(retiming), m_rate(rate)
{}

void RetimedPictureSource::plan(const std::function<void(int startFrame, int number)>& checkStart)
{
    m_inner->plan([&](int startFrame, int number) {
        checkStart(std::max(0, RetimedFrame(startFrame, m_retiming, m_rate)), number);
    });
    m_kept.clear();
    m_times.clear();
    m_notes.clear();
    m_beforeStart = m_leftOut = 0;
    m_perStream.assign(m_inner->picturesPerStream().size(), 0);
    for (int i = 0; i < m_inner->count(); ++i) {
        PictureTimes t = m_inner->times(i);
        if (!taken(t.forced, m_retiming.forced)) {
            ++m_leftOut;
            continue;
        }
        t.start = RetimedFrame(t.start, m_retiming, m_rate);
        t.end = RetimedFrame(t.end, m_retiming, m_rate);
        if (t.end <= 0 && t.start < 0) {
            ++m_beforeStart;
            m_notes << QStringLiteral("subtitle %1 ends before 00:00:00 once retimed: left out")
                           .arg(t.number);
            continue;
        }
        t.start = std::max(0, t.start);
        m_kept.push_back(i);
        m_times.push_back(t);
        if (t.stream >= 0 && std::size_t(t.stream) < m_perStream.size())
            ++m_perStream[std::size_t(t.stream)];
    }
    if (m_kept.empty() && m_inner->count() > 0)
        throw Error(nothingLeft(m_retiming.forced, m_leftOut));
    if (m_leftOut > 0)
        m_notes << QStringLiteral("%1 %2 left out: %3")
                       .arg(m_leftOut)
                       .arg(m_leftOut == 1 ? QStringLiteral("picture") : QStringLiteral("pictures"))
                       .arg(m_retiming.forced == ForcedChoice::Only ? QStringLiteral("not forced")
                                                                    : QStringLiteral("forced"));
}

QStringList RetimedPictureSource::notes() const
{
    return m_inner->notes() + m_notes;
}

TimedPicture RetimedPictureSource::draw(int index, int worker)
{
    TimedPicture picture = m_inner->draw(m_kept[std::size_t(index)], worker);
    picture.times = m_times[std::size_t(index)];
    return picture;
}

const SubtitleImage& RetimedPictureSource::drawShown(int index)
{
    return m_inner->drawShown(m_kept[std::size_t(index)]);
}

} // namespace lumelle
