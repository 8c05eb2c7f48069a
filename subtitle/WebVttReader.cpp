// The WebVTT reader: a "WEBVTT" header, then blocks parted by blank lines. A cue block is an
// optional identifier, a time line "start --> end [settings]" and its text; NOTE, STYLE and
// REGION blocks are skipped, but for the colours of STYLE blocks. The cue text's own tags are
// turned into the markup SubRip files carry ({\anN} for the place, <font color> for the colour
// classes, <i>/<b>/<u>), so that both kinds of file are drawn by the same rules.
#include "platform/Error.h"
#include "subtitle/EntryTimes.h"
#include "subtitle/LineReader.h"
#include "subtitle/Subtitle.h"
#include "subtitle/WebVttCueSettings.h"
#include "subtitle/WebVttCueText.h"
#include "subtitle/WebVttStyle.h"

#include <algorithm>
#include <cstring>
#include <optional>
#include <vector>

namespace lumelle {

namespace {

// The offset an X-TIMESTAMP-MAP value ("MPEGTS:900000,LOCAL:00:00:00.000") gives the cues:
// the stream time (90 kHz ticks) less the local time, in milliseconds; nullopt when either
// part is missing or unreadable.
std::optional<std::int64_t> timestampMapOffset(const std::string& value)
{
    std::optional<std::int64_t> ticks;
    std::optional<std::int64_t> localMs;
    std::size_t at = 0;
    while (at <= value.size()) {
        const std::size_t comma = std::min(value.find(',', at), value.size());
        const std::string item = Trimmed(value.substr(at, comma - at));
        at = comma + 1;
        if (item.compare(0, 7, "MPEGTS:") == 0) {
            const std::string digits = item.substr(7);
            if (!digits.empty() && digits.size() <= 12 &&
                digits.find_first_not_of("0123456789") == std::string::npos)
                ticks = std::stoll(digits);
        } else if (item.compare(0, 6, "LOCAL:") == 0) {
            try {
                localMs = WebVttMillisOfTime(item.substr(6));
            } catch (const Error&) {
            }
        }
    }
    if (!ticks || !localMs)
        return std::nullopt;
    return *ticks / 90 - *localMs;
}

// What the header says about the times: the offset of its X-TIMESTAMP-MAP, if it has one that
// can be read.
struct Header
{
    std::optional<std::int64_t> mapOffsetMs;
    bool mapUnread = false; // the last X-TIMESTAMP-MAP could not be read
};

// The header: the signature line and what follows it up to the first blank line. Of its
// metadata only X-TIMESTAMP-MAP may change the times.
Header readHeader(LineReader& reader)
{
    Header header;
    while (!reader.atEnd()) {
        const std::string line = reader.readLine();
        if (IsBlankLine(line))
            break;
        if (line.compare(0, 16, "X-TIMESTAMP-MAP=") == 0) {
            header.mapOffsetMs = timestampMapOffset(line.substr(16));
            header.mapUnread = !header.mapOffsetMs;
        }
    }
    return header;
}

// What the user is told about the header's X-TIMESTAMP-MAP: that it could not be read, or the
// offset it gives and whether the cues were moved by it (`applied`).
QStringList timestampMapNotes(const Header& header, bool applied)
{
    if (header.mapUnread)
        return {QStringLiteral("Its X-TIMESTAMP-MAP header could not be read; the times are kept "
                               "as written.")};
    if (!header.mapOffsetMs || *header.mapOffsetMs == 0)
        return {};
    const double seconds = double(*header.mapOffsetMs) / 1000.0;
    return {applied ? QStringLiteral("Every cue is moved by %1 s to the stream clock of its "
                                     "X-TIMESTAMP-MAP header.")
                          .arg(seconds, 0, 'f', 3)
                    : QStringLiteral("Its X-TIMESTAMP-MAP header ties it to a stream clock %1 s "
                                     "off; the times are kept as written.")
                          .arg(seconds, 0, 'f', 3)};
}

QStringList readingNotes(int cuesWithReadings)
{
    if (cuesWithReadings == 1)
        return {QStringLiteral("1 cue holds a ruby reading (<rt>); it is left out and the text "
                               "it explains is shown.")};
    if (cuesWithReadings > 1)
        return {QStringLiteral("%1 cues hold ruby readings (<rt>); they are left out and the "
                               "text they explain is shown.")
                    .arg(cuesWithReadings)};
    return {};
}

// What the cues of a file ask for that the pictures do not draw, counted cue by cue and named
// once for the file.
struct UndrawnLooks
{
    int vertical = 0;
    int background = 0;

