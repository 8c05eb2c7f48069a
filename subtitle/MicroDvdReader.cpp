// The MicroDVD reader: one subtitle per line, "{start}{end}text" with frame numbers, "|"
// between text lines, and an optional first entry naming the file's own frame rate.
#include "platform/Error.h"
#include "subtitle/EntryTimes.h"
#include "subtitle/LineReader.h"
#include "subtitle/Markup.h"
#include "subtitle/Subtitle.h"
#include "subtitle/TimeCodes.h"

#include <QRegularExpression>
#include <cmath>
#include <limits>

namespace lumelle {

namespace {

// A MicroDVD line's frame fields as they stand, and its text after "{start}{end}".
struct MicroDvdLine
{
    std::string start;
    std::string end;
    std::string text;
};

// The start is what lies between the first "{" and the next "}{", the end what follows up to
// the next "}", the text the rest. Without a "}{" the start runs to the end of the line and
// there is no text.
MicroDvdLine splitLine(const std::string& line)
{
    MicroDvdLine out;
    const std::size_t open = line.find('{');
    const std::string r = open == std::string::npos ? line : line.substr(open + 1);
    const std::size_t between = r.find("}{");
    if (between == std::string::npos) {
        out.start = r;
        const std::string rest = r.substr(std::min<std::size_t>(1, r.size()));
        out.end = rest.substr(0, rest.find('}'));
        return out;
    }
    out.start = r.substr(0, between);
    const std::size_t close = r.find('}', between + 2);
    if (close == std::string::npos) {
        out.end = r.substr(between + 2);
        return out;
    }
    out.end = r.substr(between + 2, close - between - 2);
    out.text = r.substr(close + 1);
    return out;
}

// The frame rate of a MicroDVD header entry {1}{1}23.976 (also {0}{0}25, or with a comma), or
// 0 when the entry is an ordinary subtitle.
double headerRate(std::int64_t start, std::int64_t end, const std::string& text)
{
    if (start != end || (start != 0 && start != 1))
        return 0;
    QString number = QString::fromLatin1(Trimmed(text));
    number.replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    const double rate = number.toDouble(&ok);
    return ok && rate >= 1 && rate <= 1000 ? rate : 0;
}

// The text lines of a MicroDVD entry: the pieces between "|", each without its markup.
MarkedText microDvdMarkedText(std::string text)
{
    const TextStyle whole = TakeWholeSubtitleStyle(text);
    MarkedText marked;
    std::size_t from = 0;
    for (;;) {
        const std::size_t bar = text.find('|', from);
        TextStyle style = whole;
        AppendMarkedLine(text.substr(from, bar == std::string::npos ? bar : bar - from), true,
                         style, marked);
        if (bar == std::string::npos)
            return marked;
        from = bar + 1;
    }
}

QString rateText(double fps)
{
    return QString::number(fps, 'f', 3).remove(QRegularExpression(QStringLiteral("\\.?0+$")));
}

// Frame numbers as the file counts them, turned into frames at the chosen rate: converted
// when the file's first entry names a rate of its own that differs from it.
class FrameConversion
{
public:
    explicit FrameConversion(FrameRate rate)
        : m_chosenRate(double(rate.frames()) / double(rate.seconds()))
    {}

    double chosenRate() const { return m_chosenRate; }

    std::int64_t operator()(std::int64_t frame) const
    {
        return m_fileRate > 0 ? std::llround(double(frame) * m_chosenRate / m_fileRate) : frame;
    }

