// The SubViewer 2 and YouTube SBV reader: a time line "start,end" (hundredths in SubViewer,
// milliseconds in SBV), its text lines up to a blank line, "[br]" as a line break. A SubViewer
// file may open with an [INFORMATION] section and style tags; they are passed over.
#include "platform/Error.h"
#include "subtitle/EntryTimes.h"
#include "subtitle/LineForms.h"
#include "subtitle/LineReader.h"
#include "subtitle/Subtitle.h"
#include "subtitle/TimeCodes.h"

namespace lumelle {

namespace {

// The text lines of one entry: up to a blank line, the end of the file or the next time line,
// each split at its "[br]" marks (in any case).
std::vector<std::string> subViewerTextLines(LineReader& reader)
{
    std::vector<std::string> text;
    while (!reader.atEnd()) {
        const LineReader::Mark here = reader.position();
        const std::string line = reader.readLine();
        if (IsBlankLine(line))
            break;
        if (LooksLikeCommaTimeLine(line) || IsEndOfFileMark(line)) {
            reader.seek(here);
            break;
        }
        std::string lower = line;
        for (char& c : lower)
            c = c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
        std::size_t from = 0;
        for (std::size_t br = lower.find("[br]"); br != std::string::npos;
             br = lower.find("[br]", from)) {
            text.push_back(line.substr(from, br - from));
            from = br + 4;
        }
        text.push_back(line.substr(from));
    }
    return text;
}

// A header line of a SubViewer file: "[INFORMATION]" up to "[END INFORMATION]", and the tags
// ([COLF]..., [STYLE]..., [SIZE]..., [FONT]...) before the first subtitle. True when `line` is
// one; `inInformation` follows the section, `styled` is set by a style tag.
bool takeHeaderLine(const std::string& line, bool& inInformation, bool& styled)
{
    const std::string t = Trimmed(line);
    if (t == "[INFORMATION]")
        return inInformation = true;
    if (t == "[END INFORMATION]") {
        inInformation = false;
        return true;
    }
    if (inInformation)
        return true;
    if (t.empty() || t[0] != '[')
        return false;
    for (const char* tag : {"[COLF]", "[STYLE]", "[SIZE]", "[FONT]"}) {
        if (t.find(tag) != std::string::npos)
            styled = true;
    }
    return true;
}

} // namespace

void TSubtitle::readSubViewer(const std::string& data, FrameRate rate, std::int64_t frameOffset,
                              const TextDecoder& decoder)
{
    LineReader reader(data);
    m_lines.reserve(0, data.size());
    EntriesWithOpenEnds entries(m_lines, rate);
    bool inInformation = false;
    bool styled = false;
    int ordinal = 0;
    while (!reader.atEnd()) {
        const std::string line = reader.readLine();
        const int lineNumber = reader.lineNumber();
        if (IsBlankLine(line) || (ordinal == 0 && takeHeaderLine(line, inInformation, styled)))
            continue;
        if (IsEndOfFileMark(line)) {
            skip(lineNumber, QString::fromLatin1(kEndOfFileMarkReason));
            continue;
        }
        std::string startText;
        std::string endText;
        if (!LooksLikeCommaTimeLine(line) || !SplitCommaTimeLine(line, startText, endText)) {
            // Quoted by its first 40 bytes, read as the file was found to be written.
            subViewerTextLines(reader);
            skip(lineNumber, QStringLiteral("'%1' has no time line before it")
                                 .arg(TextDecoder(kDefaultCharset, m_encoding)
                                          .text(Trimmed(line).substr(0, 40))));
            continue;
        }
        const QString name = QString::number(++ordinal);
        const std::vector<std::string> rawText = subViewerTextLines(reader);
        std::int64_t start = 0;
        std::int64_t end = 0;
        try {
            start = MillisOfTime(startText);
            end = MillisOfTime(endText);
        } catch (const Error& e) {
            skip(lineNumber, QStringLiteral("subtitle %1: %2").arg(name, e.message()));
            continue;
        }
        std::vector<std::string> textLines;
        for (const std::string& raw : rawText)
            textLines.push_back(decoder.utf8(raw));
        addTimedEntry({lineNumber, name, start, end}, std::move(textLines), rate, frameOffset,
                      entries);
    }
    entries.finish();
    if (styled)
        m_readNotes << QStringLiteral("The file's colour, style, size and font tags were not "
                                      "used: its subtitles are drawn with the chosen settings.");
}

} // namespace lumelle
