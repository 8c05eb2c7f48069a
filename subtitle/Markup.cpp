#include "subtitle/Markup.h"

#include <QColor>
#include <QString>

#include <algorithm>
#include <cctype>
#include <optional>
#include <string_view>

namespace lumelle {

namespace {

bool isLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

char lower(char c)
{
    return char(std::tolower(static_cast<unsigned char>(c)));
}

// Builds the output lines and merges equal styles of neighbouring stretches into one span.
class Builder
{
public:
    Builder(MarkedText& out, TextStyle& style) : m_out(out), m_style(style)
    {
        m_out.lines.emplace_back();
    }

    void newLine()
    {
        closeSpan();
        m_out.lines.emplace_back();
        m_spanBegin = 0;
    }
    void append(const char* bytes, std::size_t count) { m_out.lines.back().append(bytes, count); }
    void setStyle(TextStyle style)
    {
        if (style == m_style)
            return;
        closeSpan();
        m_style = style;
    }
    TextStyle style() const { return m_style; }
    // Nested <font> tags: each opening one keeps the colour it replaces, so that its closing
    // tag gives the text the colour of the tag around it back.
    void pushColour(std::optional<ColorValue> outer) { m_outerColours.push_back(outer); }
    std::optional<ColorValue> popColour()
    {
        if (m_outerColours.empty())
            return std::nullopt;
        const std::optional<ColorValue> outer = m_outerColours.back();
        m_outerColours.pop_back();
        return outer;
    }
    // The first position mark of a subtitle counts, as players take it.
    void setPlace(int place)
    {
        if (m_out.place == kPlaceUnset)
            m_out.place = place;
    }
    void finish() { closeSpan(); }

private:
    void closeSpan()
    {
        if (m_out.lines.empty())
            return;
        const int line = int(m_out.lines.size()) - 1;
        const std::size_t end = m_out.lines.back().size();
        if (m_style != TextStyle{} && end > m_spanBegin) {
            StyleSpan* last = m_out.spans.empty() ? nullptr : &m_out.spans.back();
            if (last && last->line == line && last->end == m_spanBegin && last->style == m_style)
                last->end = end;
            else
                m_out.spans.push_back({line, m_spanBegin, end, m_style});
        }
        m_spanBegin = end;
    }

