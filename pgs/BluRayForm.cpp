#include "pgs/BluRayForm.h"

#include "platform/Error.h"

namespace lumelle {

const QStringList& BluRayFrameSizeTexts()
{
    static const QStringList texts{QStringLiteral("1920x1080"), QStringLiteral("1280x720"),
                                   QStringLiteral("720x576"), QStringLiteral("720x480")};
    return texts;
}

QSize BluRayFrameSize(const QString& text)
{
    if (!BluRayFrameSizeTexts().contains(text))
        return QSize();
    const QStringList parts = text.split(QLatin1Char('x'));
    return QSize(parts[0].toInt(), parts[1].toInt());
}

const QStringList& BluRayFrameRateTexts()
{
    static const QStringList texts{QStringLiteral("23976"), QStringLiteral("24000"),
                                   QStringLiteral("25000"), QStringLiteral("29970"),
                                   QStringLiteral("50000"), QStringLiteral("59940")};
    return texts;
}

std::int64_t BluRayTicks(std::int64_t frame, FrameRate rate)
{
    if (frame < 0)
        return -1;
    // Far beyond the 32-bit stamp; bounding first keeps the product inside 64 bits.
    constexpr std::int64_t kBound = std::int64_t(1) << 40;
    if (frame > kBound)
        return kBluRayTickLimit;
    return DivideRoundHalfEven(frame * 90'000'000, rate.divisor());
}

QString BluRayTimecode(std::int64_t frame, FrameRate rate)
{
    const std::int64_t perSecond = (rate.framesPer1000Seconds() + 500) / 1000;
    const std::int64_t seconds = frame / perSecond;
    return QStringLiteral("%1:%2:%3:%4")
        .arg(seconds / 3600, 2, 10, QLatin1Char('0'))
        .arg(seconds / 60 % 60, 2, 10, QLatin1Char('0'))
        .arg(seconds % 60, 2, 10, QLatin1Char('0'))
        .arg(frame % perSecond, 2, 10, QLatin1Char('0'));
}

} // namespace lumelle
