#include "subtitle/WebVttCueText.h"

#include "subtitle/LineReader.h"

namespace lumelle {

namespace {

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

} // namespace

// A cue tag, "<c.yellow.bg_blue>" or "</v>" or "<v Anna>": its name, its classes after the
// first dot and the annotation after a blank.
struct WebVttCueMarkup::Tag
{
    bool closing = false;
    std::string name;
    std::string classes;
    std::string annotation;

    // `inside` is the text between "<" and ">".
    explicit Tag(const std::string& inside)
    {
        closing = !inside.empty() && inside[0] == '/';
        name = inside.substr(closing ? 1 : 0);
        const std::size_t blank = name.find_first_of(" \t");
        if (blank != std::string::npos)
            annotation = Trimmed(name.substr(blank));
        name = name.substr(0, blank);
        const std::size_t dot = name.find('.');
        if (dot != std::string::npos)
            classes = name.substr(dot + 1);
        name = name.substr(0, dot);
    }
};

std::string WebVttCueMarkup::subRipLine(const std::string& text)
{
    std::string out = reopenedColours();
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t lt = text.find('<', at);
        const std::size_t gt = lt == std::string::npos ? lt : text.find('>', lt);
        if (gt == std::string::npos) {
            if (!m_inReading)
                appendWords(out, text.substr(at));
            break;
        }
        if (!m_inReading)
            appendWords(out, text.substr(at, lt - at));
        at = gt + 1;
        apply(Tag(text.substr(lt + 1, gt - lt - 1)), out);
    }
    return out;
}

void WebVttCueMarkup::apply(const Tag& tag, std::string& out)
{
    if (tag.name == "rt") {
        m_inReading = !tag.closing;
        m_leftReading = m_leftReading || !tag.closing;
        return;
    }
    if (m_inReading)
        return;
    if (tag.name == "i" || tag.name == "b" || tag.name == "u")
        out += (tag.closing ? "</" : "<") + tag.name + ">";
    else if (tag.name == "c")
        applyClass(tag, out);
    else if (tag.name == "v" && !tag.closing && m_speakerNames && !tag.annotation.empty())
        out += tag.annotation + ": ";
    // lang, ruby and timestamps: the words stay, the tag goes.
}

void WebVttCueMarkup::applyClass(const Tag& tag, std::string& out)
{
    if (!tag.closing) {
        m_askedBackground =
            m_askedBackground || ("." + tag.classes).find(".bg_") != std::string::npos;
        const std::string colour = m_colours.ofClasses(tag.classes);
        if (!colour.empty())
            out += fontTag(colour);
        m_open.push_back(colour);
        return;
    }
    if (m_open.empty())
        return;
    const bool coloured = !m_open.back().empty();
    m_open.pop_back();
    if (coloured)
        out += "</font>";
}

std::string WebVttCueMarkup::reopenedColours() const
{
    std::string out;
    if (const std::string every = m_colours.ofEveryCue(); !every.empty())
        out += fontTag(every);
    for (const std::string& colour : m_open) {
        if (!colour.empty())
            out += fontTag(colour);
    }
    // The markup reader carries a line's last colour into the next line, but not the colours
    // its end tags give back: a </font> first returns to the window's colour, so that the end
    // tag of the outermost class reopened here gives that colour back and no other.
    if (!out.empty())
        out.insert(0, "</font>");
    return out;
}

} // namespace lumelle
