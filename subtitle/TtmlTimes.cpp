#include "subtitle/TtmlTimes.h"

#include <QRegularExpression>
#include <cmath>

namespace lumelle {

namespace {

// A positive number, or nullopt.
std::optional<double> positive(QStringView text)
{
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    return ok && std::isfinite(value) && value > 0 ? std::optional(value) : std::nullopt;
}

// Seconds in `text` as the clock counts them, or nullopt.
std::optional<double> secondsOf(QStringView text, const TtmlClock& clock)
{
    // hh:mm:ss, then a fraction of a second or ":frames" with optional ".subframes".
    static const QRegularExpression kClockTime(
        QStringLiteral("^(\\d{2,}):(\\d{2}):(\\d{2})(?:(\\.\\d+)|:(\\d{2,})(?:\\.(\\d+))?)?$"));
    static const QRegularExpression kOffsetTime(
        QStringLiteral("^(\\d+(?:\\.\\d+)?)(h|ms|m|s|f|t)$"));
    const QString trimmed = text.trimmed().toString();
    if (const auto m = kClockTime.match(trimmed); m.hasMatch()) {
        const double minutes = m.captured(2).toDouble();
        const double seconds = m.captured(3).toDouble();
        if (minutes >= 60 || seconds >= 60)
            return std::nullopt;
        double total = m.captured(1).toDouble() * 3600 + minutes * 60 + seconds;
        if (m.hasCaptured(4))
            total += m.captured(4).toDouble();
        if (m.hasCaptured(5))
            total += m.captured(5).toDouble() / clock.frameRate;
        if (m.hasCaptured(6))
            total += m.captured(6).toDouble() / (clock.frameRate * clock.subFrameRate);
        return total;
    }
    const auto m = kOffsetTime.match(trimmed);
    if (!m.hasMatch())
        return std::nullopt;
    const double value = m.captured(1).toDouble();
    const QString metric = m.captured(2);
    if (metric == QLatin1String("h"))
        return value * 3600;
    if (metric == QLatin1String("m"))
        return value * 60;
    if (metric == QLatin1String("s"))
        return value;
    if (metric == QLatin1String("ms"))
        return value / 1000;
    if (metric == QLatin1String("f"))
        return value / clock.frameRate;
    return value / clock.tickRate;
}

} // namespace

TtmlClock TtmlClock::of(QStringView frameRate, QStringView multiplier, QStringView subFrameRate,
                        QStringView tickRate, bool& unread)
{
    TtmlClock clock;
    unread = false;
    const auto take = [&unread](QStringView text, double& into) {
        if (text.trimmed().isEmpty())
            return false;
        const auto value = positive(text);
        if (value)
            into = *value;
        unread = unread || !value;
        return bool(value);
    };
    const bool rateGiven = take(frameRate, clock.frameRate);
    if (!multiplier.trimmed().isEmpty()) {
        // "1000 1001": numerator and denominator.
        const auto parts = multiplier.trimmed().split(u' ', Qt::SkipEmptyParts);
        const auto numerator = parts.size() == 2 ? positive(parts[0]) : std::nullopt;
        const auto denominator = parts.size() == 2 ? positive(parts[1]) : std::nullopt;
        if (numerator && denominator)
            clock.frameRate = clock.frameRate * *numerator / *denominator;
        else
            unread = true;
    }
    take(subFrameRate, clock.subFrameRate);
    // Without a tick rate of its own, a document with a frame rate counts ticks in sub-frames.
    if (!take(tickRate, clock.tickRate) && rateGiven)
        clock.tickRate = clock.frameRate * clock.subFrameRate;
    return clock;
}

std::optional<std::int64_t> TtmlMillis(QStringView text, const TtmlClock& clock)
{
    const auto seconds = secondsOf(text, clock);
    // Past a hundred days a time is no subtitle time; it would not fit the milliseconds either.
    if (!seconds || *seconds > 1e7)
        return std::nullopt;
    return std::llround(*seconds * 1000);
}

} // namespace lumelle
