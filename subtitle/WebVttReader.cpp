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

#include <algorithm>
#include <cstdlib>
#include <cstring>
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

// Turns the tags of one line of cue text into SubRip markup. `open` holds, for every <c> still
// open, whether it was given a colour, so that its end tag closes what it opened; a <ruby>'s
// reading (<rt>) is left out, as are voice and language tags and inline timestamps.
std::string subRipMarkupOf(const std::string& text, std::vector<bool>& open, bool& inReading)
{
    std::string out;
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t lt = text.find('<', at);
        const std::size_t gt = lt == std::string::npos ? lt : text.find('>', lt);
        if (gt == std::string::npos) {
            if (!inReading)
                out.append(text, at, std::string::npos);
            break;
        }
        if (!inReading)
            out.append(text, at, lt - at);
        at = gt + 1;
        const std::string tag = text.substr(lt + 1, gt - lt - 1);
        const bool closing = !tag.empty() && tag[0] == '/';
        std::string name = tag.substr(closing ? 1 : 0);
        name = name.substr(0, name.find_first_of(" \t"));
        const std::string classes =
            name.find('.') == std::string::npos ? std::string() : name.substr(name.find('.') + 1);
        name = name.substr(0, name.find('.'));
        if (name == "rt") {
            inReading = !closing;
            continue;
        }
        if (inReading)
            continue;
        if (name == "i" || name == "b" || name == "u") {
            out += closing ? "</" + name + ">" : "<" + name + ">";
        } else if (name == "c") {
            if (closing) {
                if (!open.empty() && open.back())
                    out += "</font>";
                if (!open.empty())
                    open.pop_back();
                continue;
            }
            const char* colour = nullptr;
            for (std::size_t from = 0; from <= classes.size() && !classes.empty();) {
                const std::size_t dot = classes.find('.', from);
                const std::string one = classes.substr(from, dot - from);
                if (const char* known = colourOfClass(one))
                    colour = known;
                if (dot == std::string::npos)
                    break;
                from = dot + 1;
            }
            if (colour)
                out += std::string("<font color=\"") + colour + "\">";
            open.push_back(colour != nullptr);
        }
        // v, lang, ruby and timestamps: the words stay, the tag goes.
    }
    return out;
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
    // The header: the signature line and what follows it up to the first blank line
    // (X-TIMESTAMP-MAP and other metadata, which change nothing of the times as written).
    while (!reader.atEnd() && !IsBlankLine(reader.readLine())) {
    }
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
        std::vector<bool> open;
        bool inReading = false;
        for (const std::string& raw : block) {
            if (IsBlankLine(raw))
                continue; // a line of blanks inside a cue holds no text to draw
            std::string line = subRipMarkupOf(decoder.utf8(raw), open, inReading);
            std::string plain = withoutTags(line);
            const bool shownBefore =
                std::find(previous.begin(), previous.end(), plain) != previous.end();
            plainLines.push_back(std::move(plain));
            if (!m_rollingCaptions || !shownBefore)
                textLines.push_back(std::move(line));
        }
        if (m_rollingCaptions) {
            previous = std::move(plainLines);
            // A cue of a few milliseconds holds the line just finished, shown already.
            if (timing.endMs - timing.startMs < kRollingHoldMs || textLines.empty())
                continue;
        }
        if (const int place = placeOfSettings(timing.settings); place != 0 && !textLines.empty())
            textLines.front().insert(0, "{\\an" + std::to_string(place) + "}");
        addTimedEntry({lineNumber, shownName, timing.startMs, timing.endMs}, std::move(textLines),
                      rate, frameOffset, entries);
    }
    entries.finish();
}

} // namespace lumelle
