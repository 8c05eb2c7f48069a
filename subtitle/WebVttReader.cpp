// The WebVTT reader: a "WEBVTT" header, then blocks parted by blank lines. A cue block is an
// optional identifier, a time line "start --> end [settings]" and its text; NOTE, STYLE and
// REGION blocks are skipped. The cue text's own tags are turned into the markup SubRip files
// carry ({\anN} for the place, <font color> for the colour classes, <i>/<b>/<u>), so that
// both kinds of file are drawn by the same rules.
#include "platform/Error.h"
#include "subtitle/EntryTimes.h"
#include "subtitle/LineReader.h"
#include "subtitle/Subtitle.h"
#include "subtitle/TimeCodes.h"

#include <QColor>
#include <QRegularExpression>
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <map>
#include <optional>
#include <vector>

namespace lumelle {

namespace {

// "[hh:]mm:ss.ttt" in milliseconds; hours may be left out.
std::int64_t millisOfCueTime(const std::string& text)
{
    std::string time = Trimmed(text);
    if (std::count(time.begin(), time.end(), ':') == 1)
        time.insert(0, "0:");
    return MillisOfTime(time);
}

// The times of a cue time line and the settings after its end time.
struct CueTiming
{
    std::int64_t startMs = 0;
    std::int64_t endMs = 0;
    std::string settings;
};

CueTiming timingOfLine(const std::string& line)
{
    const std::size_t arrow = line.find("-->");
    std::string rest = Trimmed(line.substr(arrow + 3));
    const std::size_t blank = rest.find_first_of(" \t");
    CueTiming timing;
    timing.startMs = millisOfCueTime(line.substr(0, arrow));
    timing.endMs = millisOfCueTime(rest.substr(0, blank));
    if (blank != std::string::npos)
        timing.settings = Trimmed(rest.substr(blank));
    return timing;
}

// The value of cue setting `name` ("line:0" gives "0"); empty when the cue has none.
std::string settingOf(const std::string& settings, const std::string& name)
{
    std::size_t at = 0;
    while (at < settings.size()) {
        const std::size_t end = settings.find_first_of(" \t", at);
        const std::string item = settings.substr(at, end == std::string::npos ? end : end - at);
        if (item.compare(0, name.size() + 1, name + ":") == 0)
            return item.substr(name.size() + 1);
        if (end == std::string::npos)
            break;
        at = end + 1;
    }
    return {};
}

// Where the cue settings place a cue, as a keypad position (1..9), or 0 for the bottom centre,
// where cues stand when nothing is said. "line" gives the row: a percentage of the frame
// height, or a line number counted from the top (0, 1, ...) or from the bottom (-1, ...).
// "align" (or a "position" near a side) gives the column.
int placeOfSettings(const std::string& settings)
{
    int row = 0; // 0 bottom, 1 middle, 2 top
    const std::string line = settingOf(settings, "line");
    if (!line.empty()) {
        const std::string value = line.substr(0, line.find(','));
        const double number = std::atof(value.c_str());
        if (!value.empty() && value.back() == '%')
            row = number < 34 ? 2 : number < 67 ? 1 : 0;
        else
            row = value[0] == '-' ? 0 : number <= 3 ? 2 : 1;
    }
    int column = 1; // 0 left, 1 centre, 2 right
    const std::string align = settingOf(settings, "align");
    if (align == "start" || align == "left")
        column = 0;
    else if (align == "end" || align == "right")
        column = 2;
    else if (align.empty()) {
        const std::string position = settingOf(settings, "position");
        if (!position.empty()) {
            const double percent = std::atof(position.c_str());
            column = percent < 35 ? 0 : percent > 65 ? 2 : 1;
        }
    }
    const int place = (row == 0 ? 1 : row == 1 ? 4 : 7) + column;
    return place == 2 ? 0 : place;
}

// The colours of WebVTT's default text classes.
const char* colourOfClass(const std::string& name)
{
    static const char* const kClasses[] = {"white",  "lime",    "cyan", "red",
                                           "yellow", "magenta", "blue", "black"};
    for (const char* known : kClasses) {
        if (name == known)
            return known;
    }
    return nullptr;
}

// The colours a STYLE block gives: "::cue { color: X }" for every cue (under the empty name)
// and "::cue(.name) { color: X }" for a class. Other selectors and properties change nothing
// of the pictures and are left alone.
using ClassColours = std::map<std::string, std::string>;

// The value of the "color" property of a CSS rule's body, as a colour the SubRip markup reads
// (a name or #RRGGBB); empty when there is none or it is not a colour.
std::string colourOfRule(const std::string& body)
{
    std::string colour;
    std::size_t at = 0;
    while (at <= body.size()) {
        const std::size_t end = std::min(body.find(';', at), body.size());
        const std::string declaration = body.substr(at, end - at);
        at = end + 1;
        const std::size_t colon = declaration.find(':');
        if (colon == std::string::npos)
            continue;
        QString name = QString::fromStdString(Trimmed(declaration.substr(0, colon))).toLower();
        if (name != QLatin1String("color"))
            continue;
        QString value = QString::fromStdString(Trimmed(declaration.substr(colon + 1)));
        value.remove(QLatin1String("!important"), Qt::CaseInsensitive);
        value = value.trimmed();
        QColor parsed;
        static const QRegularExpression rgb(
            QStringLiteral(R"(^rgba?\(\s*(\d+)\s*,\s*(\d+)\s*,\s*(\d+)\s*(,[^)]*)?\)$)"),
            QRegularExpression::CaseInsensitiveOption);
        if (const QRegularExpressionMatch m = rgb.match(value); m.hasMatch())
            parsed =
                QColor(std::min(m.captured(1).toInt(), 255), std::min(m.captured(2).toInt(), 255),
                       std::min(m.captured(3).toInt(), 255));
        else
            parsed = QColor::fromString(value);
        if (parsed.isValid())
            colour = parsed.name().toStdString();
    }
    return colour;
}

void readStyleBlock(const std::vector<std::string>& lines, ClassColours& colours)
{
    std::string css;
    for (const std::string& line : lines)
        css += line + ' ';
    for (std::size_t open = css.find("/*"); open != std::string::npos; open = css.find("/*")) {
        const std::size_t close = css.find("*/", open + 2);
        css.erase(open, close == std::string::npos ? close : close + 2 - open);
    }
    std::size_t at = 0;
    while (true) {
        const std::size_t open = css.find('{', at);
        const std::size_t close = open == std::string::npos ? open : css.find('}', open);
        if (close == std::string::npos)
            break;
        const std::string selectors = css.substr(at, open - at);
        const std::string colour = colourOfRule(css.substr(open + 1, close - open - 1));
        at = close + 1;
        if (colour.empty())
            continue;
        std::size_t from = 0;
        while (from <= selectors.size()) {
            const std::size_t comma = std::min(selectors.find(',', from), selectors.size());
            const std::string selector = Trimmed(selectors.substr(from, comma - from));
            from = comma + 1;
            if (selector == "::cue") {
                colours[""] = colour;
            } else if (selector.size() > 8 && selector.compare(0, 7, "::cue(.") == 0 &&
                       selector.back() == ')') {
                const std::string name = selector.substr(7, selector.size() - 8);
                if (name.find_first_of(" .:[()") == std::string::npos)
                    colours[name] = colour;
            }
        }
    }
}

// How the tags of one cue are turned into SubRip markup, carried from line to line.
struct CueMarkup
{
    const ClassColours& styleColours;
    bool speakerNames = false;
    // The colour of each <c> still open ("" when it gave none), so that its end tag closes what
    // it opened and the colour around it comes back.
    std::vector<std::string> open;
    bool inReading = false;   // inside a ruby reading (<rt>), which is left out
    bool leftReading = false; // a reading was left out of this cue

