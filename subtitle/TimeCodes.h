// Time codes of subtitle files: SubRip time lines read into milliseconds and frames, and the
// frame numbers written as index-file times (TSubtitle::FramesToTime).
#pragma once

#include "subtitle/FrameRate.h"

#include <cstdint>
#include <string>
#include <utility>

namespace lumelle {

// Subtitle streams carry a start as a 33-bit count of 90 kHz clock ticks: the latest start they
// can hold lies just before 26:30:43.717. The rate is frames per 1000 s, hence the thousand.
inline constexpr std::int64_t kClockTicksPerSecond = 90'000;
inline constexpr std::int64_t kClockTicksPerSecondTimesThousand = 90'000'000;
inline constexpr std::uint64_t kClockTickLimit = std::uint64_t(1) << 33;
inline constexpr char kLatestStartText[] = "26:30:43,717";
// Frame numbers beyond this lie far past the clock's limit at any rate; bounding them first
// keeps the products inside 64 bits.
inline constexpr std::int64_t kLongestStartFrame = 100'000'000'000;

// True when a subtitle starting at `frame` can be carried by a stream at `rate`: not before
// zero and before the clock's limit.
bool StartFitsStream(std::int64_t frame, FrameRate rate);

// A SubRip time [-]H+:MM:SS[,.:]m{1,3} in milliseconds, the milliseconds optional; one or two
// millisecond digits are tenths or hundredths. Throws ConversionError for a field that is no number
// and Error for a time that is out of range or not of this form.
std::int64_t MillisOfTime(const std::string& text);

// The start and end of a time line "start --> end" in milliseconds; anything after the end
// time (coordinates) is ignored. Throws as MillisOfTime.
std::pair<std::int64_t, std::int64_t> TimesOfLine(const std::string& line);

// The frame `ms` milliseconds fall on at `rate`, to the nearest frame with exact halves to the
// even one.
std::int64_t FramesOfMillis(std::int64_t ms, FrameRate rate);

} // namespace lumelle
