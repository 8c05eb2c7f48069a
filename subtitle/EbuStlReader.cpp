// The EBU STL reader: the general block's frame rate, character table, language and programme
// start, then one subtitle per run of text blocks of one subtitle number, its extension blocks
// joined.
#include "subtitle/EbuStl.h"
#include "subtitle/EntryTimes.h"
#include "subtitle/Subtitle.h"

#include <QStringList>
#include <vector>

namespace lumelle {

namespace {

// Where block `index` (0-based) of the text blocks begins in the file.
std::size_t offsetOfBlock(std::size_t index)
{
    return kGsiBlockBytes + index * kTtiBlockBytes;
}

// The time subtracted from every time code: the programme's start, when the general block
// gives one that lies before the first subtitle (tapes start programmes at 10:00:00:00).
std::int64_t timeBase(const std::string& data, const StlGeneral& general)
{
    if (!general.programmeStart || data.size() < offsetOfBlock(1))
        return 0;
    const StlTextBlock first = ReadTextBlock(data.data() + offsetOfBlock(0));
    const std::int64_t start = general.programmeStart->millis(general.framesPerSecond);
    return first.in.valid(general.framesPerSecond) &&
                   first.in.millis(general.framesPerSecond) >= start
               ? start
               : 0;
}

} // namespace

namespace {

// A subtitle's text blocks joined: the first block, its text the text of them all.
struct JoinedSubtitle
{
    StlTextBlock block;
    std::size_t index = 0; // of its first text block
};

std::vector<JoinedSubtitle> joinedSubtitles(const std::string& data)
{
    std::vector<JoinedSubtitle> joined;
    bool open = false; // the last one waits for more blocks
    const std::size_t blocks = (data.size() - kGsiBlockBytes) / kTtiBlockBytes;
    for (std::size_t i = 0; i < blocks; ++i) {
        const StlTextBlock block = ReadTextBlock(data.data() + offsetOfBlock(i));
        if (block.extension == 0xFE)
            continue; // user data
        if (open && joined.back().block.subtitleNumber == block.subtitleNumber)
            joined.back().block.text += block.text;
        else
            joined.push_back({block, i});
        open = block.extension != 0xFF;
    }
    return joined;
}

// What the user is told about the general block, read into `general`; `base` is the time
// taken from every time code.
QStringList generalNotes(const StlGeneral& general, std::int64_t base)
{
    QStringList notes;
    if (!*StlCodePage(general.codeTable))
        notes << QStringLiteral("Its character code table '%1' is not one of EBU STL's; its text "
                                "is read as Latin (ISO 6937).")
                     .arg(QString::fromStdString(general.codeTable));
    if (base > 0)
        notes << QStringLiteral("Its times are counted from the programme's start, time code %1.")
                     .arg(QString::fromStdString(general.programmeStart->text()));
    return notes;
}

} // namespace

void TSubtitle::readEbuStl(const std::string& data, FrameRate rate, std::int64_t frameOffset)
{
    if (data.size() < kGsiBlockBytes) {
        skip(1, QStringLiteral("the general information block is cut off after %1 bytes")
                    .arg(data.size()));
        return;
    }
    const StlGeneral general = ReadGeneralBlock(data);
    const char* codePage = StlCodePage(general.codeTable);
    m_encoding = FileEncoding{*codePage ? codePage : "ISO_6937", true};
    m_encoding.declaredBy = "character code table " + general.codeTable;
    m_declaredLanguage = general.language;
    const std::int64_t base = timeBase(data, general);
    m_readNotes << generalNotes(general, base);
    const int fps = general.framesPerSecond;
    EntriesWithOpenEnds entries(m_lines, rate);
    int comments = 0;
    bool doubleHeight = false;
    for (const JoinedSubtitle& joined : joinedSubtitles(data)) {
        const StlTextBlock& subtitle = joined.block;
        const QString name = QString::number(subtitle.subtitleNumber);
        const int position = int(joined.index + 1);
        if (subtitle.comment) {
            ++comments;
            continue;
        }
        if (!subtitle.in.valid(fps) || !subtitle.out.valid(fps)) {
            const StlTimeCode& bad = subtitle.in.valid(fps) ? subtitle.out : subtitle.in;
            skip(position,
                 QStringLiteral("subtitle %1 (text block %2 at byte %3): time code %4 is not "
                                "valid at %5 frames a second")
                     .arg(name, QString::number(position),
                          QString::number(offsetOfBlock(joined.index)),
                          QString::fromStdString(bad.text()), QString::number(fps)));
            continue;
        }
        StlText text = DecodeStlText(subtitle.text, general.codeTable);
        doubleHeight = doubleHeight || text.doubleHeight;
        if (text.marked.lines.empty())
            continue;
        text.marked.place = StlPlace(subtitle.verticalPosition, subtitle.justification, general);
        addMarkedEntry(
            {position, name, subtitle.in.millis(fps) - base, subtitle.out.millis(fps) - base},
            std::move(text.marked), rate, frameOffset, entries);
    }
    entries.finish();
    const std::size_t blocks = (data.size() - kGsiBlockBytes) / kTtiBlockBytes;
    if (const std::size_t rest = (data.size() - kGsiBlockBytes) % kTtiBlockBytes; rest != 0)
        skip(int(blocks + 1),
             QStringLiteral("text block %1 at byte %2 is cut off after %3 bytes")
                 .arg(QString::number(blocks + 1), QString::number(offsetOfBlock(blocks)),
                      QString::number(rest)));
    if (comments > 0)
        m_readNotes << QStringLiteral("%1 of its subtitles are marked as comments and are not "
                                      "shown.")
                           .arg(comments);
    if (doubleHeight)
        m_readNotes << QStringLiteral("Its double-height teletext rows are drawn at the chosen "
                                      "font size.");
}

} // namespace lumelle