    MarkedText& m_out;
    TextStyle& m_style;
    std::size_t m_spanBegin = 0;
    std::vector<std::optional<ColorValue>> m_outerColours;
};

// "<i>", "</b>", "<font color=red>", "<invalid_tag>": a tag name of letters, digits, "_" and
// "-" after an optional "/", then nothing, or attributes after a blank or "=". Returns the name
// in lower case, or "" when `inside` (the text between "<" and ">") is no tag.
std::string tagName(const std::string& inside, bool& closing)
{
    std::size_t i = 0;
    closing = i < inside.size() && inside[i] == '/';
    if (closing)
        ++i;
    if (i >= inside.size() || !isLetter(inside[i]))
        return std::string();
    std::string name;
    while (i < inside.size() &&
           (isLetter(inside[i]) || std::isdigit(static_cast<unsigned char>(inside[i])) ||
            inside[i] == '_' || inside[i] == '-'))
        name += lower(inside[i++]);
    if (i < inside.size() && inside[i] != ' ' && inside[i] != '\t' && inside[i] != '=')
        return std::string();
    return name;
}

// A colour as HTML writes it: "#RRGGBB", "RRGGBB", "#RGB" or a name ("yellow", "lime").
std::optional<ColorValue> htmlColour(std::string text)
{
    text.erase(0, text.find_first_not_of(" \t\"'"));
    text.erase(text.find_last_not_of(" \t\"'") + 1);
    if (text.size() == 6 && text.find_first_not_of("0123456789abcdefABCDEF") == std::string::npos)
        text = std::string(1, '#') + text;
    const QColor colour = QColor::fromString(QString::fromStdString(text));
    if (!colour.isValid())
        return std::nullopt;
    return makeColor(colour.red(), colour.green(), colour.blue());
}

// The value of attribute `name` in the inside of a tag ("font color=\"#FF0000\" face=x"), quoted
// or not; nullopt without it.
std::optional<std::string> attribute(const std::string& inside, const std::string& name)
{
    std::string lowered = inside;
    std::transform(lowered.begin(), lowered.end(), lowered.begin(), lower);
    for (std::size_t at = lowered.find(name); at != std::string::npos;
         at = lowered.find(name, at + 1)) {
        if (at == 0 || (lowered[at - 1] != ' ' && lowered[at - 1] != '\t'))
            continue;
        std::size_t i = lowered.find_first_not_of(" \t", at + name.size());
        if (i == std::string::npos || inside[i] != '=')
            continue;
        i = inside.find_first_not_of(" \t", i + 1);
        if (i == std::string::npos)
            return std::string();
        if (inside[i] == '"' || inside[i] == '\'') {
            const std::size_t close = inside.find(inside[i], i + 1);
            return inside.substr(i + 1, close == std::string::npos ? close : close - i - 1);
        }
        return inside.substr(i, inside.find_first_of(" \t", i) - i);
    }
    return std::nullopt;
}

void applyHtmlTag(const std::string& name, const std::string& inside, bool closing,
                  Builder& builder)
{
    TextStyle style = builder.style();
    if (name == "font") {
        // A closing </font> gives back the colour around the tag; a <font> without a colour
        // keeps the colour in force.
        if (closing) {
            style.colour = builder.popColour();
        } else {
            builder.pushColour(style.colour);
            if (const auto value = attribute(inside, "color"))
                if (const auto colour = htmlColour(*value))
                    style.colour = colour;
        }
    } else if (name == "i")
        style.italic = !closing;
    else if (name == "b")
        style.bold = !closing;
    else if (name == "u")
        style.underline = !closing;
    builder.setStyle(style);
}

// The keypad position of the older "\\a" numbers: 1..3 bottom, 5..7 top, 9..11 middle.
int legacyPlace(int number)
{
    static const int kPlaces[12] = {0, 1, 2, 3, 0, 7, 8, 9, 0, 4, 5, 6};
    return number >= 1 && number <= 11 ? kPlaces[number] : kPlaceUnset;
}

// A whole number of one or two digits making up all of `digits`; -1 otherwise.
int smallNumber(const std::string& digits)
{
    if (digits.empty() || digits.size() > 2 ||
        digits.find_first_not_of("0123456789") != std::string::npos)
        return -1;
    return std::stoi(digits);
}

// "&HBBGGRR&" of a "\\c" or "\\1c" code (the "&H" and "&" optional).
std::optional<ColorValue> assColour(std::string value)
{
    if (value.size() >= 2 && value[0] == '&' && (value[1] == 'H' || value[1] == 'h'))
        value.erase(0, 2);
    if (!value.empty() && value.back() == '&')
        value.pop_back();
    if (value.empty() || value.size() > 6 ||
        value.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos)
        return std::nullopt;
    return ColorValue(std::stoul(value, nullptr, 16)); // BBGGRR: red in the lowest byte
}

// The codes of one "{\\...}" block: \\i1, \\i0, \\b1, \\b0 (or a weight), \\u1, \\u0, \\c and
// \\1c colours, \\an and \\a positions, \\r.
void applyOverrides(const std::string& block, Builder& builder)
{
    TextStyle style = builder.style();
    for (std::size_t i = block.find('\\'); i != std::string::npos; i = block.find('\\', i + 1)) {
        const std::string code = block.substr(i + 1, block.find('\\', i + 1) - i - 1);
        if (!code.empty() && code[0] == 'r') { // \\r or \\rStyleName: back to plain
            style = TextStyle{};
            continue;
        }
        if (code.size() >= 3 && code.compare(0, 2, "an") == 0) {
            if (const int n = smallNumber(code.substr(2)); n >= 1 && n <= 9)
                builder.setPlace(n);
            continue;
        }
        if (code.size() >= 2 && code[0] == 'a' &&
            std::isdigit(static_cast<unsigned char>(code[1]))) {
            if (const int place = legacyPlace(smallNumber(code.substr(1))); place != kPlaceUnset)
                builder.setPlace(place);
            continue;
        }
        if (code.size() >= 1 && (code[0] == 'c' || code.compare(0, 2, "1c") == 0)) {
            const std::string value = code.substr(code[0] == 'c' ? 1 : 2);
            if (value.empty())
                style.colour.reset(); // a bare \\c goes back to the default colour
            else if (const auto colour = assColour(value))
                style.colour = colour;
            continue;
        }
        if (code.size() < 2 || !std::isdigit(static_cast<unsigned char>(code[1])))
            continue;
        const bool on = code[1] != '0';
        if (code[0] == 'i')
            style.italic = on;
        else if (code[0] == 'b')
            style.bold = on;
        else if (code[0] == 'u')
            style.underline = on;
    }
    builder.setStyle(style);
}

// "$BBGGRR" of a MicroDVD colour code.
std::optional<ColorValue> microDvdColour(std::string value)
{
    if (!value.empty() && value[0] == '$')
        value.erase(0, 1);
    return assColour(value);
}

// The MicroDVD codes y:i, y:b, y:u (several may be joined by commas).
TextStyle microDvdStyle(const std::string& value, TextStyle style)
{
    for (char c : value) {
        c = lower(c);
        if (c == 'i')
            style.italic = true;
        else if (c == 'b')
            style.bold = true;
        else if (c == 'u')
            style.underline = true;
    }
    return style;
}

// "{x:...}" at `at` of `text`: the position after its "}", or npos.
std::size_t microDvdCodeEnd(const std::string& text, std::size_t at)
{
    if (at + 3 >= text.size() || !isLetter(text[at + 1]) || text[at + 2] != ':')
        return std::string::npos;
    const std::size_t close = text.find('}', at + 3);
    return close == std::string::npos ? close : close + 1;
}

// True when `text` at `at` opens a code MicroDVD players know ({y:i}, {c:$0000ff}, {f:Arial},
// {s:20}, {p:1}, {h:...}), in any case.
bool knownMicroDvdCode(const std::string& text, std::size_t at)
{
    return at + 2 < text.size() && text[at + 2] == ':' &&
           std::string_view("ycfsph").find(lower(text[at + 1])) != std::string_view::npos &&
           microDvdCodeEnd(text, at) != std::string::npos;
}

// `value` as UTF-8, for a character reference; false for what no text may hold (NUL, a
// surrogate half, past U+10FFFF).
bool appendUtf8(char32_t value, std::string& out)
{
    if (value == 0 || (value >= 0xD800 && value <= 0xDFFF) || value > 0x10FFFF)
        return false;
    if (value < 0x80) {
        out += char(value);
    } else if (value < 0x800) {
        out += char(0xC0 | (value >> 6));
        out += char(0x80 | (value & 0x3F));
    } else if (value < 0x10000) {
        out += char(0xE0 | (value >> 12));
        out += char(0x80 | ((value >> 6) & 0x3F));
        out += char(0x80 | (value & 0x3F));
    } else {
        out += char(0xF0 | (value >> 18));
        out += char(0x80 | ((value >> 12) & 0x3F));
        out += char(0x80 | ((value >> 6) & 0x3F));
        out += char(0x80 | (value & 0x3F));
    }
    return true;
}

// An HTML character reference at `at` of `text` ("&amp;", "&#233;", "&#xE9;"): its character
// appended to `out` and the position after its ";"; npos (and nothing appended) when the "&"
// starts none, so that "Tom & Jerry" and "&nosuch;" stay as written.
std::size_t takeCharacterReference(const std::string& text, std::size_t at, std::string& out)
{
    // The longest reference read: "&#x10FFFF;" and "&nbsp;" fit well within it.
    constexpr std::size_t kLongest = 12;
    const std::size_t semicolon = text.find(';', at + 1);
    if (semicolon == std::string::npos || semicolon - at > kLongest)
        return std::string::npos;
    const std::string name = text.substr(at + 1, semicolon - at - 1);
    static const struct
    {
        const char* name;
        const char* utf8;
    } kNamed[] = {{"amp", "&"},   {"lt", "<"},   {"gt", ">"},
                  {"quot", "\""}, {"apos", "'"}, {"nbsp", "\xC2\xA0"}};
    for (const auto& named : kNamed) {
        if (name == named.name) {
            out += named.utf8;
            return semicolon + 1;
        }
    }
    if (name.size() < 2 || name[0] != '#')
        return std::string::npos;
    const bool hex = name[1] == 'x' || name[1] == 'X';
    const std::string digits = name.substr(hex ? 2 : 1);
    if (digits.empty() || digits.find_first_not_of(hex ? "0123456789abcdefABCDEF" : "0123456789") !=
                              std::string::npos)
        return std::string::npos;
    const unsigned long value = std::stoul(digits, nullptr, hex ? 16 : 10);
    return value <= 0x10FFFF && appendUtf8(char32_t(value), out) ? semicolon + 1
                                                                 : std::string::npos;
}

} // namespace

namespace {

// The last ">" and "}" of a line: markup can only open before them, so a line full of "<" or
// "{" without a closer is not searched again for every one of them.
struct LastClosers
{
    std::size_t angle;
    std::size_t brace;
};

bool closesLater(std::size_t last, std::size_t at)
{
    return last != std::string::npos && last > at;
}

// Applies the MicroDVD code at `m[i]` ("{y:i}", "{c:$0000ff}", "{p:1}") to `builder` and gives
// the position after it; npos when it is no code.
std::size_t takeMicroDvdCode(const std::string& m, std::size_t i, Builder& builder)
{
    const std::size_t end = microDvdCodeEnd(m, i);
    if (end == std::string::npos)
        return end;
    const std::string value = m.substr(i + 3, end - i - 4);
    const char code = lower(m[i + 1]);
    if (code == 'y') {
        builder.setStyle(microDvdStyle(value, builder.style()));
    } else if (code == 'c') {
        TextStyle style = builder.style();
        if (const auto colour = microDvdColour(value)) {
            style.colour = colour;
            builder.setStyle(style);
        }
    } else if (code == 'p') {
        // {P:1} puts the subtitle at the top, {P:0} at the bottom; players read no more of
        // it (a position "x,y" in pixels of an unknown frame is not honoured).
        if (value == "1")
            builder.setPlace(8);
        else if (value == "0")
            builder.setPlace(2);
    }
    return end;
}

// When `m[i]` opens markup: applies it to `builder` and gives the position after it; npos when
// the character is text.
std::size_t takeMarkup(const std::string& m, std::size_t i, bool microDvd, const LastClosers& last,
                       Builder& builder)
{
    const char c = m[i];
    if (c == '<') {
        if (!closesLater(last.angle, i))
            return std::string::npos;
        // A tag ends before the next "<"; only that stretch is searched.
        const std::size_t reopen = m.find('<', i + 1);
        const auto stop =
            m.begin() + std::ptrdiff_t(reopen == std::string::npos ? m.size() : reopen);
        const auto found = std::find(m.begin() + std::ptrdiff_t(i + 1), stop, '>');
        if (found == stop)
            return std::string::npos;
        const std::size_t close = std::size_t(found - m.begin());
        bool closing = false;
        const std::string name = tagName(m.substr(i + 1, close - i - 1), closing);
        if (name.empty())
            return std::string::npos;
        applyHtmlTag(name, m.substr(i + 1, close - i - 1), closing, builder);
        return close + 1;
    }
    if (c == '{' && !closesLater(last.brace, i))
        return std::string::npos;
    if (c == '{' && i + 1 < m.size() && m[i + 1] == '\\') {
        const std::size_t close = m.find('}', i + 2);
        if (close != std::string::npos)
            applyOverrides(m.substr(i + 1, close - i - 1), builder);
        return close == std::string::npos ? close : close + 1;
    }
    // Files converted from MicroDVD often keep its codes inside SubRip; players remove the
    // ones they know there too.
    if (c == '{' && (microDvd || knownMicroDvdCode(m, i)))
        return takeMicroDvdCode(m, i, builder);
    if (c == '&') {
        std::string character;
        const std::size_t end = takeCharacterReference(m, i, character);
        if (end != std::string::npos)
            builder.append(character.data(), character.size());
        return end;
    }
    if (c == '\\' && i + 1 < m.size() && (m[i + 1] == 'N' || m[i + 1] == 'n' || m[i + 1] == 'h')) {
        if (m[i + 1] == 'h')
            builder.append(" ", 1);
        else
            builder.newLine();
        return i + 2;
    }
    return std::string::npos;
}

} // namespace

void AppendMarkedLine(const std::string& raw, bool microDvd, TextStyle& style, MarkedText& out)
{
    Builder builder(out, style);
    std::size_t i = 0;
    if (microDvd && !raw.empty() && raw[0] == '/') {
        TextStyle italic = builder.style();
        italic.italic = true;
        builder.setStyle(italic);
        i = 1;
    }
    // Text is copied in stretches between markup.
    const LastClosers last{raw.rfind('>'), raw.rfind('}')};
    std::size_t plainFrom = i;
    while (i < raw.size()) {
        if (raw[i] != '<' && raw[i] != '{' && raw[i] != '\\' && raw[i] != '&') {
            ++i;
            continue;
        }
        builder.append(raw.data() + plainFrom, i - plainFrom);
        plainFrom = i;
        const std::size_t next = takeMarkup(raw, i, microDvd, last, builder);
        if (next == std::string::npos)
            ++i;
        else
            i = plainFrom = next;
    }
    builder.append(raw.data() + plainFrom, raw.size() - plainFrom);
    builder.finish();
}

TextStyle TakeWholeSubtitleStyle(std::string& raw)
{
    TextStyle style;
    for (const char* code : {"{Y:", "{C:"}) {
        for (std::size_t i = raw.find(code); i != std::string::npos; i = raw.find(code, i)) {
            const std::size_t end = microDvdCodeEnd(raw, i);
            if (end == std::string::npos)
                break;
            const std::string value = raw.substr(i + 3, end - i - 4);
            if (code[1] == 'Y')
                style = microDvdStyle(value, style);
            else if (const auto colour = microDvdColour(value))
                style.colour = colour;
            raw.erase(i, end - i);
        }
    }
    return style;
}

void SetTextLines(SubtitleLine& entry, MarkedText&& marked)
{
    std::vector<std::string>& lines = marked.lines;
    while (!lines.empty() && lines.back().empty())
        lines.pop_back();
    std::string* fields[] = {&entry.Line1, &entry.Line2, &entry.Line3};
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i < 3)
            *fields[i] = std::move(lines[i]);
        else
            entry.MoreLines.push_back(std::move(lines[i]));
    }
    entry.Spans = std::move(marked.spans);
    entry.Place = marked.place;
}

} // namespace lumelle
