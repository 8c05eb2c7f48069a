// The text of a WebVTT cue turned into the markup SubRip files carry (<font color> for the
// colour classes, <i>/<b>/<u>), so that both kinds of file are drawn by the same rules.
#pragma once

#include "subtitle/WebVttStyle.h"

#include <string>
#include <vector>

namespace lumelle {

// Turns the lines of one cue into SubRip markup, one after the other: a tag may close on a
// later line than it opens.
class WebVttCueMarkup
{
public:
    // `speakerNames`: a voice tag (<v Anna>) puts the speaker's name before the words.
    WebVttCueMarkup(const WebVttStyleColours& colours, bool speakerNames)
        : m_colours(colours), m_speakerNames(speakerNames)
    {}

    // The next line of cue text (UTF-8) as SubRip markup. A <ruby>'s reading (<rt>) is left
    // out, as are language tags and inline timestamps; a brace, which opens a mark in SubRip,
    // goes in as a character reference.
    std::string subRipLine(const std::string& text);

    // True when a ruby reading was left out of a line of the cue.
    bool leftReading() const { return m_leftReading; }
    // True when a class of the cue asks for a background colour (<c.bg_yellow>), which is not
    // drawn.
    bool askedBackground() const { return m_askedBackground; }

private:
    struct Tag;
    void apply(const Tag& tag, std::string& out);
    void applyClass(const Tag& tag, std::string& out);
    // The SubRip markup that opens a line in the colours in force where the line before ended:
    // the STYLE block's colour for every cue, then that of each coloured <c> still open,
    // outermost first. Each <c> closed on the line then ends with a </font>, and the markup
    // reader gives the colour around it back.
    std::string reopenedColours() const;

    const WebVttStyleColours& m_colours;
    bool m_speakerNames;
    // The colour of each <c> still open ("" when it gave none), so that its end tag closes what
    // it opened and the next line opens them again.
    std::vector<std::string> m_open;
    bool m_inReading = false;   // inside a ruby reading (<rt>), which is left out
    bool m_leftReading = false; // a reading was left out of this cue
    bool m_askedBackground = false;
};

} // namespace lumelle
