// Time conversions of the subpicture stream in exact integer arithmetic: frame numbers at a
// frame-rate value (25000 = 25 frames per second) to 90 kHz ticks and to hide-delay units.
#pragma once

#include "subtitle/FrameRate.h"
#include "subtitle/TimeCodes.h"

#include <cstdint>

namespace lumelle {

// 90 000 ticks per second, times 1000 because the frame-rate value is frames per 1000 s.
constexpr std::int64_t kTicksPerSecondTimesThousand = kClockTicksPerSecondTimesThousand;
// One unit of the subpicture delay field is 1024 ticks (about 11.4 ms).
constexpr std::int64_t kTicksPerDelayUnit = 1024;
// The presentation time stamp field holds 33 bits.
constexpr std::uint64_t kPtsLimit = kClockTickLimit;

// Frame numbers and frame differences beyond this lie far past what the 33-bit time stamp and
// the 16-bit delay can hold at any rate; bounding them first keeps the products inside 64 bits.
constexpr std::int64_t kFrameBound = kLongestStartFrame;

} // namespace lumelle
