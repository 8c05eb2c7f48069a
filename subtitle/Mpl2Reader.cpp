// The MPL2 reader: one subtitle per line, "[start][end]text" with times in tenths of a second,
// "|" between text lines and a "/" before a text line for italics.
#include "platform/Error.h"
#include "subtitle/EntryTimes.h"
#include "subtitle/LineForms.h"
#include "subtitle/LineReader.h"
#include "subtitle/Subtitle.h"

namespace lumelle {

namespace {

// The text lines of an MPL2 entry as SubRip markup: the pieces between "|", a leading "/"
// turned into italics of that line.
std::vector<std::string> mpl2TextLines(const std::string& text)
{
    std::vector<std::string> lines;
    std::size_t from = 0;
    for (;;) {
        const std::size_t bar = text.find('|', from);
        std::string piece = text.substr(from, bar == std::string::npos ? bar : bar - from);
        const std::size_t slash = piece.find_first_not_of(" \t");
        if (slash != std::string::npos && piece[slash] == '/')
            piece = "<i>" + piece.substr(slash + 1) + "</i>";
        lines.push_back(std::move(piece));
        if (bar == std::string::npos)
            return lines;
        from = bar + 1;
    }
}

} // namespace

void TSubtitle::readMpl2(const std::string& data, FrameRate rate, std::int64_t frameOffset,
                         const TextDecoder& decoder)
{
    LineReader reader(data);
    m_lines.reserve(0, data.size());
    EntriesWithOpenEnds entries(m_lines, rate);
    int ordinal = 0;
    while (!reader.atEnd()) {
        const std::string line = reader.readLine();
        const int lineNumber = reader.lineNumber();
        if (IsBlankLine(line))
            continue;
        if (IsEndOfFileMark(line)) {
            skip(lineNumber, QString::fromLatin1(kEndOfFileMarkReason));
            continue;
        }
        Mpl2Line parts;
        if (!SplitMpl2Line(line, parts)) {
            // Quoted by its first 40 bytes, read as the file was found to be written.
            skip(lineNumber, QStringLiteral("'%1' has no [start][end] times")
                                 .arg(TextDecoder(kDefaultCharset, m_encoding)
                                          .text(Trimmed(line).substr(0, 40))));
            continue;
        }
        const QString name = QString::number(++ordinal);
        std::int64_t start = 0;
        std::int64_t end = 0;
        try {
            // Tenths of a second; the fields are ASCII in every code page.
            start = std::int64_t(StrToInt(Trimmed(parts.start))) * 100;
            end = std::int64_t(StrToInt(Trimmed(parts.end))) * 100;
        } catch (const ConversionError& e) {
            skip(lineNumber, QStringLiteral("subtitle %1: %2").arg(name, e.message()));
            continue;
        }
        addTimedEntry({lineNumber, name, start, end}, mpl2TextLines(decoder.utf8(parts.text)), rate,
                      frameOffset, entries);
    }
    entries.finish();
}

} // namespace lumelle
