#include "subtitle/EntryTimes.h"

#include "subtitle/LineReader.h"
#include "subtitle/TimeCodes.h"

#include <algorithm>
#include <cstdlib>

namespace lumelle {

EntryTimes JudgeTimes(std::int64_t start, std::int64_t end)
{
    if (end == start)
        return EntryTimes::EndsAsItStarts;
    if (start < 0)
        return end <= 0 ? EntryTimes::WhollyBeforeZero : EntryTimes::StartsBeforeZero;
    if (end < start)
        return EntryTimes::EndsBeforeStart;
    return EntryTimes::AsWritten;
}

QString TimesReason(EntryTimes judged)
{
    switch (judged) {
    case EntryTimes::EndsBeforeStart:
        return QStringLiteral("ends before it starts; shown until the next subtitle starts, at "
                              "most 5 s");
    case EntryTimes::StartsBeforeZero:
        return QStringLiteral("starts before 00:00:00,000; shown from 00:00:00,000");
    case EntryTimes::WhollyBeforeZero:
        return QStringLiteral("ends before 00:00:00,000");
    case EntryTimes::AsWritten:
    case EntryTimes::EndsAsItStarts:
        break;
    }
    return QString();
}

QString StartOutOfStream(std::int64_t frame)
{
    if (frame < 0)
        return QStringLiteral("starts before 00:00:00,000");
    return QStringLiteral("starts later than a subtitle stream can hold (before %1)")
        .arg(QString::fromLatin1(kLatestStartText));
}

bool ShowsNoText(const SubtitleLine& entry)
{
    for (const std::string& line : entry.TextLines()) {
        if (!IsBlankLine(line))
            return false;
    }
    return true;
}

EntriesWithOpenEnds::EntriesWithOpenEnds(EntryStore& store, FrameRate rate)
    : m_store(store), m_longest(rate.framesPer1000Seconds() * 5 / 1000)
{}

void EntriesWithOpenEnds::add(SubtitleLine entry, bool openEnd)
{
    if (m_waiting)
        release(&entry);
    m_waiting = openEnd;
    if (openEnd)
        m_open = std::move(entry);
    else
        m_store.append(entry);
}

void EntriesWithOpenEnds::endWaitingAt(const SubtitleLine& next)
{
    if (m_waiting)
        release(&next);
    m_waiting = false;
}

void EntriesWithOpenEnds::finish()
{
    if (m_waiting)
        release(nullptr);
    m_waiting = false;
}

void EntriesWithOpenEnds::release(const SubtitleLine* next)
{
    const std::int64_t start = std::strtoll(m_open.StartFrame.c_str(), nullptr, 10);
    std::int64_t end = start + m_longest;
    if (next) {
        const std::int64_t nextStart = std::strtoll(next->StartFrame.c_str(), nullptr, 10);
        if (nextStart > start)
            end = std::min(end, nextStart);
    }
    m_open.EndFrame = std::to_string(end);
    m_store.append(m_open);
}

} // namespace lumelle
