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
