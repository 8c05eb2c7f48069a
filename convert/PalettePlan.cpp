#include "convert/PalettePlan.h"

#include <algorithm>
#include <utility>

namespace lumelle {

PaletteCount::PaletteCount(ColorValue antialias, ColorValue outline, ColorValue text)
    : m_fixed{antialias, outline, text}
{}

void PaletteCount::add(ColorValue colour)
{
    if (std::find(std::begin(m_fixed), std::end(m_fixed), colour) == std::end(m_fixed))
        ++m_uses[colour];
}

PalettePlan PaletteCount::plan() const
{
    std::vector<std::pair<ColorValue, long long>> uses(m_uses.begin(), m_uses.end());
    // Most used first; equal counts in the order of their values, so a plan never depends on
    // the order pictures were counted in.
    std::stable_sort(uses.begin(), uses.end(),
                     [](const auto& a, const auto& b) { return a.second > b.second; });
    PalettePlan plan;
    for (std::size_t i = 0; i < uses.size() && i < kPaletteExtraEntries; ++i)
        plan.extra.push_back(uses[i].first);
    return plan;
}

ColorValue PaletteCount::shownColour(ColorValue colour, const PalettePlan& plan) const
{
    if (std::find(std::begin(m_fixed), std::end(m_fixed), colour) != std::end(m_fixed) ||
        std::find(plan.extra.begin(), plan.extra.end(), colour) != plan.extra.end())
        return colour;
    std::vector<ColorValue> choices{m_fixed[2]};
    choices.insert(choices.end(), plan.extra.begin(), plan.extra.end());
    return NearestColour(colour, choices);
}

ColorValue PaletteCount::shownOutline(ColorValue colour, const PalettePlan& plan) const
{
    std::vector<ColorValue> choices(std::begin(m_fixed), std::end(m_fixed));
    choices.insert(choices.end(), plan.extra.begin(), plan.extra.end());
    return std::find(choices.begin(), choices.end(), colour) != choices.end()
               ? colour
               : NearestColour(colour, choices);
}

ColorValue DrawableTextColour(ColorValue colour)
{
    return colour == kBackgroundBlue ? makeColor(0, 0, 254) : colour;
}

namespace {

int distanceOf(ColorValue a, ColorValue b)
{
    const int r = redOf(a) - redOf(b), g = greenOf(a) - greenOf(b), bl = blueOf(a) - blueOf(b);
    return r * r + g * g + bl * bl;
}

} // namespace

ColorValue ReadableOutline(ColorValue outline, ColorValue antialias, ColorValue windowText,
                           ColorValue text, std::optional<ColorValue> second)
{
    if (text != outline && second != outline)
        return outline;
    ColorValue chosen = outline;
    int farthest = 0;
    for (ColorValue candidate : {windowText, antialias}) {
        if (candidate == text || candidate == second || candidate == kBackgroundBlue)
            continue;
        if (distanceOf(candidate, outline) > farthest) {
            farthest = distanceOf(candidate, outline);
            chosen = candidate;
        }
    }
    return chosen;
}

ColorValue NearestColour(ColorValue colour, const std::vector<ColorValue>& choices)
{
    const auto distance = [colour](ColorValue c) {
        const int r = redOf(c) - redOf(colour);
        const int g = greenOf(c) - greenOf(colour);
        const int b = blueOf(c) - blueOf(colour);
        return r * r + g * g + b * b;
    };
    return *std::min_element(choices.begin(), choices.end(),
                             [&](ColorValue a, ColorValue b) { return distance(a) < distance(b); });
}

} // namespace lumelle
