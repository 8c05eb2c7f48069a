// The colours a WebVTT file gives its text: those of its STYLE blocks, for every cue and per
// class, and WebVTT's default text classes (<c.yellow>).
#pragma once

#include <map>
#include <string>
#include <vector>

namespace lumelle {

class WebVttStyleColours
{
public:
    // Reads the "color" of the rules of a STYLE block (its lines after the word STYLE):
    // "::cue { color: X }" for every cue and "::cue(.name) { color: X }" for a class. Other
    // selectors and properties change nothing of the pictures and are left alone. A later
    // rule wins over an earlier one.
    void readStyleBlock(const std::vector<std::string>& lines);

    // The colour the classes of a <c> tag give ("yellow.bg_blue" for <c.yellow.bg_blue>): that
    // of the last class that names one, by the STYLE blocks or as a default text class; empty
    // when none does. A colour is a name or #rrggbb, as the SubRip markup reads it.
    std::string ofClasses(const std::string& classes) const;

    // The colour of every cue; empty when the STYLE blocks give none.
    std::string ofEveryCue() const;

    // The selectors of the STYLE rules with a colour or background that pick cue text by tag,
    // voice or anything but a class ("::cue(b)"), each once in the order met: their colours
    // are not drawn.
    const std::vector<std::string>& unusedSelectors() const { return m_unusedSelectors; }
    // True when a STYLE rule gives a background ("background-color"), which is not drawn.
    bool givesBackground() const { return m_background; }

private:
    void readSelectors(const std::string& selectors, const std::string& colour, bool background);

    // Under the empty name the colour of every cue, under a class name that class's.
    std::map<std::string, std::string> m_colours;
    std::vector<std::string> m_unusedSelectors;
    bool m_background = false;
};

} // namespace lumelle
