#include "ass/AssEventColours.h"

#include "subtitle/AssText.h"

#include <algorithm>
#include <cstdlib>

namespace lumelle {

namespace {

// libass's colour form (0xRRGGBBAA) of an override's 0xBBGGRR.
std::uint32_t rgbaOfOverride(std::uint32_t bgr)
{
    return (bgr & 0xFF) << 24 | ((bgr >> 8) & 0xFF) << 16 | ((bgr >> 16) & 0xFF) << 8;
}

// The colour an override's argument ("&H0000FF&") names; none for a bare tag.
std::optional<std::uint32_t> overrideColour(const std::string& argument)
{
    const std::size_t at = argument.find_first_of("Hh");
    if (at == std::string::npos)
        return std::nullopt;
    char* end = nullptr;
    const unsigned long value = std::strtoul(argument.c_str() + at + 1, &end, 16);
    if (end == argument.c_str() + at + 1)
        return std::nullopt;
    return rgbaOfOverride(std::uint32_t(value & 0xFFFFFF));
}

std::size_t lettersOf(const std::string& plain)
{
    std::size_t letters = 0;
    for (const std::string& line : AssPlainLines(plain))
        letters += std::size_t(
            std::count_if(line.begin(), line.end(), [](char c) { return c != ' ' && c != '\t'; }));
    return letters;
}

// The look after the tags of one override block, in the order written.
void applyBlock(const std::string& block, const AssStyleLook& style, AssStyleLook& look)
{
    for (const auto& [name, argument] : AssOverrideTags(block)) {
        const double width = std::atof(argument.c_str());
        if (!name.empty() && name[0] == 'r')
            look = style; // \r, or \r and a style's name
        else if (name == "c" || name == "1c")
            look.text = overrideColour(argument).value_or(style.text);
        else if (name == "3c")
            look.outline = overrideColour(argument).value_or(style.outline);
        else if (name == "bord")
            look.outlined = argument.empty() ? style.outlined : width > 0;
        else if ((name == "xbord" || name == "ybord") && width > 0)
            look.outlined = true;
    }
}

} // namespace

std::vector<AssColourRun> AssColourRuns(const std::string& text, const AssStyleLook& style)
{
    std::vector<AssColourRun> runs;
    AssStyleLook look = style;
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t open = text.find('{', at);
        const std::size_t letters =
            lettersOf(text.substr(at, open == std::string::npos ? open : open - at));
        if (letters > 0)
            runs.push_back(
                {look.text, look.outlined ? std::optional(look.outline) : std::nullopt, letters});
        if (open == std::string::npos)
            break;
        const std::size_t close = text.find('}', open);
        applyBlock(text.substr(open, close == std::string::npos ? close : close + 1 - open), style,
                   look);
        if (close == std::string::npos)
            break;
        at = close + 1;
    }
    return runs;
}

} // namespace lumelle
