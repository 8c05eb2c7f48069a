#include "subtitle/TimeCodes.h"

#include "platform/Error.h"
#include "subtitle/LineReader.h"
#include "subtitle/Subtitle.h"

#include <limits>

namespace lumelle {

namespace {

std::string twoDigits(std::int64_t value)
{
    std::string text = std::to_string(value);
    return text.size() == 1 ? "0" + text : text;
}

std::string threeDigits(std::int64_t value)
{
    std::string text = std::to_string(value);
    if (text.size() == 1)
        return "00" + text;
    if (text.size() == 2)
        return "0" + text;
    return text;
}

} // namespace

int StrToInt(const std::string& text)
{
    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    if (i == text.size())
        throw ConversionError(QString::fromLatin1(text.data(), qsizetype(text.size())));
    std::int64_t value = 0;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c < '0' || c > '9')
            throw ConversionError(QString::fromLatin1(text.data(), qsizetype(text.size())));
        value = value * 10 + (c - '0');
        if (value > std::int64_t(std::numeric_limits<int>::max()) + 1)
            throw ConversionError(QString::fromLatin1(text.data(), qsizetype(text.size())));
    }
    if (negative)
        value = -value;
    if (value > std::numeric_limits<int>::max() || value < std::numeric_limits<int>::min())
        throw ConversionError(QString::fromLatin1(text.data(), qsizetype(text.size())));
    return int(value);
}

std::int64_t MillisOfTime(const std::string& text)
{
    auto shown = [&text] { return QString::fromLatin1(text.data(), qsizetype(text.size())); };
    // A sign stands for the whole time: -00:00:06,840 is 6.84 s before zero.
    const bool negative = !text.empty() && text[0] == '-';
    const std::string time = negative ? text.substr(1) : text;
    const std::size_t c1 = time.find(':');
    const std::size_t c2 = c1 == std::string::npos ? c1 : time.find(':', c1 + 1);
    if (c2 == std::string::npos || time.empty() || time[0] == '+' || time[0] == '-')
        throw Error(QStringLiteral("'%1' is not a time (hh:mm:ss,mmm)").arg(shown()));
    // The milliseconds follow a comma, a full stop or (as some editors write) a colon, or are
    // left out.
    const std::size_t dot = time.find_first_of(",.:", c2 + 1);
    const std::int64_t hours = StrToInt(time.substr(0, c1));
    const std::string mm = time.substr(c1 + 1, c2 - c1 - 1);
    const std::string ss = time.substr(c2 + 1, dot == std::string::npos ? dot : dot - c2 - 1);
    const std::string fraction = dot == std::string::npos ? "0" : time.substr(dot + 1);
    const std::int64_t minutes = StrToInt(mm);
    const std::int64_t seconds = StrToInt(ss);
    std::int64_t millis = StrToInt(fraction);
    // Minutes and seconds past 59 are added up as they stand: 00:00:75,000 is 75 seconds.
    if (mm.size() != 2 || ss.size() != 2 || fraction.size() > 3 || minutes < 0 || seconds < 0 ||
        millis < 0 || fraction[0] == '+')
        throw Error(QStringLiteral("'%1' is not a time (hh:mm:ss,mmm)").arg(shown()));
    millis *= fraction.size() == 1 ? 100 : fraction.size() == 2 ? 10 : 1;
    const std::int64_t total = ((hours * 60 + minutes) * 60 + seconds) * 1000 + millis;
    // Times of 100 hours and more do not fit the index file's hh:mm:ss:mmm.
    if (hours >= 100)
        throw Error(
            QStringLiteral("the time %1 is out of range (at most 99:59:59,999)").arg(shown()));
    return negative ? -total : total;
}

std::pair<std::int64_t, std::int64_t> TimesOfLine(const std::string& line)
{
    const std::size_t arrow = line.find("-->");
    if (arrow == std::string::npos)
        throw Error(QStringLiteral("no '-->' in the time line"));
    const std::string startText = Trimmed(line.substr(0, arrow));
    const std::string rest = Trimmed(line.substr(arrow + 3));
    const std::string endText = rest.substr(0, rest.find_first_of(" \t"));
    return {MillisOfTime(startText), MillisOfTime(endText)};
}

bool StartFitsStream(std::int64_t frame, FrameRate rate)
{
    if (frame < 0 || frame > kLongestStartFrame)
        return false;
    rate.divisor(); // a zero rate is refused
    const std::int64_t ticks =
        DivideRoundHalfEven(frame * kClockTicksPerSecond * rate.seconds(), rate.frames());
    return std::uint64_t(ticks) < kClockTickLimit;
}

std::int64_t FramesOfMillis(std::int64_t ms, FrameRate rate)
{
    // frames = ms x frames() / (1000 x seconds()) exactly.
    return DivideRoundHalfEven(ms * rate.frames(), 1000 * rate.seconds());
}

std::string TSubtitle::FramesToTime(std::int64_t frame, FrameRate rate)
{
    // Truncates toward zero, as every part below.
    rate.divisor(); // a zero rate is refused
    std::int64_t ms = frame * 1000 * rate.seconds() / rate.frames();
    const std::int64_t h = ms / 3600000;
    ms -= h * 3600000;
    const std::int64_t m = ms / 60000;
    ms -= m * 60000;
    const std::int64_t s = ms / 1000;
    ms -= s * 1000;
    return twoDigits(h) + ":" + twoDigits(m) + ":" + twoDigits(s) + ":" + threeDigits(ms);
}

} // namespace lumelle
