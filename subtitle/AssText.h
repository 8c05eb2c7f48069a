// What the text of an ASS/SSA script says beside its drawing: the events' fields, their times
// and their text without override tags. The drawing itself is libass's (ass/).
#pragma once

#include <QString>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace lumelle {

// The fields of an [Events] "Format:" line, in lower case and trimmed ("start", "text", ...).
// A script without one has the ASS order: Layer, Start, End, Style, Name, MarginL, MarginR,
// MarginV, Effect, Text.
std::vector<std::string> AssEventFormat(const std::string& formatLine);
std::vector<std::string> DefaultAssEventFormat();

// One "Dialogue:" line read by `format`: its fields trimmed, the last ("Text") holding every
// comma after it. False when the line has fewer fields than the format.
struct AssDialogue
{
    std::string start;
    std::string end;
    std::string style;
    std::string text;
};
bool ReadAssDialogue(const std::string& line, const std::vector<std::string>& format,
                     AssDialogue& out);

// Sorts the lines of a script as libass does, one line at a time: the section headers it knows
// ([Script Info], [V4 Styles], [V4+ Styles], [Events], [Fonts]) change the section and any other
// keeps it; in [Events] a "Format:" line names the fields and each "Dialogue:" line is an event.
// The list and the drawing both read a script's events by it, so that they hold the same ones.
class AssEventLines
{
public:
    enum class Kind { Other, Format, Event };
    // What `line` is (leading blanks are passed over); a Format line is taken as the fields
    // of the events after it.
    Kind take(const std::string& line);
    const std::vector<std::string>& format() const { return m_format; }

private:
    bool m_inEvents = false;
    std::vector<std::string> m_format = DefaultAssEventFormat();
};

// An event as the list and the drawing show it: its fields and its times.
struct AssEvent
{
    AssDialogue dialogue;
    std::int64_t startMs = 0;
    std::int64_t endMs = 0;
};
// Reads the "Dialogue:" line `line` by `format` into `out`: empty when it can be shown, else why
// it is skipped ("fewer fields than its Format line names", an unreadable time, an end before
// the start).
QString ReadAssEvent(const std::string& line, const std::vector<std::string>& format,
                     AssEvent& out);

// "H:MM:SS.CC" (hundredths; more or fewer digits of fraction are read as a fraction of a
// second) in milliseconds. Throws Error naming the text when it is none.
std::int64_t AssMillisOfTime(const std::string& text);

// The lines an event shows, as plain text: override blocks "{...}" removed, "\N" (and "\n")
// breaking the line, "\h" a space, and the shapes of drawings ("\p1" up to "\p0") left out.
std::vector<std::string> AssPlainLines(const std::string& text);

// True when an event's look changes while it shows: a fade (\fad, \fade), a move (\move), an
// animated tag (\t) or karaoke (\k, \K, \kf, \ko).
bool AssTextAnimates(const std::string& text);

// The override tags of `text`'s blocks in the order written, each its name ("c", "3c",
// "bord", "r", "rSign") and what follows the name up to the next tag ("&H0000FF&", "2.5");
// tags inside an animation (\t(...)) belong to its argument.
std::vector<std::pair<std::string, std::string>> AssOverrideTags(const std::string& text);

// The text colours an event's override tags ask for (\c or \1c), as 0xBBGGRR values in the
// order written.
std::vector<std::uint32_t> AssTextColours(const std::string& text);

} // namespace lumelle
