// The time line of a WebVTT cue: its start and end, and where its settings place it.
#pragma once

#include <cstdint>
#include <string>

namespace lumelle {

// "[hh:]mm:ss.ttt" in milliseconds; hours may be left out. Throws as MillisOfTime (an Error)
// when the text is no time.
std::int64_t WebVttMillisOfTime(const std::string& text);

// The times of a cue time line "start --> end [settings]" and the settings after its end time.
struct WebVttCueTiming
{
    std::int64_t startMs = 0;
    std::int64_t endMs = 0;
    std::string settings;
};

// Reads a line that holds "-->". Throws an Error when either time is unreadable.
WebVttCueTiming WebVttTimingOfLine(const std::string& line);

// Where the cue settings place a cue, as a keypad position (1..9), or 0 for the bottom centre,
// where cues stand when nothing is said. "line" gives the row: a percentage of the frame
// height, or a line number counted from the top (0, 1, ...) or from the bottom (-1, ...).
// "align" (or a "position" near a side) gives the column.
int WebVttPlaceOfSettings(const std::string& settings);

// True when the settings ask for vertical text ("vertical:rl" or "vertical:lr"), which the
// pictures do not draw: such a cue is drawn across.
bool WebVttSettingsVertical(const std::string& settings);

} // namespace lumelle
