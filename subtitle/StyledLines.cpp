#include "subtitle/StyledLines.h"

namespace lumelle {

namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

} // namespace

void StyledLines::put(std::string_view utf8, const TextStyle& style)
{
    std::string& line = m_out.lines.back();
    const std::size_t begin = line.size();
    line.append(utf8);
    if (style == TextStyle{} || utf8.empty())
        return;
    const int number = int(m_out.lines.size()) - 1;
    StyleSpan* last = m_out.spans.empty() ? nullptr : &m_out.spans.back();
    if (last && last->line == number && last->end == begin && last->style == style)
        last->end = line.size();
    else
        m_out.spans.push_back({number, begin, line.size(), style});
}

void StyledLines::append(std::string_view utf8, const TextStyle& style, bool keepBlanks)
{
    if (keepBlanks) {
        put(utf8, style);
        return;
    }
    std::size_t at = 0;
    while (at < utf8.size()) {
        if (isBlank(utf8[at])) {
            if (!m_spaceWaiting)
                m_spaceStyle = style;
            m_spaceWaiting = true;
            ++at;
            continue;
        }
        std::size_t end = at;
        while (end < utf8.size() && !isBlank(utf8[end]))
            ++end;
        // The blank keeps the style it was written in: an underline that starts with the next
        // word does not reach back over it.
        if (m_spaceWaiting && !m_out.lines.back().empty())
            put(" ", m_spaceStyle);
        m_spaceWaiting = false;
        put(utf8.substr(at, end - at), style);
        at = end;
    }
}

void StyledLines::newLine()
{
    m_out.lines.emplace_back();
    m_spaceWaiting = false;
}

bool StyledLines::empty() const
{
    for (const std::string& line : m_out.lines) {
        for (const char c : line) {
            if (!isBlank(c))
                return false;
        }
    }
    return true;
}

MarkedText StyledLines::take(int place)
{
    MarkedText out = std::move(m_out);
    while (!out.lines.empty() && out.lines.back().empty())
        out.lines.pop_back();
    out.place = place;
    m_out = MarkedText{};
    m_out.lines.emplace_back();
    m_spaceWaiting = false;
    return out;
}

} // namespace lumelle
