// What the stream shows when: a VobSub stream shows one picture at a time, so subtitles that
// overlap in time are cut into segments, each shown as one picture of every subtitle on
// screen then.
#pragma once

#include <vector>

namespace lumelle {

// A subtitle's frames as the file gives them (the end may lie at or before the start).
struct ShowTimes
{
    int start;
    int end;
};

// One picture of the stream: shown from `start` to `end` (frames), holding the subtitles
// `entries` (0-based indexes into the list), the earliest-starting first; the first is drawn
// at the bottom and each later one above it.
struct ShowSegment
{
    int start;
    int end;
    std::vector<int> entries;
};

struct ShowPlan
{
    std::vector<ShowSegment> segments;
    int merged = 0; // subtitles that share a picture with another during part of their time
};

// The segments for subtitles `times` (in list order), ordered by start time; entries with the
// same start keep their list order. A subtitle that overlaps no other is one segment with its
// own times, so a list without overlaps gives one segment per subtitle, unchanged. A subtitle
// without duration counts as one frame long when cut against others.
ShowPlan PlanShowing(const std::vector<ShowTimes>& times);

} // namespace lumelle
