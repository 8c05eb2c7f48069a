// What the readers do with the times of an entry that cannot be shown as written: an end at
// or before the start, a start before zero, and an end left open.
#pragma once

#include "subtitle/EntryStore.h"
#include "subtitle/FrameRate.h"
#include "subtitle/Subtitle.h"

#include <cstdint>

namespace lumelle {

// An entry's times, in the file's own unit (milliseconds or frames), judged.
enum class EntryTimes {
    AsWritten,
    // Shown until the next subtitle starts, at most 5 s, as an entry with an open end.
    EndsBeforeStart,
    // Shown from zero.
    StartsBeforeZero,
    // Not shown: files use such entries to carry notes not meant to be seen.
    EndsAsItStarts,
    // Skipped: nothing of it can be shown.
    WhollyBeforeZero,
};
EntryTimes JudgeTimes(std::int64_t start, std::int64_t end);

// Why an entry is shown otherwise than written, or skipped, for the load report; empty for
// AsWritten and EndsAsItStarts.
QString TimesReason(EntryTimes judged);

// Why an entry starting at `frame` cannot be carried by a stream (StartFitsStream is false).
QString StartOutOfStream(std::int64_t frame);

// True when `entry` holds no text to show: every line of it is empty or blank. Such an entry
// gives no picture.
bool ShowsNoText(const SubtitleLine& entry);

// Stores entries in file order. An entry with an open end is shown until the next one starts,
// at most 5 seconds, so it waits here for the next one or the end of the file.
class EntriesWithOpenEnds
{
public:
    EntriesWithOpenEnds(EntryStore& store, FrameRate rate);

    bool holdsOne() const { return m_waiting; }
    void add(SubtitleLine entry, bool openEnd);
    // An entry that is not stored (it holds no text) still ends the one waiting, as the next
    // subtitle would.
    void endWaitingAt(const SubtitleLine& next);
    // Stores the entry still waiting, if any, with its longest time.
    void finish();

private:
    void release(const SubtitleLine* next);

    EntryStore& m_store;
    std::int64_t m_longest;
    SubtitleLine m_open;
    bool m_waiting = false;
};

} // namespace lumelle
