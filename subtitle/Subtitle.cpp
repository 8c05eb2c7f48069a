#include "subtitle/Subtitle.h"

#include "platform/Error.h"
#include "subtitle/FileReading.h"

#include <QFile>
#include <QFileInfo>
#include <cmath>
#include <cstring>
#include <limits>

namespace lumelle {

namespace {

// Splits file bytes into lines: a line ends at a line feed; a carriage return before the line
// feed is not part of the line and a carriage return anywhere else is dropped. The end of the
// data after a final line break gives no extra empty line; reading past the end gives "".
class LineReader
{
public:
    explicit LineReader(const QByteArray& data) : m_data(data) {}

    bool atEnd() const { return m_pos >= m_data.size(); }

    std::string readLine()
    {
        std::string line;
        const qsizetype size = m_data.size();
        const char* bytes = m_data.constData();
        const void* feed = std::memchr(bytes + m_pos, '\n', std::size_t(size - m_pos));
        const qsizetype end = feed ? static_cast<const char*>(feed) - bytes : size;
        line.reserve(std::size_t(end - m_pos));
        // Copy the stretches between carriage returns, which are dropped.
        for (const char* from = bytes + m_pos; from < bytes + end;) {
            const void* cr = std::memchr(from, '\r', std::size_t(bytes + end - from));
            const char* upTo = cr ? static_cast<const char*>(cr) : bytes + end;
            line.append(from, std::size_t(upTo - from));
            from = upTo + 1;
        }
        m_pos = end < size ? end + 1 : size;
        return line;
    }