    void countCue(const std::string& settings, const WebVttCueMarkup& markup)
    {
        vertical += WebVttSettingsVertical(settings) ? 1 : 0;
        background += markup.askedBackground() ? 1 : 0;
    }

    QStringList notes(const WebVttStyleColours& style) const
    {
        QStringList notes;
        if (vertical > 0)
            notes << (vertical == 1 ? QStringLiteral("1 cue asks for vertical text (vertical:); "
                                                     "it is drawn across.")
                                    : QStringLiteral("%1 cues ask for vertical text (vertical:); "
                                                     "they are drawn across.")
                                          .arg(vertical));
        if (const auto& unused = style.unusedSelectors(); !unused.empty()) {
            QStringList named;
            for (std::size_t i = 0; i < unused.size() && i < 5; ++i)
                named << QString::fromStdString(unused[i]);
            if (unused.size() > 5)
                named << QStringLiteral("%1 more").arg(unused.size() - 5);
            notes << QStringLiteral("Its STYLE rules for %1 are not used: only ::cue and its "
                                    "classes (::cue(.name)) colour the text.")
                         .arg(named.join(QStringLiteral(", ")));
        }
        if (style.givesBackground() || background > 0)
            notes << QStringLiteral("The background colours it asks for (in a STYLE block or by a "
                                    "bg_ class) are not drawn.");
        return notes;
    }
};

// Why a block without a time line is skipped, quoting its first line: an older form of
// WebVTT wrote each region on a line of its own ("REGION: id=..." or "Region: ...").
QString withoutTimeLine(const QString& first)
{
    if (first.startsWith(QLatin1String("region:"), Qt::CaseInsensitive))
        return QStringLiteral("'%1' is a region line of an older WebVTT form; regions are not "
                              "used")
            .arg(first);
    return QStringLiteral("'%1' has no time line before it").arg(first);
}

// After a line of blanks inside a cue: true when the cue ends there (the file ends, or an empty
// line, a time line or an identifier and its time line follows). Captions cut from video sites
// hold lines of one blank inside their cues.
bool endsCue(LineReader& reader)
{
    const LineReader::Mark here = reader.position();
    bool ends = reader.atEnd();
    if (!ends) {
        const std::string next = reader.readLine();
        ends = IsBlankLine(next) || next.find("-->") != std::string::npos ||
               (!reader.atEnd() && reader.readLine().find("-->") != std::string::npos);
    }
    reader.seek(here);
    return ends;
}

bool startsBlock(const std::string& line, const char* word)
{
    const std::size_t size = std::strlen(word);
    return line.compare(0, size, word) == 0 &&
           (line.size() == size || line[size] == ' ' || line[size] == '\t');
}

// One block of the file after the header.
struct Block
{
    // NOTE, STYLE and REGION blocks carry no cue.
    bool comment = false;
    // The identifier before the time line, as UTF-8; empty when there is none.
    std::string name;
    // The time line of a cue (the first line of any other block) and the line it stands on.
    std::string line;
    int lineNumber = 0;
    // The lines after it, up to the blank line that ends the block.
    std::vector<std::string> text;
};

// The block that starts on `first`, a line that is not blank, read on up to its end.
Block readBlock(const std::string& first, LineReader& reader, const TextDecoder& decoder)
{
    Block block{startsBlock(first, "NOTE") || startsBlock(first, "STYLE") ||
                    startsBlock(first, "REGION"),
                {},
                first,
                reader.lineNumber(),
                {}};
    if (!block.comment && first.find("-->") == std::string::npos && !reader.atEnd()) {
        // An identifier before the time line.
        block.name = Trimmed(decoder.utf8(first));
        block.line = reader.readLine();
        block.lineNumber = reader.lineNumber();
    }
    while (!reader.atEnd()) {
        const LineReader::Mark here = reader.position();
        std::string text = reader.readLine();
        if (text.empty() || (IsBlankLine(text) && endsCue(reader)))
            break;
        // A time line without the blank line before it starts the next cue.
        if (!block.comment && text.find("-->") != std::string::npos) {
            reader.seek(here);
            break;
        }
        block.text.push_back(std::move(text));
    }
    return block;
}

// Rolling captions hold each finished line in a cue shorter than this.
constexpr std::int64_t kRollingHoldMs = 50;

// `line` without its tags and the blanks around it.
std::string withoutTags(const std::string& line)
{
    std::string plain;
    bool inTag = false;
    for (const char c : line) {
        if (c == '<' || (c == '{' && !inTag))
            inTag = true;
        else if (inTag && (c == '>' || c == '}'))
            inTag = false;
        else if (!inTag)
            plain += c;
    }
    return Trimmed(plain);
}

// The text lines of a cue as SubRip markup. Rolling captions (`previous` not null) keep only
// the lines the cue before did not show, and leave the lines of this cue in `previous`.
std::vector<std::string> cueLines(const std::vector<std::string>& text, const TextDecoder& decoder,
                                  WebVttCueMarkup& markup, std::vector<std::string>* previous)
{
    std::vector<std::string> lines;
    std::vector<std::string> plainLines; // without tags, for rolling captions
    for (const std::string& raw : text) {
        if (IsBlankLine(raw))
            continue; // a line of blanks inside a cue holds no text to draw
        std::string line = markup.subRipLine(decoder.utf8(raw));
        if (previous) {
            std::string plain = withoutTags(line);
            const bool shownBefore =
                std::find(previous->begin(), previous->end(), plain) != previous->end();
            plainLines.push_back(std::move(plain));
            if (shownBefore)
                continue;
        }
        lines.push_back(std::move(line));
    }
    if (previous)
        *previous = std::move(plainLines);
    return lines;
}

} // namespace

void TSubtitle::readWebVtt(const std::string& data, FrameRate rate, std::int64_t frameOffset,
                           const TextDecoder& decoder)
{
    LineReader reader(data);
    EntriesWithOpenEnds entries(m_lines, rate);
    const Header header = readHeader(reader);
    m_readNotes << timestampMapNotes(header, m_timestampMap);
    const std::int64_t shiftMs = m_timestampMap && header.mapOffsetMs ? *header.mapOffsetMs : 0;
    WebVttStyleColours styleColours;
    int cuesWithReadings = 0;
    UndrawnLooks looks;
    int ordinal = 0;
    std::vector<std::string> previous; // rolling captions: the lines of the cue before
    while (!reader.atEnd()) {
        const std::string first = reader.readLine();
        const int firstLine = reader.lineNumber();
        if (IsBlankLine(first))
            continue;
        const Block block = readBlock(first, reader, decoder);
        // A STYLE line after an identifier gives its colours too; the block is then skipped as
        // a cue without a time line.
        if (startsBlock(block.line, "STYLE"))
            styleColours.readStyleBlock(block.text);
        if (block.comment)
            continue;
        ++ordinal;
        const QString shownName =
            block.name.empty() ? QString::number(ordinal) : QString::fromStdString(block.name);
        if (block.line.find("-->") == std::string::npos) {
            skip(firstLine, withoutTimeLine(decoder.text(Trimmed(first).substr(0, 40))));
            continue;
        }
        WebVttCueTiming timing;
        try {
            timing = WebVttTimingOfLine(block.line);
        } catch (const Error& e) {
            skip(block.lineNumber, QStringLiteral("subtitle %1: %2").arg(shownName, e.message()));
            continue;
        }
        WebVttCueMarkup markup(styleColours, m_speakerNames);
        std::vector<std::string> lines =
            cueLines(block.text, decoder, markup, m_rollingCaptions ? &previous : nullptr);
        cuesWithReadings += markup.leftReading() ? 1 : 0;
        looks.countCue(timing.settings, markup);
        // A rolling caption of a few milliseconds holds the line just finished, shown already.
        if (m_rollingCaptions && (timing.endMs - timing.startMs < kRollingHoldMs || lines.empty()))
            continue;
        if (const int place = WebVttPlaceOfSettings(timing.settings); place != 0 && !lines.empty())
            lines.front().insert(0, "{\\an" + std::to_string(place) + "}");
        addTimedEntry(
            {block.lineNumber, shownName, timing.startMs + shiftMs, timing.endMs + shiftMs},
            std::move(lines), rate, frameOffset, entries);
    }
    entries.finish();
    m_readNotes << readingNotes(cuesWithReadings) << looks.notes(styleColours);
}

} // namespace lumelle
