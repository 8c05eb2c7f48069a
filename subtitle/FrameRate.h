// The video frame rate as the window offers it: a whole number of frames per 1000 seconds
// ("25000" is 25 frames per second, "23976" is 23.976), so that every conversion between frame
// numbers and times is exact integer arithmetic. The same rate on the frame grid of NTSC video
// (24000 frames in 1001 seconds for "23976") is exact(): a ratio of frames to seconds.
#pragma once

#include <QString>
#include <cstdint>

namespace lumelle {

class FrameRate
{
public:
    constexpr FrameRate() = default;
    constexpr explicit FrameRate(std::int64_t framesPer1000Seconds)
        : m_framesPer1000Seconds(framesPer1000Seconds), m_frames(framesPer1000Seconds)
    {}

    // The window's list text, "25000" for 25 frames per second. Anything but a decimal whole
    // number throws ConversionError naming the text.
    static FrameRate fromText(const QString& text);

    constexpr std::int64_t framesPer1000Seconds() const { return m_framesPer1000Seconds; }

    // The value for a division by the rate; throws Error("0 Fps !!!") unless it is above 0.
    std::int64_t divisor() const;

    // The rate video really runs at when this one is its rounded name: 23976, 29970 and 59940
    // stand for 24000, 30000 and 60000 frames in 1001 seconds, which drift from the rounded
    // rates by 5 ms in 83 minutes, a frame of 59.94 by the end of a long film. Every other rate is
    // its own exact form.
    FrameRate exact() const;
    // The rate as a ratio: frames() frames in seconds() seconds (23976 in 1000, or 24000 in 1001
    // once exact). Check divisor() before dividing by frames().
    constexpr std::int64_t frames() const { return m_frames; }
    constexpr std::int64_t seconds() const { return m_seconds; }

    constexpr bool operator==(const FrameRate&) const = default;

private:
    std::int64_t m_framesPer1000Seconds = 0; // the rate's name
    std::int64_t m_frames = 0;
    std::int64_t m_seconds = 1000;
};

// The frame size follows the rate: 25 frames per second is PAL, every other rate NTSC.
inline constexpr FrameRate kPalFrameRate{25000};

// numerator / denominator rounded to the nearest integer, exact halves to the even one.
// `denominator` must be positive.
std::int64_t DivideRoundHalfEven(std::int64_t numerator, std::int64_t denominator);

} // namespace lumelle
