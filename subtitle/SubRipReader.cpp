// The SubRip reader: numbered entries of a time line and text lines, ended by a blank line.
#include "platform/Error.h"
#include "subtitle/EntryTimes.h"
#include "subtitle/LineReader.h"
#include "subtitle/Markup.h"
#include "subtitle/Subtitle.h"
#include "subtitle/TimeCodes.h"

namespace lumelle {

namespace {

bool isDigitsOnly(const std::string& line)
{
    const std::string t = Trimmed(line);
    return !t.empty() && t.find_first_not_of("0123456789") == std::string::npos;
}

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
        if (IsBlankLine(candidate))
            break;
        if (LooksLikeTimeLine(candidate) || IsEndOfFileMark(candidate)) {
            reader.seek(here);
            break;
        }
        if (isDigitsOnly(candidate)) {
            const LineReader::Mark afterNumber = reader.position();
            const bool nextIsTime = !reader.atEnd() && LooksLikeTimeLine(reader.readLine());
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

} // namespace

void TSubtitle::addMarkedEntry(const TimedText& timed, MarkedText marked, FrameRate rate,
                               std::int64_t frameOffset, EntriesWithOpenEnds& entries,
                               bool keepEmpty)
{
    auto [startMs, endMs] = std::pair(timed.startMs, timed.endMs);
    const QString why =
        QStringLiteral("subtitle %1: %2").arg(timed.name, TimesReason(JudgeTimes(startMs, endMs)));
    SubtitleLine entry;
    bool openEnd = false;
    switch (JudgeTimes(startMs, endMs)) {
    case EntryTimes::EndsAsItStarts:
        ++m_hidden;
        return;
    case EntryTimes::WhollyBeforeZero:
        skip(timed.lineNumber, why);
        return;
    case EntryTimes::StartsBeforeZero:
        startMs = 0;
        noteChanged(timed.lineNumber, why);
        break;
    case EntryTimes::EndsBeforeStart:
        openEnd = true;
        endMs = startMs;
        noteChanged(timed.lineNumber, why);
        break;
    default:
        break;
    }
    try {
        const std::int64_t start = FramesOfMillis(startMs, rate) + frameOffset;
        if (!StartFitsStream(start, rate)) {
            skip(timed.lineNumber,
                 QStringLiteral("subtitle %1: %2").arg(timed.name, StartOutOfStream(start)));
            return;
        }
        entry.StartFrame = std::to_string(start);
        entry.EndFrame = std::to_string(FramesOfMillis(endMs, rate) + frameOffset);
    } catch (const Error& e) {
        skip(timed.lineNumber, QStringLiteral("subtitle %1: %2").arg(timed.name, e.message()));
        return;
    }
    SetTextLines(entry, std::move(marked));
    if (!keepEmpty && ShowsNoText(entry)) {
        ++m_empty;
        entries.endWaitingAt(entry);
        return;
    }
    entries.add(std::move(entry), openEnd);
}

void TSubtitle::addTimedEntry(const TimedText& timed, std::vector<std::string> textLines,
                              FrameRate rate, std::int64_t frameOffset,
                              EntriesWithOpenEnds& entries, bool plain)
{
    MarkedText marked;
    TextStyle style;
    if (plain)
        marked.lines = std::move(textLines);
    else
        for (const std::string& text : textLines)
            AppendMarkedLine(text, false, style, marked);
    addMarkedEntry(timed, std::move(marked), rate, frameOffset, entries, plain);
}

void TSubtitle::readSubRip(const std::string& data, FrameRate rate, std::int64_t frameOffset,
                           const TextDecoder& decoder)
{
    // One entry per arrow at most, and the entries take little more room than the text they
    // come from: room for all of them at once saves regrowing a long list.
    std::size_t arrows = 0;
    for (std::size_t at = data.find("-->"); at != std::string::npos; at = data.find("-->", at + 3))
        ++arrows;
    m_lines.reserve(arrows, data.size());
    LineReader reader(data);
    EntriesWithOpenEnds entries(m_lines, rate);
    std::string number; // the index line before the time line, if any
    int ordinal = 0;
    while (!reader.atEnd()) {
        const std::string line = reader.readLine();
        const int lineNumber = reader.lineNumber();
        if (IsBlankLine(line))
            continue;
        if (isDigitsOnly(line)) {
            number = Trimmed(line);
            continue;
        }
        if (!LooksLikeTimeLine(line)) {
            // Text that belongs to no time line, with the lines that follow it. It is quoted
            // by its first 40 bytes, read as the file was found to be written.
            const std::vector<std::string> stray = subRipTextLines(reader);
            skip(lineNumber, IsEndOfFileMark(line) && stray.empty()
                                 ? QString::fromLatin1(kEndOfFileMarkReason)
                                 : QStringLiteral("'%1' has no time line before it")
                                       .arg(TextDecoder(kDefaultCharset, m_encoding)
                                                .text(Trimmed(line).substr(0, 40))));
            continue;
        }
        ++ordinal;
        const QString name =
            number.empty() ? QString::number(ordinal) : QString::fromStdString(number);
        number.clear();
        const std::vector<std::string> rawText = subRipTextLines(reader);
        std::pair<std::int64_t, std::int64_t> times;
        try {
            times = TimesOfLine(line);
        } catch (const Error& e) {
            skip(lineNumber, QStringLiteral("subtitle %1: %2").arg(name, e.message()));
            continue;
        }
        std::vector<std::string> textLines;
        textLines.reserve(rawText.size());
        for (const std::string& raw : rawText)
            textLines.push_back(decoder.utf8(raw));
        addTimedEntry({lineNumber, name, times.first, times.second}, std::move(textLines), rate,
                      frameOffset, entries);
    }
    entries.finish();
}

} // namespace lumelle
