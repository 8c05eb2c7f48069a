// The list side of an ASS/SSA script: each "Dialogue:" event of its [Events] section as an
// entry with its times and its text as plain lines, for the window's list and the converter's
// listing. How the events look is libass's to draw (ass/).
#include "platform/Error.h"
#include "subtitle/AssText.h"
#include "subtitle/EntryTimes.h"
#include "subtitle/LineReader.h"
#include "subtitle/Markup.h"
#include "subtitle/Subtitle.h"

#include <cctype>

namespace lumelle {

namespace {

bool startsWithNoCase(const std::string& line, const char* prefix)
{
    for (std::size_t i = 0; prefix[i] != '\0'; ++i) {
        if (i >= line.size() || std::tolower(static_cast<unsigned char>(line[i])) != prefix[i])
            return false;
    }
    return true;
}

} // namespace

void TSubtitle::readAss(const std::string& data, FrameRate rate, std::int64_t frameOffset,
                        const TextDecoder& decoder)
{
    LineReader reader(data);
    EntriesWithOpenEnds entries(m_lines, rate);
    std::vector<std::string> format = DefaultAssEventFormat();
    bool inEvents = false;
    int lineNumber = 0;
    int event = 0;
    while (!reader.atEnd()) {
        const std::string line = Trimmed(reader.readLine());
        ++lineNumber;
        if (!line.empty() && line[0] == '[') {
            inEvents = startsWithNoCase(line, "[events]");
            continue;
        }
        if (!inEvents)
            continue;
        if (startsWithNoCase(line, "format:")) {
            format = AssEventFormat(line);
            continue;
        }
        if (!startsWithNoCase(line, "dialogue:"))
            continue;
        ++event;
        AssDialogue dialogue;
        TimedText timed;
        timed.lineNumber = lineNumber;
        timed.name = QString::number(event);
        if (!ReadAssDialogue(decoder.utf8(line), format, dialogue)) {
            skip(lineNumber,
                 QStringLiteral("event %1: fewer fields than its Format line names").arg(event));
            continue;
        }
        try {
            timed.startMs = AssMillisOfTime(dialogue.start);
            timed.endMs = AssMillisOfTime(dialogue.end);
        } catch (const Error& e) {
            skip(lineNumber, QStringLiteral("event %1: %2").arg(timed.name, e.message()));
            continue;
        }
        // An event that ends before it starts is never shown by libass: it stays out of the
        // list as well.
        if (timed.endMs < timed.startMs) {
            skip(lineNumber, QStringLiteral("event %1: it ends before it starts").arg(event));
            continue;
        }
        addTimedEntry(timed, AssPlainLines(dialogue.text), rate, frameOffset, entries, true);
    }
    entries.finish();
}

} // namespace lumelle
