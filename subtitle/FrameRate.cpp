#include "subtitle/FrameRate.h"

#include "platform/Error.h"
#include "subtitle/Subtitle.h"

namespace lumelle {

FrameRate FrameRate::fromText(const QString& text)
{
    return FrameRate(StrToInt(text.toStdString()));
}

std::int64_t FrameRate::divisor() const
{
    if (m_framesPer1000Seconds <= 0)
        throw Error(QStringLiteral("0 Fps !!!"));
    return m_framesPer1000Seconds;
}

FrameRate FrameRate::exact() const
{
    // The whole rate whose 1000/1001 part rounds to this one's name.
    const std::int64_t whole = (m_framesPer1000Seconds * 1001 + 500'000) / 1'000'000 * 1000;
    if (m_framesPer1000Seconds % 1000 == 0 || m_framesPer1000Seconds <= 0 ||
        DivideRoundHalfEven(whole * 1000, 1001) != m_framesPer1000Seconds)
        return *this;
    FrameRate rate = *this;
    rate.m_frames = whole;
    rate.m_seconds = 1001;
    return rate;
}

std::int64_t DivideRoundHalfEven(std::int64_t numerator, std::int64_t denominator)
{
    // Floor division first, so that the remainder is always 0 .. denominator - 1.
    std::int64_t quotient = numerator / denominator;
    std::int64_t remainder = numerator % denominator;
    if (remainder < 0) {
        quotient -= 1;
        remainder += denominator;
    }
    const std::int64_t twice = 2 * remainder;
    if (twice > denominator || (twice == denominator && quotient % 2 != 0))
        quotient += 1;
    return quotient;
}

} // namespace lumelle
