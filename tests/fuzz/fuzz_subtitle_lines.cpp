// Fuzzes the line-level helpers: the MicroDVD splitter, tag stripping, the time-line test and
// the SubRip time conversion.
#include "FuzzSupport.h"
#include "platform/Error.h"
#include "subtitle/Subtitle.h"

#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string line(reinterpret_cast<const char*>(data), size);
    const lumelle::fivestrings parts = lumelle::TSubtitle::SplitMicroDvdLine(line);
    // No piece holds more than the line did (a line without braces gives its whole text as
    // start and, less one character, as end, so the pieces may overlap).
    for (const std::string* piece :
         {&parts.StartText, &parts.EndText, &parts.First, &parts.Second, &parts.Third}) {
        if (piece->size() > line.size())
            __builtin_trap();
    }
    // The text lines come from behind the frame numbers and never overlap one another.
    if (parts.First.size() + parts.Second.size() + parts.Third.size() > line.size())
        __builtin_trap();
    const std::string stripped = lumelle::TSubtitle::StripTags(line);
    if (stripped.size() > line.size())
        __builtin_trap();
    if (lumelle::TSubtitle::IsTimeLine(line)) {
        try {
            (void)lumelle::TSubtitle::TimeToFrames(line.substr(0, 12), lumelle::FrameRate(29970));
            (void)lumelle::TSubtitle::TimeToFrames(line.substr(17, 12), lumelle::FrameRate(23976));
        } catch (const lumelle::Error&) {
        }
    }
    try {
        (void)lumelle::StrToInt(line);
    } catch (const lumelle::Error&) {
    }
    return 0;
}
