#include "subtitle/DocumentForms.h"

#include <cctype>

namespace lumelle {

namespace {

// How far into a document its root element is looked for.
constexpr std::size_t kProlog = 64 * 1024;

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// The position of the first element's "<" after blanks, the XML declaration, processing
// instructions, comments and a document type; npos when there is none in reach.
std::size_t rootElement(const std::string& text)
{
    std::size_t at = 0;
    const std::size_t end = std::min(text.size(), kProlog);
    while (at < end) {
        if (isBlank(text[at])) {
            ++at;
            continue;
        }
        if (text[at] != '<')
            return std::string::npos;
        const char* closer = text.compare(at, 4, "<!--") == 0 ? "-->"
                             : text.compare(at, 2, "<?") == 0 ? "?>"
                             : text.compare(at, 2, "<!") == 0 ? ">"
                                                              : nullptr;
        if (!closer)
            return at;
        // A document type's internal subset "[...]" holds ">" of its own.
        std::size_t from = at;
        if (text.compare(at, 9, "<!DOCTYPE") == 0) {
            const std::size_t subset = text.find('[', at);
            if (subset != std::string::npos && subset < text.find('>', at))
                from = text.find(']', subset);
            if (from == std::string::npos)
                return std::string::npos;
        }
        const std::size_t close = text.find(closer, from);
        if (close == std::string::npos)
            return std::string::npos;
        at = close + std::char_traits<char>::length(closer);
    }
    return std::string::npos;
}

// True when the name at `at` is `name` (in lower case), matched in any case, and ends there.
bool nameAt(const std::string& text, std::size_t at, const char* name)
{
    std::size_t i = 0;
    for (; name[i]; ++i) {
        if (at + i >= text.size() ||
            std::tolower(static_cast<unsigned char>(text[at + i])) != name[i])
            return false;
    }
    const std::size_t after = at + i;
    return after == text.size() || isBlank(text[after]) || text[after] == '>' || text[after] == '/';
}

} // namespace

bool LooksLikeTtml(const std::string& text)
{
    std::size_t at = rootElement(text);
    if (at == std::string::npos)
        return false;
    ++at;
    // A prefix "tt:" or "ttml:" before the name.
    std::size_t name = at;
    while (name < text.size() && name - at < 32 &&
           (std::isalnum(static_cast<unsigned char>(text[name])) || text[name] == '_' ||
            text[name] == '-' || text[name] == '.'))
        ++name;
    if (name < text.size() && text[name] == ':')
        at = name + 1;
    return text.compare(at, 2, "tt") == 0 && nameAt(text, at, "tt");
}

bool LooksLikeSami(const std::string& text)
{
    const std::size_t at = rootElement(text);
    return at != std::string::npos && nameAt(text, at + 1, "sami");
}

bool LooksLikeEbuStl(const std::string& bytes)
{
    if (bytes.size() < 11 || bytes.compare(3, 3, "STL") != 0 || bytes[8] != '.')
        return false;
    for (const std::size_t i : {6, 7, 9, 10}) {
        if (!std::isdigit(static_cast<unsigned char>(bytes[i])))
            return false;
    }
    return true;
}

} // namespace lumelle
