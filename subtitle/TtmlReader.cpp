// The TTML reader: the document's paragraphs, their times, styles and places, as entries.
#include "subtitle/EntryTimes.h"
#include "subtitle/Subtitle.h"
#include "subtitle/TtmlDocument.h"

namespace lumelle {

void TSubtitle::readTtml(const std::string& data, FrameRate rate, std::int64_t frameOffset,
                         const TextDecoder& decoder)
{
    // The text is handed over decoded, so that a chosen character set is heeded as for every
    // other kind; the document's own encoding declaration is then not consulted.
    TtmlContent content = ReadTtmlDocument(decoder.text(data));
    EntriesWithOpenEnds entries(m_lines, rate);
    for (TtmlParagraph& paragraph : content.paragraphs) {
        if (!paragraph.problem.isEmpty()) {
            skip(paragraph.lineNumber,
                 QStringLiteral("subtitle %1: %2").arg(paragraph.name, paragraph.problem));
            continue;
        }
        // A paragraph without text only clears the screen, which the times do already.
        if (paragraph.text.lines.empty())
            continue;
        addMarkedEntry({paragraph.lineNumber, paragraph.name, paragraph.startMs, paragraph.endMs},
                       std::move(paragraph.text), rate, frameOffset, entries);
    }
    entries.finish();
    if (content.stopLine > 0)
        skip(content.stopLine, content.stopReason);
    m_readNotes << content.notes;
    m_declaredLanguage = content.language;
}

} // namespace lumelle
