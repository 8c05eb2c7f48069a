// Time codes of subtitle files: SubRip time lines read into milliseconds and frames, and the
// frame numbers written as index-file times (TSubtitle::FramesToTime).
#pragma once

#include "subtitle/FrameRate.h"

#include <cstdint>
#include <string>
#include <utility>

namespace lumelle {

// A SubRip time H+:MM:SS[,.]m{1,3} in milliseconds; one or two millisecond digits are tenths or
// hundredths. Throws ConversionError for a field that is no number and Error for a time that is
// out of range or not of this form.
std::int64_t MillisOfTime(const std::string& text);

// The start and end of a time line "start --> end" in milliseconds; anything after the end
// time (coordinates) is ignored. Throws as MillisOfTime.
std::pair<std::int64_t, std::int64_t> TimesOfLine(const std::string& line);

// The frame `ms` milliseconds fall on at `rate`, to the nearest frame with exact halves to the
// even one.
std::int64_t FramesOfMillis(std::int64_t ms, FrameRate rate);

} // namespace lumelle
