#include "subtitle/Subtitle.h"

#include "platform/Error.h"
#include "subtitle/FileReading.h"
#include "subtitle/Markup.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>

namespace lumelle {

namespace {

// Splits text into lines: a line ends at a line feed, a carriage return, or both together, so
// files of every system read alike. The end of the data after a final line break gives no
// extra empty line; reading past the end gives "".
class LineReader
{
public:
    explicit LineReader(const std::string& data) : m_data(data) {}

    bool atEnd() const { return m_pos >= m_data.size(); }

    std::string readLine()
    {
        const std::size_t size = m_data.size();
        std::size_t end = m_pos;
        while (end < size && m_data[end] != '\n' && m_data[end] != '\r')
            ++end;
        std::string line = m_data.substr(std::min(m_pos, size), end - std::min(m_pos, size));
        if (end < size && m_data[end] == '\r' && end + 1 < size && m_data[end + 1] == '\n')
            ++end;
        m_pos = end < size ? end + 1 : size;
        ++m_lineNumber;
        return line;
    }

    // The number (1-based) of the line read last.
    int lineNumber() const { return m_lineNumber; }

    // Where the reader stands, to look ahead and come back.
    struct Mark
    {
        std::size_t pos;
        int lineNumber;
    };
    Mark position() const { return {m_pos, m_lineNumber}; }
    void seek(Mark mark) { m_pos = mark.pos, m_lineNumber = mark.lineNumber; }

private:
    const std::string& m_data;
    std::size_t m_pos = 0;
    int m_lineNumber = 0;
};

QByteArray readWholeFile(const QString& fileName)
{
    return ReadSubtitleFile(fileName);
}

// The text of a file in memory with its encoding: UTF-16 and UTF-32 (declared by a byte-order
// mark) turned into UTF-8, a UTF-8 mark dropped, other bytes as they are.
struct PreparedText
{
    std::string text;
    FileEncoding encoding;
};

PreparedText prepareText(const QByteArray& raw)
{
    static const struct
    {
        const char* mark;
        std::size_t size;
        const char* codePage;
    } kMarks[] = {{"\x00\x00\xFE\xFF", 4, "UTF-32BE"},
                  {"\xFF\xFE\x00\x00", 4, "UTF-32LE"},
                  {"\xEF\xBB\xBF", 3, "UTF-8"},
                  {"\xFE\xFF", 2, "UTF-16BE"},
                  {"\xFF\xFE", 2, "UTF-16LE"}};
    for (const auto& bom : kMarks) {
        if (raw.size() >= qsizetype(bom.size) &&
            std::memcmp(raw.constData(), bom.mark, bom.size) == 0) {
            std::string rest(raw.constData() + bom.size, std::size_t(raw.size()) - bom.size);
            PreparedText prepared{std::string(), FileEncoding{bom.codePage, true}};
            if (std::strcmp(bom.codePage, "UTF-8") == 0)
                prepared.text = std::move(rest);
            else
                prepared.text = ToUtf8(rest, bom.codePage);
            // The lines now hold UTF-8; messages name what the file was.
            prepared.encoding.codePage = "UTF-8";
            prepared.encoding.inFile = bom.codePage;
            return prepared;
        }
    }
    PreparedText prepared{std::string(raw.constData(), std::size_t(raw.size())), FileEncoding{}};
    prepared.encoding.codePage = IsValidUtf8(prepared.text)
                                     ? std::string("UTF-8")
                                     : DetectCodePage(prepared.text.data(), prepared.text.size());
    return prepared;
}

std::vector<std::string> firstLinesOf(const std::string& text, int count)
{
    std::vector<std::string> lines;
    LineReader reader(text);
    for (int i = 0; i < count && !reader.atEnd(); ++i)
        lines.push_back(reader.readLine());
    return lines;
}

// The first `count` lines of a file, read for recognising its kind. A file that exists but
// cannot be opened ends the load with the system's error text.
std::vector<std::string> firstLines(const QString& fileName, int count)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        throw Error(file.errorString());
    // A line can be long; read in blocks until enough line ends were seen. Only the new
    // block is searched each time, so a file that is one long line is read once.
    QByteArray head;
    qsizetype lineEnds = 0;
    while (!file.atEnd() && lineEnds < count && head.size() <= kMaxLineBytes) {
        QByteArray block = file.read(64 * 1024);
        if (block.isEmpty())
            break;
        lineEnds += block.count('\n') + block.count('\r');
        head += block;
    }
    if (file.error() != QFileDevice::NoError)
        throw Error(file.errorString());
    return firstLinesOf(prepareText(head).text, count);
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

bool isBlank(const std::string& line)
{
    return line.find_first_not_of(" \t") == std::string::npos;
}

std::string trimmed(const std::string& line)
{
    const std::size_t from = line.find_first_not_of(" \t");
    if (from == std::string::npos)
        return std::string();
    return line.substr(from, line.find_last_not_of(" \t") - from + 1);
}

bool isDigitsOnly(const std::string& line)
{
    const std::string t = trimmed(line);
    return !t.empty() && t.find_first_not_of("0123456789") == std::string::npos;
}

// A line meant as a SubRip time line, well written or not: a digit (or sign) first and an
// arrow.
bool looksLikeTimeLine(const std::string& line)
{
    const std::size_t first = line.find_first_not_of(" \t");
    if (first == std::string::npos)
        return false;
    const char c = line[first];
    return ((c >= '0' && c <= '9') || c == '-' || c == '+') &&
           line.find("-->", first) != std::string::npos;
}

// How many lines at the top of a file are searched for its first subtitle.
constexpr int kRecognitionLines = 50;

// A SubRip file has a time line among its first lines.
bool looksLikeSubRip(const std::vector<std::string>& lines)
{
    for (const std::string& line : lines) {
        if (looksLikeTimeLine(line))
            return true;
    }
    return false;
}

// A MicroDVD file starts with "{" (after blank lines, if any).
bool looksLikeMicroDvd(const std::vector<std::string>& lines)
{
    for (const std::string& line : lines) {
        if (!isBlank(line))
            return trimmed(line)[0] == '{';
    }
    return false;
}

bool hasMicroDvdExtension(const QString& fileName)
{
    const QString ext = upperExtension(fileName);
    return ext == QLatin1String(".TXT") || ext == QLatin1String(".SUB");
}

bool isEndOfFileMark(const std::string& line)
{
    return trimmed(line) == "\x1A";
}

const char kEndOfFileMarkReason[] = "end-of-file mark (Ctrl-Z)";

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

std::int64_t framesOfMillis(std::int64_t ms, FrameRate rate)
{
    return DivideRoundHalfEven(ms * rate.framesPer1000Seconds(), 1000000);
}

// A SubRip time H+:MM:SS[,.]m{1,3} in milliseconds; one or two millisecond digits are tenths or
// hundredths. Throws ConversionError for a field that is no number and Error for a time that is
// out of range or not of this form.
std::int64_t millisOfTime(const std::string& text)
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
    // Minutes and seconds past 59 are summed as they stand, as they always were.
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

// The start and end of a time line in milliseconds; anything after the end time (coordinates)
// is ignored. Throws as millisOfTime.
std::pair<std::int64_t, std::int64_t> timesOfLine(const std::string& line)
{
    const std::size_t arrow = line.find("-->");
    if (arrow == std::string::npos)
        throw Error(QStringLiteral("no '-->' in the time line"));
    const std::string startText = trimmed(line.substr(0, arrow));
    const std::string rest = trimmed(line.substr(arrow + 3));
    const std::string endText = rest.substr(0, rest.find_first_of(" \t"));
    return {millisOfTime(startText), millisOfTime(endText)};
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
    m_lines.append(SubtitleLine{std::move(startFrame), std::move(endFrame), std::move(line1),
                                std::move(line2), std::move(line3)});
}

void TSubtitle::AddEntry(const SubtitleLine& entry)
{
    m_lines.append(entry);
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

SubtitleLine TSubtitle::line(int index) const
{
    Q_ASSERT(index >= 1 && index <= Count());
    return m_lines.at(std::size_t(index - 1));
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
    if (!looksLikeTimeLine(line))
        return false;
    try {
        (void)timesOfLine(line);
        return true;
    } catch (const Error&) {
        return false;
    }
}

bool TSubtitle::IsSrtFile(const QString& fileName)
{
    if (!isRegularFile(fileName) || upperExtension(fileName) != QLatin1String(".SRT"))
        return false;
    return looksLikeSubRip(firstLines(fileName, kRecognitionLines));
}

bool TSubtitle::IsMicroDvdFile(const QString& fileName)
{
    if (!isRegularFile(fileName) || !hasMicroDvdExtension(fileName))
        return false;
    return looksLikeMicroDvd(firstLines(fileName, kRecognitionLines));
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
    MarkedText marked;
    TextStyle style;
    AppendMarkedLine(line, std::string(), false, style, marked);
    std::string out;
    for (const std::string& piece : marked.lines)
        out += (out.empty() ? "" : " ") + piece;
    return out;
}

std::vector<int> TSubtitle::IndicesByStart() const
{
    std::vector<std::pair<long long, int>> starts;
    starts.reserve(m_lines.size());
    for (int i = 1; i <= Count(); ++i)
        starts.emplace_back(std::strtoll(line(i).StartFrame.c_str(), nullptr, 10), i);
    std::stable_sort(starts.begin(), starts.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<int> order;
    order.reserve(starts.size());
    for (const auto& start : starts)
        order.push_back(start.second);
    return order;
}

void TSubtitle::skip(int lineNumber, const QString& reason)
{
    m_skipped.push_back({lineNumber, reason});
}

LoadOutcome TSubtitle::LoadFromFile(const QString& fileName, bool clearFirst, FrameRate rate,
                                    double frameOffset, quint8 charset)
{
    if (!IsSrtFile(fileName) && !IsMicroDvdFile(fileName))
        return LoadOutcome::UnsupportedFormat;
    // The file's bytes are let go as soon as their text is prepared, so that a long file is not
    // held twice while its entries are read.
    PreparedText prepared = prepareText(readWholeFile(fileName));
    return loadText(fileName, std::move(prepared.text), std::move(prepared.encoding), clearFirst,
                    rate, frameOffset, charset);
}

LoadOutcome TSubtitle::LoadFromData(const QString& fileName, const QByteArray& data,
                                    bool clearFirst, FrameRate rate, double frameOffset,
                                    quint8 charset)
{
    PreparedText prepared = prepareText(data);
    return loadText(fileName, std::move(prepared.text), std::move(prepared.encoding), clearFirst,
                    rate, frameOffset, charset);
}

LoadOutcome TSubtitle::loadText(const QString& fileName, std::string text, FileEncoding encoding,
                                bool clearFirst, FrameRate rate, double frameOffset, quint8 charset)
{
    const std::int64_t offset = std::llround(std::isfinite(frameOffset) ? frameOffset : 0.0);
    const std::vector<std::string> head = firstLinesOf(text, kRecognitionLines);
    const bool subRip = upperExtension(fileName) == QLatin1String(".SRT") && looksLikeSubRip(head);
    if (!subRip && !(hasMicroDvdExtension(fileName) && looksLikeMicroDvd(head)))
        return LoadOutcome::UnsupportedFormat;
    if (clearFirst)
        Clear();
    m_skipped.clear();
    m_rateNote.clear();
    m_encoding = std::move(encoding);
    const std::string codePage = CodePageFor(charset, m_encoding);
    if (subRip)
        readSubRip(text, rate, offset, codePage);
    else
        readMicroDvd(text, rate, offset, codePage);
    return LoadOutcome::Read;
}

namespace {

// Reads the text lines of one SubRip subtitle: up to a blank line or the end of the file. A
// time line, or a number line directly followed by a time line, starts the next subtitle and
// is left for the caller, so a subtitle without text or without a closing blank line never
// swallows its neighbour.
std::vector<std::string> subRipTextLines(LineReader& reader)
{
    std::vector<std::string> text;
    while (!reader.atEnd()) {
        const LineReader::Mark here = reader.position();
        std::string candidate = reader.readLine();
        if (isBlank(candidate))
            break;
        if (looksLikeTimeLine(candidate) || isEndOfFileMark(candidate)) {
            reader.seek(here);
            break;
        }
        if (isDigitsOnly(candidate)) {
            const LineReader::Mark afterNumber = reader.position();
            const bool nextIsTime = !reader.atEnd() && looksLikeTimeLine(reader.readLine());
            reader.seek(afterNumber);
            if (nextIsTime) {
                reader.seek(here);
                break;
            }
        }
        text.push_back(std::move(candidate));
    }
    return text;
}

// Fills the text fields of `entry` from lines without markup.
void setTextLines(SubtitleLine& entry, MarkedText&& marked)
{
    std::vector<std::string>& lines = marked.lines;
    while (!lines.empty() && lines.back().empty())
        lines.pop_back();
    std::string* fields[] = {&entry.Line1, &entry.Line2, &entry.Line3};
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i < 3)
            *fields[i] = std::move(lines[i]);
        else
            entry.MoreLines.push_back(std::move(lines[i]));
    }
    entry.Spans = std::move(marked.spans);
}

} // namespace

void TSubtitle::readSubRip(const std::string& data, FrameRate rate, std::int64_t frameOffset,
                           const std::string& codePage)
{
    // One entry per arrow at most, and the entries take less room than the text they come
    // from: room for all of them at once saves regrowing a long list.
    std::size_t arrows = 0;
    for (std::size_t at = data.find("-->"); at != std::string::npos; at = data.find("-->", at + 3))
        ++arrows;
    m_lines.reserve(arrows, data.size());
    LineReader reader(data);
    std::string number; // the index line before the time line, if any
    int ordinal = 0;
    while (!reader.atEnd()) {
        const std::string line = reader.readLine();
        const int lineNumber = reader.lineNumber();
        if (isBlank(line))
            continue;
        if (isDigitsOnly(line)) {
            number = trimmed(line);
            continue;
        }
        if (!looksLikeTimeLine(line)) {
            // Text that belongs to no time line, with the lines that follow it.
            const std::vector<std::string> stray = subRipTextLines(reader);
            skip(lineNumber,
                 isEndOfFileMark(line) && stray.empty()
                     ? QString::fromLatin1(kEndOfFileMarkReason)
                     : QStringLiteral("'%1' has no time line before it")
                           .arg(DecodeText(trimmed(line).substr(0, 40), 1, m_encoding)));
            continue;
        }
        ++ordinal;
        const QString name =
            number.empty() ? QString::number(ordinal) : QString::fromStdString(number);
        number.clear();
        std::vector<std::string> rawText = subRipTextLines(reader);
        SubtitleLine entry;
        try {
            const auto [startMs, endMs] = timesOfLine(line);
            entry.StartFrame = std::to_string(framesOfMillis(startMs, rate) + frameOffset);
            entry.EndFrame = std::to_string(framesOfMillis(endMs, rate) + frameOffset);
        } catch (const Error& e) {
            skip(lineNumber, QStringLiteral("subtitle %1: %2").arg(name, e.message()));
            continue;
        }
        MarkedText marked;
        TextStyle style;
        for (const std::string& raw : rawText)
            AppendMarkedLine(raw, codePage, false, style, marked);
        setTextLines(entry, std::move(marked));
        m_lines.append(entry);
    }
}

namespace {

// The frame rate of a MicroDVD header entry {1}{1}23.976 (also {0}{0}25, or with a comma), or
// 0 when the entry is an ordinary subtitle.
double headerRate(std::int64_t start, std::int64_t end, const std::string& text)
{
    if (start != end || (start != 0 && start != 1))
        return 0;
    QString number = QString::fromLatin1(trimmed(text));
    number.replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    const double rate = number.toDouble(&ok);
    return ok && rate >= 1 && rate <= 1000 ? rate : 0;
}

// The text of a MicroDVD line after its "{start}{end}", found on whole characters.
std::string microDvdText(const std::string& line, const std::string& codePage)
{
    const std::string masked = MaskTrailBytes(line, codePage);
    const std::string& m = masked.empty() ? line : masked;
    const std::size_t open = m.find('{');
    const std::size_t between = m.find("}{", open);
    const std::size_t close = between == std::string::npos ? between : m.find('}', between + 2);
    return close == std::string::npos ? std::string() : line.substr(close + 1);
}

// The pieces of MicroDVD text between "|" characters, on whole characters.
std::vector<std::string> barPieces(const std::string& text, const std::string& codePage)
{
    const std::string masked = MaskTrailBytes(text, codePage);
    const std::string& m = masked.empty() ? text : masked;
    std::vector<std::string> pieces;
    std::size_t from = 0;
    for (std::size_t bar = m.find('|'); bar != std::string::npos; bar = m.find('|', from)) {
        pieces.push_back(text.substr(from, bar - from));
        from = bar + 1;
    }
    pieces.push_back(text.substr(from));
    return pieces;
}

// The text lines of a MicroDVD entry: the pieces between "|", each without its markup.
MarkedText microDvdMarkedText(std::string text, const std::string& codePage)
{
    const TextStyle whole = TakeWholeSubtitleStyle(text, codePage);
    MarkedText marked;
    for (const std::string& piece : barPieces(text, codePage)) {
        TextStyle style = whole;
        AppendMarkedLine(piece, codePage, true, style, marked);
    }
    return marked;
}

// Stores MicroDVD entries in file order. An entry written {start}{} is shown until the next
// one starts, at most 5 seconds, so it waits here for the next one or the end of the file.
class EntriesWithOpenEnds
{
public:
    EntriesWithOpenEnds(EntryStore& store, FrameRate rate)
        : m_store(store), m_longest(rate.framesPer1000Seconds() * 5 / 1000)
    {}

