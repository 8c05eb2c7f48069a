#include "vobsub/Timing.h"

#include "platform/Error.h"

namespace lumelle {

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

void CheckFrameRateValue(int frameRateValue)
{
    if (frameRateValue <= 0)
        throw Error(QStringLiteral("0 Fps !!!"));
}

} // namespace lumelle
