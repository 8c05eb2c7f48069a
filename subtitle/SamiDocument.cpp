#include "subtitle/SamiDocument.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace lumelle {

namespace {

std::string lowered(std::string text)
{
    for (char& c : text)
        c = char(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// The text without its HTML comments.
std::string withoutComments(const std::string& text)
{
    std::string out;
    std::size_t at = 0;
    for (std::size_t open = text.find("<!--"); open != std::string::npos;
         open = text.find("<!--", at)) {
        out.append(text, at, open - at);
        const std::size_t close = text.find("-->", open + 4);
        if (close == std::string::npos)
            return out;
        at = close + 3;
    }
    out.append(text, at, std::string::npos);
    return out;
}

// The value of attribute `name` (lower case) in the tag text `tag` ("<p class=ENCC>"), quoted
// or not; empty without it.
std::string attributeOf(const std::string& tag, const std::string& name)
{
    const std::string lower = lowered(tag);
    for (std::size_t at = lower.find(name); at != std::string::npos;
         at = lower.find(name, at + 1)) {
        if (at == 0 || !isBlank(lower[at - 1]))
            continue;
        std::size_t i = at + name.size();
        while (i < tag.size() && isBlank(tag[i]))
            ++i;
        if (i >= tag.size() || tag[i] != '=')
            continue;
        ++i;
        while (i < tag.size() && isBlank(tag[i]))
            ++i;
        if (i < tag.size() && (tag[i] == '"' || tag[i] == '\'')) {
            const std::size_t close = tag.find(tag[i], i + 1);
            return tag.substr(i + 1, close == std::string::npos ? close : close - i - 1);
        }
        std::size_t end = i;
        while (end < tag.size() && !isBlank(tag[end]) && tag[end] != '>')
            ++end;
        return tag.substr(i, end - i);
    }
    return std::string();
}

// The class rules of the style block: ".ENCC { Name: English; lang: en-US; }".
std::vector<SamiClass> classesOf(const std::string& style)
{
    std::vector<SamiClass> classes;
    // Style blocks hide their rules from old browsers inside "<!--" and "-->".
    std::string css = style;
    for (const char* marker : {"<!--", "-->"}) {
        for (std::size_t at = css.find(marker); at != std::string::npos; at = css.find(marker))
            css.replace(at, std::strlen(marker), " ");
    }
    for (std::size_t dot = css.find('.'); dot != std::string::npos; dot = css.find('.', dot + 1)) {
        const std::size_t open = css.find('{', dot);
        const std::size_t close = css.find('}', open == std::string::npos ? dot : open);
        if (open == std::string::npos || close == std::string::npos)
            break;
        std::string name = css.substr(dot + 1, open - dot - 1);
        name.erase(std::find_if(name.begin(), name.end(), isBlank), name.end());
        if (name.empty() || !std::isalnum(static_cast<unsigned char>(name[0]))) {
            dot = close;
            continue;
        }
        const std::string rules = lowered(css.substr(open + 1, close - open - 1));
        SamiClass found{name, {}};
        if (const std::size_t lang = rules.find("lang"); lang != std::string::npos) {
            std::size_t i = rules.find(':', lang);
            while (i != std::string::npos && ++i < rules.size() && isBlank(rules[i])) {
            }
            std::size_t end = i;
            while (end < rules.size() && std::isalpha(static_cast<unsigned char>(rules[end])))
                ++end;
            if (i != std::string::npos && end - i >= 2 && end - i <= 3)
                found.language = rules.substr(i, end - i);
        }
        classes.push_back(std::move(found));
        dot = close;
    }
    return classes;
}

// The text of a paragraph as lines: blanks and line ends run together into one space, a new
// line at every <br>.
std::vector<std::string> linesOf(const std::string& text)
{
    std::vector<std::string> lines(1);
    const std::string lower = lowered(text);
    bool blank = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (lower.compare(i, 3, "<br") == 0 && (i + 3 >= text.size() || text[i + 3] == '>' ||
                                                text[i + 3] == '/' || isBlank(text[i + 3]))) {
            const std::size_t close = text.find('>', i);
            if (close == std::string::npos)
                break;
            lines.emplace_back();
            blank = false;
            i = close;
            continue;
        }
        if (isBlank(text[i])) {
            blank = !lines.back().empty();
            continue;
        }
        if (blank)
            lines.back() += ' ';
        blank = false;
        lines.back() += text[i];
    }
    return lines;
}

class LineCounter
{
public:
    explicit LineCounter(const std::string& text)
    {
        for (std::size_t i = 0; i < text.size(); ++i) {
            if (text[i] == '\n')
                m_ends.push_back(i);
        }
    }
    int lineAt(std::size_t offset) const
    {
        return 1 + int(std::lower_bound(m_ends.begin(), m_ends.end(), offset) - m_ends.begin());
    }

private:
    std::vector<std::size_t> m_ends;
};

// The position of the next "<p" tag (not "<pre" or the like) in `lower` from `from`; npos.
std::size_t nextParagraph(const std::string& lower, std::size_t from)
{
    for (std::size_t p = lower.find("<p", from); p != std::string::npos;
         p = lower.find("<p", p + 2)) {
        if (p + 2 >= lower.size() || isBlank(lower[p + 2]) || lower[p + 2] == '>')
            return p;
    }
    return std::string::npos;
}

// The paragraphs of the <SYNC> block `block` (its text after the tag, comments removed), which
// starts on `lineNumber` at `ms`. A block without <P> is one paragraph of no class.
void paragraphsOf(const std::string& block, int lineNumber, std::int64_t ms,
                  std::vector<SamiParagraph>& out)
{
    const std::string lower = lowered(block);
    std::size_t p = nextParagraph(lower, 0);
    if (p == std::string::npos)
        out.push_back({lineNumber, ms, {}, linesOf(block)});
    while (p != std::string::npos) {
        const std::size_t tagEnd = block.find('>', p);
        if (tagEnd == std::string::npos)
            break;
        const std::size_t next = nextParagraph(lower, tagEnd);
        const std::size_t end = std::min(next, lower.find("</p", tagEnd));
        const std::string text =
            block.substr(tagEnd + 1, end == std::string::npos ? end : end - tagEnd - 1);
        out.push_back(
            {lineNumber, ms, attributeOf(block.substr(p, tagEnd - p), "class"), linesOf(text)});
        p = next;
    }
}

} // namespace

bool SameClassName(const std::string& a, const std::string& b)
{
    return lowered(a) == lowered(b);
}

SamiContent ReadSamiDocument(const std::string& utf8)
{
    SamiContent content;
    const std::string lower = lowered(utf8);
    const LineCounter lines(utf8);
    if (const std::size_t style = lower.find("<style"); style != std::string::npos) {
        const std::size_t end = lower.find("</style", style);
        content.classes =
            classesOf(utf8.substr(style, end == std::string::npos ? end : end - style));
    }
    const std::size_t bodyEnd = std::min(lower.find("</body"), utf8.size());
    for (std::size_t sync = lower.find("<sync"); sync < bodyEnd;) {
        const std::size_t tagEnd = lower.find('>', sync);
        const std::size_t next = lower.find("<sync", sync + 5);
        const std::size_t blockEnd = std::min(next, bodyEnd);
        const int lineNumber = lines.lineAt(sync);
        if (tagEnd == std::string::npos || tagEnd > blockEnd) {
            content.unread.push_back({lineNumber, "<SYNC> tag is not closed"});
            break;
        }
        const std::string start = attributeOf(utf8.substr(sync, tagEnd - sync), "start");
        const std::string digits = start.substr(0, start.find_first_not_of("0123456789"));
        if (digits.empty() || digits.size() > 12 ||
            (digits.size() < start.size() && lowered(start.substr(digits.size())) != "ms")) {
            content.unread.push_back({lineNumber, "<SYNC> has no Start time in milliseconds ('" +
                                                      start.substr(0, 40) + "')"});
        } else {
            paragraphsOf(withoutComments(utf8.substr(tagEnd + 1, blockEnd - tagEnd - 1)),
                         lineNumber, std::stoll(digits), content.paragraphs);
        }
        sync = next;
    }
    return content;
}

} // namespace lumelle
