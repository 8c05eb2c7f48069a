#include "pgs/BluRayForm.h"

#include "platform/Error.h"
#include "subtitle/TimeCodes.h"

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

const std::vector<BluRayVideoFormat>& BluRayVideoFormats()
{
    // 1080 rows progressive at film rates and interlaced at video rates, 720 rows progressive,
    // the DVD sizes interlaced at their own rate.
    static const std::vector<BluRayVideoFormat> formats{
        {{1920, 1080}, 23976, false, "1080p", "23.976"},
        {{1920, 1080}, 24000, false, "1080p", "24"},
        {{1920, 1080}, 25000, true, "1080i", "25"},
        {{1920, 1080}, 29970, true, "1080i", "29.97"},
        {{1280, 720}, 23976, false, "720p", "23.976"},
        {{1280, 720}, 24000, false, "720p", "24"},
        {{1280, 720}, 50000, false, "720p", "50"},
        {{1280, 720}, 59940, false, "720p", "59.94"},
        {{720, 576}, 25000, true, "576i", "25"},
        {{720, 480}, 29970, true, "480i", "29.97"},
    };
    return formats;
}

const BluRayVideoFormat* FindBluRayVideoFormat(QSize frame, FrameRate rate)
{
    for (const BluRayVideoFormat& f : BluRayVideoFormats())
        if (f.frame == frame && f.framesPer1000Seconds == rate.framesPer1000Seconds())
            return &f;
    return nullptr;
}

namespace {

QStringList ratesOf(QSize frame)
{
    QStringList rates;
    for (const BluRayVideoFormat& f : BluRayVideoFormats())
        if (f.frame == frame)
            rates << QString::number(f.framesPer1000Seconds);
    return rates;
}

QString joinedWithOr(QStringList items)
{
    if (items.size() < 2)
        return items.join(QString());
    const QString last = items.takeLast();
    return items.join(QStringLiteral(", ")) + QStringLiteral(" or ") + last;
}

} // namespace

QString BluRayFormatList()
{
    QStringList sizes;
    for (const QString& text : BluRayFrameSizeTexts())
        sizes << QStringLiteral("%1 at %2").arg(text, joinedWithOr(ratesOf(BluRayFrameSize(text))));
    return sizes.join(QStringLiteral("; "));
}

QString BluRayFormatProblem(QSize frame, FrameRate rate)
{
    if (FindBluRayVideoFormat(frame, rate))
        return QString();
    return QStringLiteral("Blu-ray video has no %1x%2 at %3. Blu-ray video is %4.")
        .arg(frame.width())
        .arg(frame.height())
        .arg(rate.framesPer1000Seconds())
        .arg(BluRayFormatList());
}

std::int64_t BluRayTicks(std::int64_t frame, FrameRate rate)
{
    if (frame < 0)
        return -1;
    // Far beyond the 32-bit stamp at any rate; bounding first keeps the product inside 64 bits.
    constexpr std::int64_t kBound = std::int64_t(1) << 36;
    if (frame > kBound)
        return kBluRayTickLimit;
    // Blu-ray video runs on the exact frame grid: 23.976 is 24000 frames in 1001 seconds.
    rate.divisor(); // a zero rate is refused
    const FrameRate exact = rate.exact();
    return DivideRoundHalfEven(frame * kClockTicksPerSecond * exact.seconds(), exact.frames());
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
