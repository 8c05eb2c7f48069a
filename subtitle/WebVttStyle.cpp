#include "subtitle/WebVttStyle.h"

#include "subtitle/LineReader.h"

#include <QColor>
#include <QRegularExpression>
#include <QString>
#include <algorithm>

namespace lumelle {

namespace {

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

// A CSS colour value ("red", "#0f0", "rgb(0, 0, 255)", "rgba(...)") as #rrggbb; empty when it
// is none.
std::string colourOfValue(QString value)
{
    value.remove(QLatin1String("!important"), Qt::CaseInsensitive);
    value = value.trimmed();
    QColor parsed;
    static const QRegularExpression rgb(
        QStringLiteral(R"(^rgba?\(\s*(\d+)\s*,\s*(\d+)\s*,\s*(\d+)\s*(,[^)]*)?\)$)"),
        QRegularExpression::CaseInsensitiveOption);
    if (const QRegularExpressionMatch m = rgb.match(value); m.hasMatch())
        parsed = QColor(std::min(m.captured(1).toInt(), 255), std::min(m.captured(2).toInt(), 255),
                        std::min(m.captured(3).toInt(), 255));
    else
        parsed = QColor::fromString(value);
    return parsed.isValid() ? parsed.name().toStdString() : std::string();
}

// The value of the "color" property of a CSS rule's body, as a colour the SubRip markup reads
// (a name or #RRGGBB); empty when there is none or it is not a colour. Of several the last
// colour counts.
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
        const std::string value =
            colourOfValue(QString::fromStdString(Trimmed(declaration.substr(colon + 1))));
        if (!value.empty())
            colour = value;
    }
    return colour;
}

// True when a CSS rule's body sets a background ("background" or "background-color").
bool givesBackgroundIn(const std::string& body)
{
    std::size_t at = 0;
    while (at <= body.size()) {
        const std::size_t end = std::min(body.find(';', at), body.size());
        const std::string declaration = body.substr(at, end - at);
        at = end + 1;
        const std::string name = Trimmed(declaration.substr(0, declaration.find(':')));
        if (declaration.find(':') != std::string::npos &&
            (name == "background" || name == "background-color"))
            return true;
    }
    return false;
}

// The text of a STYLE block as one line, its comments removed.
std::string cssOf(const std::vector<std::string>& lines)
{
    std::string css;
    for (const std::string& line : lines)
        css += line + ' ';
    for (std::size_t open = css.find("/*"); open != std::string::npos; open = css.find("/*")) {
        const std::size_t close = css.find("*/", open + 2);
        css.erase(open, close == std::string::npos ? close : close + 2 - open);
    }
    return css;
}

} // namespace

void WebVttStyleColours::readStyleBlock(const std::vector<std::string>& lines)
{
    const std::string css = cssOf(lines);
    std::size_t at = 0;
    while (true) {
        const std::size_t open = css.find('{', at);
        const std::size_t close = open == std::string::npos ? open : css.find('}', open);
        if (close == std::string::npos)
            break;
        const std::string body = css.substr(open + 1, close - open - 1);
        const bool background = givesBackgroundIn(body);
        m_background = m_background || background;
        readSelectors(css.substr(at, open - at), colourOfRule(body), background);
        at = close + 1;
    }
}

void WebVttStyleColours::readSelectors(const std::string& selectors, const std::string& colour,
                                       bool background)
{
    std::size_t from = 0;
    while (from <= selectors.size()) {
        const std::size_t comma = std::min(selectors.find(',', from), selectors.size());
        const std::string selector = Trimmed(selectors.substr(from, comma - from));
        from = comma + 1;
        const bool ofClass = selector.size() > 8 && selector.compare(0, 7, "::cue(.") == 0 &&
                             selector.back() == ')' &&
                             selector.find_first_of(" .:[()", 7) == selector.size() - 1;
        if (selector == "::cue") {
            if (!colour.empty())
                m_colours[""] = colour;
        } else if (ofClass) {
            if (!colour.empty())
                m_colours[selector.substr(7, selector.size() - 8)] = colour;
        } else if ((!colour.empty() || background) && selector.compare(0, 6, "::cue(") == 0 &&
                   std::find(m_unusedSelectors.begin(), m_unusedSelectors.end(), selector) ==
                       m_unusedSelectors.end()) {
            m_unusedSelectors.push_back(selector);
        }
    }
}

std::string WebVttStyleColours::ofClasses(const std::string& classes) const
{
    std::string colour;
    for (std::size_t from = 0; from <= classes.size() && !classes.empty();) {
        const std::size_t dot = classes.find('.', from);
        const std::string one = classes.substr(from, dot - from);
        if (const auto styled = m_colours.find(one); !one.empty() && styled != m_colours.end())
            colour = styled->second;
        else if (const char* known = colourOfClass(one))
            colour = known;
        if (dot == std::string::npos)
            break;
        from = dot + 1;
    }
    return colour;
}

std::string WebVttStyleColours::ofEveryCue() const
{
    const auto all = m_colours.find("");
    return all == m_colours.end() ? std::string() : all->second;
}

} // namespace lumelle
