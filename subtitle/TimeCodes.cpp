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
    const std::size_t c1 = text.find(':');
    const std::size_t c2 = c1 == std::string::npos ? c1 : text.find(':', c1 + 1);
    const std::size_t dot = c2 == std::string::npos ? c2 : text.find_first_of(",.", c2 + 1);
    auto shown = [&text] { return QString::fromLatin1(text.data(), qsizetype(text.size())); };
    if (dot == std::string::npos)
        throw Error(QStringLiteral("'%1' is not a time (hh:mm:ss,mmm)").arg(shown()));
    const std::int64_t hours = StrToInt(text.substr(0, c1));
    const std::string mm = text.substr(c1 + 1, c2 - c1 - 1);
    const std::string ss = text.substr(c2 + 1, dot - c2 - 1);
    const std::string fraction = text.substr(dot + 1);
    const std::int64_t minutes = StrToInt(mm);
    const std::int64_t seconds = StrToInt(ss);
    std::int64_t millis = StrToInt(fraction);
    // Minutes and seconds past 59 are added up as they stand: 00:00:75,000 is 75 seconds.
    if (mm.size() != 2 || ss.size() != 2 || fraction.size() > 3)
        throw Error(QStringLiteral("'%1' is not a time (hh:mm:ss,mmm)").arg(shown()));
    millis *= fraction.size() == 1 ? 100 : fraction.size() == 2 ? 10 : 1;
    const std::int64_t total = ((hours * 60 + minutes) * 60 + seconds) * 1000 + millis;
    // Times of 100 hours and more do not fit the index file's hh:mm:ss:mmm.
    if (hours >= 100)
        throw Error(
            QStringLiteral("the time %1 is out of range (at most 99:59:59,999)").arg(shown()));
    return total;
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

std::int64_t FramesOfMillis(std::int64_t ms, FrameRate rate)
{
    // The rate counts frames per 1000 s, so frames = ms x rate / 1 000 000 exactly.
    return DivideRoundHalfEven(ms * rate.framesPer1000Seconds(), 1000000);
}

std::string TSubtitle::FramesToTime(std::int64_t frame, FrameRate rate)
{
    // Truncates toward zero, as every part below.
    std::int64_t ms = frame * 1000000 / rate.divisor();
    const std::int64_t h = ms / 3600000;
    ms -= h * 3600000;
    const std::int64_t m = ms / 60000;
    ms -= m * 60000;
    const std::int64_t s = ms / 1000;
    ms -= s * 1000;
    return twoDigits(h) + ":" + twoDigits(m) + ":" + twoDigits(s) + ":" + threeDigits(ms);
}

} // namespace lumelle
