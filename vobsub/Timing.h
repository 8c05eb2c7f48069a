// Time conversions of the subpicture stream in exact integer arithmetic: frame numbers at a
// frame-rate value (25000 = 25 frames per second) to 90 kHz ticks and to hide-delay units.
#pragma once

#include <cstdint>

namespace lumelle {

// 90 000 ticks per second, times 1000 because the frame-rate value is frames per 1000 s.
constexpr std::int64_t kTicksPerSecondTimesThousand = 90'000'000;
// One unit of the subpicture delay field is 1024 ticks (about 11.4 ms).
constexpr std::int64_t kTicksPerDelayUnit = 1024;
// The presentation time stamp field holds 33 bits.
constexpr std::uint64_t kPtsLimit = std::uint64_t(1) << 33;

// numerator / denominator rounded to the nearest integer, exact halves to the even one.
// `denominator` must be positive.
std::int64_t DivideRoundHalfEven(std::int64_t numerator, std::int64_t denominator);

// Throws Error("0 Fps !!!") unless the frame-rate value is positive.
void CheckFrameRateValue(int frameRateValue);

} // namespace lumelle
