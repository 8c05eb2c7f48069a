// What the text of an ASS/SSA script says beside its drawing: the events' fields, their times
// and their text without override tags. The drawing itself is libass's (ass/).
#pragma once

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
