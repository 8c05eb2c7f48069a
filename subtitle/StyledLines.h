// Text lines built stretch by stretch with the style of each, for the readers whose files give
// styles by structure rather than by markup in the text (TTML spans, teletext codes).
#pragma once

#include "subtitle/Markup.h"

#include <string_view>

namespace lumelle {

class StyledLines
{
public:
    StyledLines() { m_out.lines.emplace_back(); }

    // Appends `utf8` in `style`. Blanks and line ends in it are taken as one space between
    // words, none at the start or end of a line, unless `keepBlanks`.
    void append(std::string_view utf8, const TextStyle& style, bool keepBlanks = false);
    // Starts the next line.
    void newLine();
    // True while no line holds any text.
    bool empty() const;
    // The lines (those empty at the end left out) and their styled stretches, at `place`.
    MarkedText take(int place);

private:
    void put(std::string_view utf8, const TextStyle& style);

    MarkedText m_out;
    bool m_spaceWaiting = false; // a blank seen after the last word of the line
    TextStyle m_spaceStyle;      // the style it was seen in
};

} // namespace lumelle
