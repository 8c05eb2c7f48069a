#include "subtitle/WebVttCueSettings.h"

#include "subtitle/LineReader.h"
#include "subtitle/TimeCodes.h"

#include <algorithm>
#include <cstdlib>

namespace lumelle {

namespace {

// The value of cue setting `name` ("line:0" gives "0"); empty when the cue has none.
std::string settingOf(const std::string& settings, const std::string& name)
{
    std::size_t at = 0;
    while (at < settings.size()) {
        const std::size_t end = settings.find_first_of(" \t", at);
        const std::string item = settings.substr(at, end == std::string::npos ? end : end - at);
        if (item.compare(0, name.size() + 1, name + ":") == 0)
            return item.substr(name.size() + 1);
        if (end == std::string::npos)
            break;
        at = end + 1;
    }
    return {};
}

} // namespace

std::int64_t WebVttMillisOfTime(const std::string& text)
{
    std::string time = Trimmed(text);
    if (std::count(time.begin(), time.end(), ':') == 1)
        time.insert(0, "0:");
    return MillisOfTime(time);
}

WebVttCueTiming WebVttTimingOfLine(const std::string& line)
{
    const std::size_t arrow = line.find("-->");
    std::string rest = Trimmed(line.substr(arrow + 3));
    const std::size_t blank = rest.find_first_of(" \t");
    WebVttCueTiming timing;
    timing.startMs = WebVttMillisOfTime(line.substr(0, arrow));
    timing.endMs = WebVttMillisOfTime(rest.substr(0, blank));
    if (blank != std::string::npos)
        timing.settings = Trimmed(rest.substr(blank));
    return timing;
}

int WebVttPlaceOfSettings(const std::string& settings)
{
    int row = 0; // 0 bottom, 1 middle, 2 top
    const std::string line = settingOf(settings, "line");
    if (!line.empty()) {
        const std::string value = line.substr(0, line.find(','));
        const double number = std::atof(value.c_str());
        if (!value.empty() && value.back() == '%')
            row = number < 34 ? 2 : number < 67 ? 1 : 0;
        else
            row = value[0] == '-' ? 0 : number <= 3 ? 2 : 1;
    }
    int column = 1; // 0 left, 1 centre, 2 right
    const std::string align = settingOf(settings, "align");
    if (align == "start" || align == "left")
        column = 0;
    else if (align == "end" || align == "right")
        column = 2;
    else if (align.empty()) {
        const std::string position = settingOf(settings, "position");
        if (!position.empty()) {
            const double percent = std::atof(position.c_str());
            column = percent < 35 ? 0 : percent > 65 ? 2 : 1;
        }
    }
    const int place = (row == 0 ? 1 : row == 1 ? 4 : 7) + column;
    return place == 2 ? 0 : place;
}

bool WebVttSettingsVertical(const std::string& settings)
{
    const std::string vertical = settingOf(settings, "vertical");
    return vertical == "rl" || vertical == "lr";
}

} // namespace lumelle