    // Takes the entry as the header naming the file's rate when it is one and no rate that
    // differs is known yet; `note` then says what was done about it, when the rates differ.
    bool takeHeader(std::int64_t start, std::int64_t end, const std::string& text, QString& note)
    {
        if (m_fileRate != 0 || (m_fileRate = headerRate(start, end, text)) <= 0)
            return false;
        if (std::abs(m_fileRate - m_chosenRate) < 0.0005)
            m_fileRate = 0; // the file's own rate: nothing to convert
        else
            note = QStringLiteral("frame numbers converted from %1 fps to %2 fps")
                       .arg(rateText(m_fileRate), rateText(m_chosenRate));
        return true;
    }

private:
    double m_chosenRate;
    double m_fileRate = 0;
};

// Why frames `first` to `last` (at the chosen rate, offset applied) cannot be shown; empty
// when they can.
QString framesOutOfRange(std::int64_t first, std::int64_t last, FrameRate rate, double chosenRate)
{
    if (std::max(first, last) > std::numeric_limits<int>::max()) {
        // Only a frame number converted to a higher rate can grow past what the run reads.
        return QStringLiteral("frame %1 is out of range at %2 fps")
            .arg(QString::number(std::max(first, last)), rateText(chosenRate));
    }
    if (!StartFitsStream(first, rate))
        return QStringLiteral("frame %1 %2 at %3 fps")
            .arg(QString::number(first), StartOutOfStream(first), rateText(chosenRate));
    return {};
}

} // namespace

bool TSubtitle::takeFrameTimes(int lineNumber, std::int64_t& start, std::int64_t& end,
                               bool& openEnd)
{
    // An open end {start}{} waits for the next start; an end written at or before the start
    // is shown the same way.
    const EntryTimes judged = JudgeTimes(start, openEnd ? start + 1 : end);
    switch (judged) {
    case EntryTimes::EndsAsItStarts:
        ++m_hidden;
        return false;
    case EntryTimes::WhollyBeforeZero:
        skip(lineNumber, TimesReason(judged));
        return false;
    case EntryTimes::StartsBeforeZero:
        start = 0;
        noteChanged(lineNumber, TimesReason(judged));
        break;
    case EntryTimes::EndsBeforeStart:
        openEnd = true;
        noteChanged(lineNumber, TimesReason(judged));
        break;
    default:
        break;
    }
    if (openEnd)
        end = start;
    return true;
}

void TSubtitle::readMicroDvd(const std::string& data, FrameRate rate, std::int64_t frameOffset,
                             const TextDecoder& decoder)
{
    LineReader reader(data);
    m_lines.reserve(0, data.size());
    const std::size_t firstEntry = m_lines.size();
    EntriesWithOpenEnds entries(m_lines, rate);
    FrameConversion converted(rate);
    while (!reader.atEnd()) {
        const std::string line = reader.readLine();
        const int lineNumber = reader.lineNumber();
        if (IsBlankLine(line))
            continue;
        if (IsEndOfFileMark(line)) {
            skip(lineNumber, QString::fromLatin1(kEndOfFileMarkReason));
            continue;
        }
        const MicroDvdLine parts = splitLine(line);
        std::int64_t start = 0;
        std::int64_t end = 0;
        try {
            start = StrToInt(parts.start);
            end = parts.end.empty() ? start : StrToInt(parts.end);
        } catch (const ConversionError& e) {
            skip(lineNumber, e.message());
            continue;
        }
        // Frame fields are ASCII in every code page; the text is read in the file's.
        std::string text = decoder.utf8(parts.text);
        // Only the first entry of a file can name its frame rate.
        if (m_lines.size() == firstEntry && !entries.holdsOne() && !parts.end.empty() &&
            converted.takeHeader(start, end, text, m_rateNote))
            continue;
        bool openEnd = parts.end.empty();
        if (!takeFrameTimes(lineNumber, start, end, openEnd))
            continue;
        const std::int64_t first = converted(start) + frameOffset;
        const std::int64_t last = converted(end) + frameOffset;
        if (const QString why = framesOutOfRange(first, last, rate, converted.chosenRate());
            !why.isEmpty()) {
            skip(lineNumber, why);
            continue;
        }
        SubtitleLine entry{std::to_string(first), std::to_string(last), {}, {}, {}};
        SetTextLines(entry, microDvdMarkedText(std::move(text)));
        if (ShowsNoText(entry)) {
            ++m_empty;
            entries.endWaitingAt(entry);
            continue;
        }
        entries.add(std::move(entry), openEnd);
    }
    entries.finish();
}

} // namespace lumelle