    std::string colourOfClasses(const std::string& classes) const
    {
        std::string colour;
        for (std::size_t from = 0; from <= classes.size() && !classes.empty();) {
            const std::size_t dot = classes.find('.', from);
            const std::string one = classes.substr(from, dot - from);
            if (const auto styled = styleColours.find(one);
                !one.empty() && styled != styleColours.end())
                colour = styled->second;
            else if (const char* known = colourOfClass(one))
                colour = known;
            if (dot == std::string::npos)
                break;
            from = dot + 1;
        }
        return colour;
    }
    // The colour the text stands in outside the innermost coloured <c>: an outer one's or the
    // STYLE block's colour for every cue; empty for the window's.
    std::string surroundingColour() const
    {
        for (auto it = open.rbegin(); it != open.rend(); ++it) {
            if (!it->empty())
                return *it;
        }
        const auto all = styleColours.find("");
        return all == styleColours.end() ? std::string() : all->second;
    }
};

std::string fontTag(const std::string& colour)
{
    return "<font color=\"" + colour + "\">";
}

// Appends cue words to SubRip markup. A brace means nothing in WebVTT but opens a mark in
// SubRip ("{\\an8}"), so it goes in as a character reference, which is shown as written.
void appendWords(std::string& out, const std::string& words)
{
    for (const char c : words) {
        if (c == '{')
            out += "&#123;";
        else
            out += c;
    }
}

// Turns the tags of one line of cue text into SubRip markup. A <ruby>'s reading (<rt>) is left
// out, as are language tags and inline timestamps; a voice tag gives the speaker's name when
// the cue markup asks for it.
std::string subRipMarkupOf(const std::string& text, CueMarkup& cue)
{
    std::string out;
    if (const std::string colour = cue.surroundingColour(); !colour.empty())
        out = fontTag(colour);
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t lt = text.find('<', at);
        const std::size_t gt = lt == std::string::npos ? lt : text.find('>', lt);
        if (gt == std::string::npos) {
            if (!cue.inReading)
                appendWords(out, text.substr(at));
            break;
        }
        if (!cue.inReading)
            appendWords(out, text.substr(at, lt - at));
        at = gt + 1;
        const std::string tag = text.substr(lt + 1, gt - lt - 1);
        const bool closing = !tag.empty() && tag[0] == '/';
        std::string name = tag.substr(closing ? 1 : 0);
        const std::size_t blank = name.find_first_of(" \t");
        const std::string annotation =
            blank == std::string::npos ? std::string() : Trimmed(name.substr(blank));
        name = name.substr(0, blank);
        const std::string classes =
            name.find('.') == std::string::npos ? std::string() : name.substr(name.find('.') + 1);
        name = name.substr(0, name.find('.'));
        if (name == "rt") {
            cue.inReading = !closing;
            cue.leftReading = cue.leftReading || !closing;
            continue;
        }
        if (cue.inReading)
            continue;
        if (name == "i" || name == "b" || name == "u") {
            out += closing ? "</" + name + ">" : "<" + name + ">";
        } else if (name == "c") {
            if (closing) {
                if (cue.open.empty())
                    continue;
                const bool coloured = !cue.open.back().empty();
                cue.open.pop_back();
                if (coloured) {
                    out += "</font>";
                    if (const std::string outer = cue.surroundingColour(); !outer.empty())
                        out += fontTag(outer);
                }
                continue;
            }
            const std::string colour = cue.colourOfClasses(classes);
            if (!colour.empty())
                out += fontTag(colour);
            cue.open.push_back(colour);
        } else if (name == "v" && !closing && cue.speakerNames && !annotation.empty()) {
            out += annotation + ": ";
        }
        // lang, ruby and timestamps: the words stay, the tag goes.
    }
    return out;
}

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
                localMs = millisOfCueTime(item.substr(6));
            } catch (const Error&) {
            }
        }
    }
    if (!ticks || !localMs)
        return std::nullopt;
    return *ticks / 90 - *localMs;
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

} // namespace

