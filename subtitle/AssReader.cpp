// The list side of an ASS/SSA script: each "Dialogue:" event of its [Events] section as an
// entry with its times and its text as plain lines, for the window's list and the converter's
// listing. How the events look is libass's to draw (ass/).
#include "platform/Error.h"
#include "subtitle/AssText.h"
#include "subtitle/EntryTimes.h"
#include "subtitle/LineReader.h"
#include "subtitle/Markup.h"
#include "subtitle/Subtitle.h"

namespace lumelle {

void TSubtitle::readAss(const std::string& data, FrameRate rate, std::int64_t frameOffset,
                        const TextDecoder& decoder)
{
    LineReader reader(data);
    EntriesWithOpenEnds entries(m_lines, rate);
    AssEventLines lines;
    int lineNumber = 0;
    int event = 0;
    while (!reader.atEnd()) {
        const std::string line = Trimmed(reader.readLine());
        ++lineNumber;
        if (lines.take(line) != AssEventLines::Kind::Event)
            continue;
        ++event;
        AssEvent read;
        if (const QString why = ReadAssEvent(decoder.utf8(line), lines.format(), read);
            !why.isEmpty()) {
            skip(lineNumber, QStringLiteral("event %1: %2").arg(event).arg(why));
            continue;
        }
        const TimedText timed{lineNumber, QString::number(event), read.startMs, read.endMs};
        addTimedEntry(timed, AssPlainLines(read.dialogue.text), rate, frameOffset, entries, true);
    }
    entries.finish();
}

} // namespace lumelle
