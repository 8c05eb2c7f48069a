// Fuzzes the line-level pieces of the readers: markup removal with its style spans, the SubRip
// time line and the strict integer fields.
#include "FuzzSupport.h"
#include "platform/Error.h"
#include "subtitle/Markup.h"
#include "subtitle/TimeCodes.h"

#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string line(reinterpret_cast<const char*>(data), size);
    for (bool microDvd : {false, true}) {
        lumelle::MarkedText marked;
        lumelle::TextStyle style;
        lumelle::AppendMarkedLine(line, microDvd, style, marked);
        // Markup is only ever removed ("\h" becomes one space for its two characters).
        std::size_t kept = 0;
        for (const std::string& piece : marked.lines)
            kept += piece.size();
        if (marked.lines.empty() || kept > line.size())
            __builtin_trap();
        // Every span lies inside its line and says something.
        for (const lumelle::StyleSpan& span : marked.spans) {
            if (span.line < 0 || std::size_t(span.line) >= marked.lines.size() ||
                span.begin >= span.end || span.end > marked.lines[std::size_t(span.line)].size() ||
                span.style == lumelle::TextStyle{})
                __builtin_trap();
        }
    }
    try {
        (void)lumelle::TimesOfLine(line);
    } catch (const lumelle::Error&) {
    }
    try {
        (void)lumelle::StrToInt(line);
    } catch (const lumelle::Error&) {
    }
    return 0;
}