void TSubtitle::readWebVtt(const std::string& data, FrameRate rate, std::int64_t frameOffset,
                           const TextDecoder& decoder)
{
    LineReader reader(data);
    EntriesWithOpenEnds entries(m_lines, rate);
    // The header: the signature line and what follows it up to the first blank line. Of its
    // metadata only X-TIMESTAMP-MAP may change the times, and only when asked.
    std::optional<std::int64_t> mapOffsetMs;
    bool mapUnread = false;
    while (!reader.atEnd()) {
        const std::string line = reader.readLine();
        if (IsBlankLine(line))
            break;
        if (line.compare(0, 16, "X-TIMESTAMP-MAP=") == 0) {
            mapOffsetMs = timestampMapOffset(line.substr(16));
            mapUnread = !mapOffsetMs;
        }
    }
    if (mapUnread)
        m_readNotes << QStringLiteral("Its X-TIMESTAMP-MAP header could not be read; the times "
                                      "are kept as written.");
    const std::int64_t shiftMs = m_timestampMap && mapOffsetMs ? *mapOffsetMs : 0;
    if (mapOffsetMs && *mapOffsetMs != 0)
        m_readNotes << (shiftMs != 0
                            ? QStringLiteral(
                                  "Every cue is moved by %1 s to the stream clock of its "
                                  "X-TIMESTAMP-MAP header.")
                                  .arg(double(shiftMs) / 1000.0, 0, 'f', 3)
                            : QStringLiteral("Its X-TIMESTAMP-MAP header ties it to a stream clock "
                                             "%1 s off; the times are kept as written.")
                                  .arg(double(*mapOffsetMs) / 1000.0, 0, 'f', 3));
    ClassColours styleColours;
    int cuesWithReadings = 0;
    int ordinal = 0;
    std::vector<std::string> previous; // rolling captions: the lines of the cue before
    while (!reader.atEnd()) {
        std::string line = reader.readLine();
        if (IsBlankLine(line))
            continue;
        int lineNumber = reader.lineNumber();
        std::vector<std::string> block;
        // NOTE, STYLE and REGION blocks carry no cue; a block is its lines up to a blank line.
        const bool comment =
            startsBlock(line, "NOTE") || startsBlock(line, "STYLE") || startsBlock(line, "REGION");
        std::string name;
        if (!comment && line.find("-->") == std::string::npos && !reader.atEnd()) {
            // An identifier before the time line.
            name = Trimmed(decoder.utf8(line));
            line = reader.readLine();
            lineNumber = reader.lineNumber();
        }
        while (!reader.atEnd()) {
            const LineReader::Mark here = reader.position();
            std::string text = reader.readLine();
            if (text.empty() || (IsBlankLine(text) && endsCue(reader)))
                break;
            // A time line without the blank line before it starts the next cue.
            if (!comment && text.find("-->") != std::string::npos) {
                reader.seek(here);
                break;
            }
            block.push_back(std::move(text));
        }
        if (startsBlock(line, "STYLE"))
            readStyleBlock(block, styleColours);
        if (comment)
            continue;
        ++ordinal;
        const QString shownName =
            name.empty() ? QString::number(ordinal) : QString::fromStdString(name);
        if (line.find("-->") == std::string::npos) {
            skip(lineNumber,
                 QStringLiteral("'%1' has no time line before it")
                     .arg(QString::fromStdString(decoder.utf8(Trimmed(line).substr(0, 40)))));
            continue;
        }
        CueTiming timing;
        try {
            timing = timingOfLine(line);
        } catch (const Error& e) {
            skip(lineNumber, QStringLiteral("subtitle %1: %2").arg(shownName, e.message()));
            continue;
        }
        std::vector<std::string> textLines;
        std::vector<std::string> plainLines; // without tags, for rolling captions
        CueMarkup markup{styleColours, m_speakerNames, {}, false, false};
        for (const std::string& raw : block) {
            if (IsBlankLine(raw))
                continue; // a line of blanks inside a cue holds no text to draw
            std::string line = subRipMarkupOf(decoder.utf8(raw), markup);
            std::string plain = withoutTags(line);
            const bool shownBefore =
                std::find(previous.begin(), previous.end(), plain) != previous.end();
            plainLines.push_back(std::move(plain));
            if (!m_rollingCaptions || !shownBefore)
                textLines.push_back(std::move(line));
        }
        cuesWithReadings += markup.leftReading ? 1 : 0;
        if (m_rollingCaptions) {
            previous = std::move(plainLines);
            // A cue of a few milliseconds holds the line just finished, shown already.
            if (timing.endMs - timing.startMs < kRollingHoldMs || textLines.empty())
                continue;
        }
        if (const int place = placeOfSettings(timing.settings); place != 0 && !textLines.empty())
            textLines.front().insert(0, "{\\an" + std::to_string(place) + "}");
        addTimedEntry({lineNumber, shownName, timing.startMs + shiftMs, timing.endMs + shiftMs},
                      std::move(textLines), rate, frameOffset, entries);
    }
    entries.finish();
    if (cuesWithReadings == 1)
        m_readNotes << QStringLiteral("1 cue holds a ruby reading (<rt>); it is left out and the "
                                      "text it explains is shown.");
    else if (cuesWithReadings > 1)
        m_readNotes << QStringLiteral("%1 cues hold ruby readings (<rt>); they are left out and "
                                      "the text they explain is shown.")
                           .arg(cuesWithReadings);
}

} // namespace lumelle