    // Where the reader stands, to look ahead and come back.
    qsizetype position() const { return m_pos; }
    void seek(qsizetype pos) { m_pos = pos; }

private:
    const QByteArray& m_data;
    qsizetype m_pos = 0;
};

QByteArray readWholeFile(const QString& fileName)
{
    return ReadSubtitleFile(fileName);
}

std::vector<std::string> firstLinesOf(const QByteArray& data, int count);

// The first `count` lines of a file, read for recognising its kind. A file that exists but
// cannot be opened ends the load with the system's error text.
std::vector<std::string> firstLines(const QString& fileName, int count)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        throw Error(file.errorString());
    // A line can be long; read in blocks until enough line feeds were seen. Only the new
    // block is searched each time, so a file that is one long line is read once.
    QByteArray head;
    qsizetype lineFeeds = 0;
    while (!file.atEnd() && lineFeeds < count && head.size() <= kMaxLineBytes) {
        QByteArray block = file.read(64 * 1024);
        if (block.isEmpty())
            break;
        lineFeeds += block.count('\n');
        head += block;
    }
    if (file.error() != QFileDevice::NoError)
        throw Error(file.errorString());
    return firstLinesOf(head, count);
}

// The extension as the part of the name after the last separator, from its last "." on.
QString upperExtension(const QString& fileName)
{
    const QString base = fileName.mid(fileName.lastIndexOf(QLatin1Char('/')) + 1);
    const qsizetype dot = base.lastIndexOf(QLatin1Char('.'));
    if (dot < 0)
        return QString();
    QString ext = base.mid(dot);
    // ASCII letters only.
    for (QChar& c : ext) {
        if (c >= QLatin1Char('a') && c <= QLatin1Char('z'))
            c = QChar(c.unicode() - 'a' + 'A');
    }
    return ext;
}

bool isRegularFile(const QString& fileName)
{
    const QFileInfo info(fileName);
    return info.exists() && info.isFile();
}

const std::string kUtf8Bom = "\xEF\xBB\xBF";

std::string withoutBom(std::string line)
{
    if (line.compare(0, kUtf8Bom.size(), kUtf8Bom) == 0)
        line.erase(0, kUtf8Bom.size());
    return line;
}

// Characters 14 to 16 of the second line are the arrow of a SubRip time line.
bool looksLikeSubRip(const std::vector<std::string>& lines)
{
    return lines.size() >= 2 && lines[1].size() >= 16 && lines[1].compare(13, 3, "-->") == 0;
}

// A MicroDVD file starts with "{" (after a byte-order mark, if any).
bool looksLikeMicroDvd(const std::vector<std::string>& lines)
{
    return !lines.empty() && withoutBom(lines[0]).compare(0, 1, "{") == 0;
}

bool hasMicroDvdExtension(const QString& fileName)
{
    const QString ext = upperExtension(fileName);
    return ext == QLatin1String(".TXT") || ext == QLatin1String(".SUB");
}

std::vector<std::string> firstLinesOf(const QByteArray& data, int count)
{
    std::vector<std::string> lines;
    LineReader reader(data);
    for (int i = 0; i < count; ++i)
        lines.push_back(reader.readLine());
    return lines;
}

bool isBlank(const std::string& line)
{
    return line.find_first_not_of(" \t") == std::string::npos;
}

bool isDigitsOnly(const std::string& line)
{
    return !line.empty() && line.find_first_not_of("0123456789") == std::string::npos;
}

// Characters `from`..`to` (1-based, inclusive) of `s`, cut at its end.
std::string chars(const std::string& s, std::size_t from, std::size_t to)
{
    if (from > s.size())
        return std::string();
    return s.substr(from - 1, to - from + 1);
}

// The frame number of a SubRip time text; see TimeToFrames.
std::int64_t frameOfTime(const std::string& time, FrameRate rate)
{
    const std::int64_t hours = StrToInt(chars(time, 1, 2));
    const std::int64_t minutes = StrToInt(chars(time, 4, 5));
    const std::int64_t seconds = StrToInt(chars(time, 7, 8));
    const std::int64_t millis = StrToInt(time.size() >= 10 ? time.substr(9) : std::string());
    // The rate counts frames per 1000 s, so frames = ms x rate / 1 000 000 exactly.
    const std::int64_t totalMs = (hours * 3600 + minutes * 60 + seconds) * 1000 + millis;
    return DivideRoundHalfEven(totalMs * rate.framesPer1000Seconds(), 1000000);
}

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

std::vector<std::string> SubtitleLine::TextLines() const
{
    std::vector<std::string> lines{Line1, Line2, Line3};
    lines.insert(lines.end(), MoreLines.begin(), MoreLines.end());
    while (lines.size() > 1 && lines.back().empty())
        lines.pop_back();
    return lines;
}

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

void TSubtitle::AddLine(std::string startFrame, std::string endFrame, std::string line1,
                        std::string line2, std::string line3)
{
    m_lines.push_back(SubtitleLine{std::move(startFrame), std::move(endFrame), std::move(line1),
                                   std::move(line2), std::move(line3)});
}

void TSubtitle::Clear()
{
    m_lines.clear();
}

int TSubtitle::Count() const
{
    return int(m_lines.size());
}

void TSubtitle::GetLine(int index, SubtitleLine& dest) const
{
    dest = line(index);
}

const SubtitleLine& TSubtitle::line(int index) const
{
    Q_ASSERT(index >= 1 && index <= Count());
    return m_lines[std::size_t(index - 1)];
}

std::string TSubtitle::TimeToFrames(const std::string& time, FrameRate rate)
{
    return std::to_string(frameOfTime(time, rate));
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

bool TSubtitle::IsTimeLine(const std::string& line)
{
    return line.size() >= 29 && line.compare(13, 3, "-->") == 0;
}

bool TSubtitle::IsSrtFile(const QString& fileName)
{
    if (!isRegularFile(fileName) || upperExtension(fileName) != QLatin1String(".SRT"))
        return false;
    return looksLikeSubRip(firstLines(fileName, 2));
}

bool TSubtitle::IsMicroDvdFile(const QString& fileName)
{
    if (!isRegularFile(fileName) || !hasMicroDvdExtension(fileName))
        return false;
    return looksLikeMicroDvd(firstLines(fileName, 1));
}

fivestrings TSubtitle::SplitMicroDvdLine(const std::string& line)
{
    // Positions are 1-based as in the line's own description; 0 means "not found".
    auto pos = [](const std::string& s, const char* what) -> std::size_t {
        const std::size_t p = s.find(what);
        return p == std::string::npos ? 0 : p + 1;
    };
    fivestrings out;
    std::string r = line;

    std::size_t p1 = pos(r, "{");
    r.erase(0, p1);

    std::size_t p2 = pos(r, "}{");
    out.StartText = p2 == 0 ? r : r.substr(0, p2 - 1);
    r.erase(0, std::min(r.size(), p2 + 1));

    std::size_t p3 = pos(r, "}");
    out.EndText = p3 == 0 ? r : r.substr(0, p3 - 1);
    r.erase(0, p3);

    std::size_t p4 = pos(r, "|");
    if (p4 == 0) {
        out.First = r;
        return out;
    }
    out.First = r.substr(0, p4 - 1);
    r.erase(0, p4);

    std::size_t p5 = pos(r, "|");
    if (p5 == 0) {
        out.Second = r;
    } else {
        out.Second = r.substr(0, p5 - 1);
        out.Third = r.substr(p5);
    }
    return out;
}

std::string TSubtitle::StripTags(const std::string& line)
{
    static const char* const kTags[] = {"<u>",  "<b>",  "<i>",  "<U>",  "<B>",  "<I>",
                                        "</u>", "</b>", "</i>", "</U>", "</B>", "</I>"};
    std::string out = line;
    for (const char* tag : kTags) {
        const std::size_t p = out.find(tag);
        if (p != std::string::npos)
            out.erase(p, std::char_traits<char>::length(tag));
    }
    return out;
}

LoadOutcome TSubtitle::LoadFromFile(const QString& fileName, bool clearFirst, FrameRate rate,
                                    double frameOffset)
{
    if (!IsSrtFile(fileName) && !IsMicroDvdFile(fileName))
        return LoadOutcome::UnsupportedFormat;
    return LoadFromData(fileName, readWholeFile(fileName), clearFirst, rate, frameOffset);
}

LoadOutcome TSubtitle::LoadFromData(const QString& fileName, const QByteArray& data,
                                    bool clearFirst, FrameRate rate, double frameOffset)
{
    const std::int64_t offset = std::llround(std::isfinite(frameOffset) ? frameOffset : 0.0);
    if (upperExtension(fileName) == QLatin1String(".SRT") &&
        looksLikeSubRip(firstLinesOf(data, 2))) {
        if (clearFirst)
            Clear();
        readSubRip(data, rate, offset);
    } else if (hasMicroDvdExtension(fileName) && looksLikeMicroDvd(firstLinesOf(data, 1))) {
        if (clearFirst)
            Clear();
        readMicroDvd(data, offset);
    } else {
        return LoadOutcome::UnsupportedFormat;
    }
    return LoadOutcome::Read;
}

void TSubtitle::readSubRip(const QByteArray& data, FrameRate rate, std::int64_t frameOffset)
{
    LineReader reader(data);
    while (!reader.atEnd()) {
        // Step 1: find the next time line; numbers, blank lines and surplus text are skipped.
        const std::string timeLine = reader.readLine();
        if (!IsTimeLine(timeLine))
            continue;

        // Step 2: the two times; anything after the end time (coordinates) is dropped.
        const std::string startText = timeLine.substr(0, 12);
        const std::string endText = timeLine.substr(17, 12);
        const std::int64_t start = frameOfTime(startText, rate) + frameOffset;
        const std::int64_t end = frameOfTime(endText, rate) + frameOffset;

        // Step 3: the text lines, up to a blank line or the end of the file. A time line, or
        // a number line directly followed by a time line, starts the next subtitle and is left
        // for the outer loop, so a subtitle without text or without a closing blank line never
        // swallows its neighbour.
        std::string text[3];
        int kept = 0;
        while (!reader.atEnd()) {
            const qsizetype here = reader.position();
            const std::string candidate = reader.readLine();
            if (isBlank(candidate))
                break;
            if (IsTimeLine(candidate)) {
                reader.seek(here);
                break;
            }
            if (isDigitsOnly(candidate)) {
                const qsizetype afterNumber = reader.position();
                const bool nextIsTime = !reader.atEnd() && IsTimeLine(reader.readLine());
                reader.seek(afterNumber);
                if (nextIsTime) {
                    reader.seek(here);
                    break;
                }
            }
            if (kept < 3)
                text[kept++] = candidate;
        }
        AddLine(std::to_string(start), std::to_string(end), StripTags(text[0]), StripTags(text[1]),
                StripTags(text[2]));
    }
}

void TSubtitle::readMicroDvd(const QByteArray& data, std::int64_t frameOffset)
{
    LineReader reader(data);
    bool first = true;
    while (!reader.atEnd()) {
        std::string line = reader.readLine();
        if (first) {
            line = withoutBom(line);
            first = false;
        }
        // Empty lines (also lines of blanks only) carry no subtitle; skip them.
        if (isBlank(line))
            continue;
        const fivestrings parts = SplitMicroDvdLine(line);
        const std::int64_t start = frameOffset + StrToInt(parts.StartText);
        const std::int64_t end = frameOffset + StrToInt(parts.EndText);
        AddLine(std::to_string(start), std::to_string(end), StripTags(parts.First),
                StripTags(parts.Second), StripTags(parts.Third));
    }
}

} // namespace lumelle
