#include "subtitle/AssText.h"

#include "platform/Error.h"
#include "subtitle/LineReader.h"

#include <QString>
#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <string_view>

namespace lumelle {

namespace {

bool startsWithNoCase(const std::string& line, const char* prefix)
{
    for (std::size_t i = 0; prefix[i] != '\0'; ++i) {
        if (i >= line.size() || std::tolower(static_cast<unsigned char>(line[i])) != prefix[i])
            return false;
    }
    return true;
}

std::string lowerCase(std::string text)
{
    for (char& c : text)
        c = char(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

// Calls `tag(name, argument)` for each override tag of every "{...}" block of `text`: "\fad(1,2)"
// gives "fad" and "(1,2)", "\1c&HFF&" gives "1c" and "&HFF&". Names are the letters after the
// backslash (digits first for \1c ... \4a).
template <typename F> void forEachTag(const std::string& text, F&& tag)
{
    std::size_t at = 0;
    while ((at = text.find('{', at)) != std::string::npos) {
        const std::size_t close = text.find('}', at);
        const std::string block =
            text.substr(at + 1, close == std::string::npos ? std::string::npos : close - at - 1);
        std::size_t k = 0;
        while ((k = block.find('\\', k)) != std::string::npos) {
            std::size_t n = k + 1;
            while (n < block.size() && std::isdigit(static_cast<unsigned char>(block[n])) &&
                   n == k + 1)
                ++n;
            while (n < block.size() && std::isalpha(static_cast<unsigned char>(block[n])))
                ++n;
            std::size_t end = n;
            int depth = 0;
            while (end < block.size() && (depth > 0 || block[end] != '\\')) {
                depth += block[end] == '(' ? 1 : block[end] == ')' ? -1 : 0;
                ++end;
            }
            tag(block.substr(k + 1, n - k - 1), block.substr(n, end - n));
            k = end;
        }
        if (close == std::string::npos)
            break;
        at = close + 1;
    }
}

} // namespace

std::vector<std::string> DefaultAssEventFormat()
{
    return {"layer",   "start",   "end",     "style",  "name",
            "marginl", "marginr", "marginv", "effect", "text"};
}

std::vector<std::string> AssEventFormat(const std::string& formatLine)
{
    std::vector<std::string> fields;
    std::size_t at = formatLine.find(':');
    at = at == std::string::npos ? 0 : at + 1;
    while (at <= formatLine.size()) {
        const std::size_t comma = formatLine.find(',', at);
        fields.push_back(lowerCase(Trimmed(
            formatLine.substr(at, comma == std::string::npos ? std::string::npos : comma - at))));
        if (comma == std::string::npos)
            break;
        at = comma + 1;
    }
    return fields;
}

bool ReadAssDialogue(const std::string& line, const std::vector<std::string>& format,
                     AssDialogue& out)
{
    std::size_t at = line.find(':');
    if (at == std::string::npos || format.empty())
        return false;
    ++at;
    for (std::size_t f = 0; f < format.size(); ++f) {
        const bool last = f + 1 == format.size();
        const std::size_t comma = last ? std::string::npos : line.find(',', at);
        if (!last && comma == std::string::npos)
            return false;
        std::string value = line.substr(at, last ? std::string::npos : comma - at);
        // The text keeps its own spaces, but not the one after the comma of older writers.
        value = last ? value : Trimmed(value);
        const std::string& name = format[f];
        if (name == "start")
            out.start = value;
        else if (name == "end")
            out.end = value;
        else if (name == "style")
            out.style = value;
        else if (name == "text")
            out.text = value;
        at = last ? line.size() : comma + 1;
    }
    return true;
}

std::int64_t AssMillisOfTime(const std::string& text)
{
    const std::string time = Trimmed(text);
    const auto bad = [&time] {
        return Error(QStringLiteral("\"%1\" is not an ASS time").arg(QString::fromStdString(time)));
    };
    std::int64_t parts[3] = {0, 0, 0};
    std::size_t at = 0;
    for (int p = 0; p < 3; ++p) {
        const std::size_t begin = at;
        while (at < time.size() && std::isdigit(static_cast<unsigned char>(time[at])) &&
               at - begin < 9)
            parts[p] = parts[p] * 10 + (time[at++] - '0');
        if (at == begin)
            throw bad();
        if (p < 2 && (at >= time.size() || time[at++] != ':'))
            throw bad();
    }
    std::int64_t ms = 0;
    if (at < time.size()) {
        if (time[at++] != '.')
            throw bad();
        std::int64_t scale = 100;
        const std::size_t begin = at;
        while (at < time.size() && std::isdigit(static_cast<unsigned char>(time[at]))) {
            ms += (time[at++] - '0') * scale;
            scale /= 10;
        }
        if (at == begin)
            throw bad();
    }
    if (at != time.size())
        throw bad();
    return (parts[0] * 3600 + parts[1] * 60 + parts[2]) * 1000 + ms;
}

AssEventLines::Kind AssEventLines::take(const std::string& line)
{
    const std::size_t first = line.find_first_not_of(" \t");
    const std::string rest = first == std::string::npos ? std::string() : line.substr(first);
    static const char* const kSections[] = {"[script info]", "[v4 styles]", "[v4+ styles]",
                                            "[events]", "[fonts]"};
    for (const char* section : kSections) {
        if (startsWithNoCase(rest, section)) {
            m_inEvents = std::string_view(section) == "[events]";
            return Kind::Other;
        }
    }
    if (!m_inEvents)
        return Kind::Other;
    if (startsWithNoCase(rest, "format:")) {
        m_format = AssEventFormat(rest);
        return Kind::Format;
    }
    return startsWithNoCase(rest, "dialogue:") ? Kind::Event : Kind::Other;
}

QString ReadAssEvent(const std::string& line, const std::vector<std::string>& format, AssEvent& out)
{
    if (!ReadAssDialogue(line, format, out.dialogue))
        return QStringLiteral("fewer fields than its Format line names");
    try {
        out.startMs = AssMillisOfTime(out.dialogue.start);
        out.endMs = AssMillisOfTime(out.dialogue.end);
    } catch (const Error& e) {
        return e.message();
    }
    // libass never shows an event that ends before it starts.
    if (out.endMs < out.startMs)
        return QStringLiteral("it ends before it starts");
    return {};
}

std::vector<std::string> AssPlainLines(const std::string& text)
{
    std::vector<std::string> lines(1);
    bool drawing = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '{') {
            const std::size_t close = text.find('}', i);
            if (close == std::string::npos) {
                lines.back() += text.substr(i);
                break;
            }
            // The last \pN of the block decides whether what follows is a shape.
            forEachTag(text.substr(i, close - i + 1),
                       [&](const std::string& name, const std::string& argument) {
                           if (name == "p")
                               drawing = std::atoi(argument.c_str()) > 0;
                       });
            i = close;
        } else if (c == '\\' && i + 1 < text.size() &&
                   (text[i + 1] == 'N' || text[i + 1] == 'n' || text[i + 1] == 'h')) {
            if (text[i + 1] == 'h') {
                if (!drawing)
                    lines.back() += ' ';
            } else {
                lines.emplace_back();
            }
            ++i;
        } else if (!drawing) {
            lines.back() += c;
        }
    }
    return lines;
}

bool AssTextAnimates(const std::string& text)
{
    bool animates = false;
    forEachTag(text, [&](const std::string& name, const std::string&) {
        animates = animates || name == "fad" || name == "fade" || name == "move" || name == "t" ||
                   name == "k" || name == "K" || name == "kf" || name == "ko";
    });
    return animates;
}

std::vector<std::pair<std::string, std::string>> AssOverrideTags(const std::string& text)
{
    std::vector<std::pair<std::string, std::string>> tags;
    forEachTag(text, [&](const std::string& name, const std::string& argument) {
        tags.emplace_back(name, argument);
    });
    return tags;
}

std::vector<std::uint32_t> AssTextColours(const std::string& text)
{
    std::vector<std::uint32_t> colours;
    forEachTag(text, [&](const std::string& name, const std::string& argument) {
        if (name != "c" && name != "1c")
            return;
        std::size_t at = argument.find_first_of("Hh");
        if (at == std::string::npos)
            return;
        char* end = nullptr;
        const unsigned long value = std::strtoul(argument.c_str() + at + 1, &end, 16);
        if (end != argument.c_str() + at + 1)
            colours.push_back(std::uint32_t(value & 0xFFFFFF));
    });
    return colours;
}

} // namespace lumelle