    bool holdsOne() const { return m_waiting; }

    void add(SubtitleLine entry, bool openEnd)
    {
        if (m_waiting)
            release(&entry);
        m_waiting = openEnd;
        if (openEnd)
            m_open = std::move(entry);
        else
            m_store.append(entry);
    }

    void finish()
    {
        if (m_waiting)
            release(nullptr);
        m_waiting = false;
    }

private:
    void release(const SubtitleLine* next)
    {
        const std::int64_t start = std::strtoll(m_open.StartFrame.c_str(), nullptr, 10);
        std::int64_t end = start + m_longest;
        if (next) {
            const std::int64_t nextStart = std::strtoll(next->StartFrame.c_str(), nullptr, 10);
            if (nextStart > start)
                end = std::min(end, nextStart);
        }
        m_open.EndFrame = std::to_string(end);
        m_store.append(m_open);
    }

    EntryStore& m_store;
    std::int64_t m_longest;
    SubtitleLine m_open;
    bool m_waiting = false;
};

QString rateText(double fps)
{
    return QString::number(fps, 'f', 3).remove(QRegularExpression(QStringLiteral("\\.?0+$")));
}

} // namespace

void TSubtitle::readMicroDvd(const std::string& data, FrameRate rate, std::int64_t frameOffset,
                             const std::string& codePage)
{
    LineReader reader(data);
    m_lines.reserve(0, data.size());
    const std::size_t firstEntry = m_lines.size();
    EntriesWithOpenEnds entries(m_lines, rate);
    double fileRate = 0;
    const double chosenRate = double(rate.framesPer1000Seconds()) / 1000.0;
    auto converted = [&](std::int64_t frame) {
        return fileRate > 0 ? std::llround(double(frame) * chosenRate / fileRate) : frame;
    };
    while (!reader.atEnd()) {
        std::string line = reader.readLine();
        const int lineNumber = reader.lineNumber();
        if (isBlank(line))
            continue;
        if (isEndOfFileMark(line)) {
            skip(lineNumber, QString::fromLatin1(kEndOfFileMarkReason));
            continue;
        }
        const fivestrings parts = SplitMicroDvdLine(line);
        std::int64_t start = 0;
        std::int64_t end = 0;
        try {
            start = StrToInt(parts.StartText);
            end = parts.EndText.empty() ? start : StrToInt(parts.EndText);
        } catch (const ConversionError& e) {
            skip(lineNumber, e.message());
            continue;
        }
        std::string text = microDvdText(line, codePage);
        if (m_lines.size() == firstEntry && !entries.holdsOne() && fileRate == 0 &&
            !parts.EndText.empty()) {
            if ((fileRate = headerRate(start, end, text)) > 0) {
                if (std::abs(fileRate - chosenRate) < 0.0005)
                    fileRate = 0; // the file's own rate: nothing to convert
                else
                    m_rateNote = QStringLiteral("frame numbers converted from %1 fps to %2 fps")
                                     .arg(rateText(fileRate), rateText(chosenRate));
                continue;
            }
        }
        const std::int64_t first = converted(start) + frameOffset;
        const std::int64_t last = converted(end) + frameOffset;
        if (std::max(first, last) > std::numeric_limits<int>::max()) {
            // Only a frame number converted to a higher rate can grow past what the run reads.
            skip(lineNumber,
                 QStringLiteral("frame %1 is out of range at %2 fps")
                     .arg(QString::number(std::max(first, last)), rateText(chosenRate)));
            continue;
        }
        SubtitleLine entry{std::to_string(first), std::to_string(last), {}, {}, {}};
        setTextLines(entry, microDvdMarkedText(text, codePage));
        entries.add(std::move(entry), parts.EndText.empty());
    }
    entries.finish();
}

} // namespace lumelle
