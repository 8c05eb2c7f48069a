// The video frame rate as the window offers it: a whole number of frames per 1000 seconds
// ("25000" is 25 frames per second, "23976" is 23.976), so that every conversion between frame
// numbers and times is exact integer arithmetic.
#pragma once

#include <QString>
#include <cstdint>

namespace lumelle {

class FrameRate
{
public:
    constexpr FrameRate() = default;
    constexpr explicit FrameRate(std::int64_t framesPer1000Seconds)
        : m_framesPer1000Seconds(framesPer1000Seconds)
    {}

    // The window's list text, "25000" for 25 frames per second. Anything but a decimal whole
    // number throws ConversionError naming the text.
    static FrameRate fromText(const QString& text);

    constexpr std::int64_t framesPer1000Seconds() const { return m_framesPer1000Seconds; }

    // The value for a division by the rate; throws Error("0 Fps !!!") unless it is above 0.
    std::int64_t divisor() const;

    constexpr bool operator==(const FrameRate&) const = default;

private:
    std::int64_t m_framesPer1000Seconds = 0;
};

// The frame size follows the rate: 25 frames per second is PAL, every other rate NTSC.
inline constexpr FrameRate kPalFrameRate{25000};

// numerator / denominator rounded to the nearest integer, exact halves to the even one.
// `denominator` must be positive.
std::int64_t DivideRoundHalfEven(std::int64_t numerator, std::int64_t denominator);

} // namespace lumelle
