// Fuzzes the decoding of subtitle bytes in every character set of the font list.
#include "FuzzSupport.h"
#include "render/RenderSettings.h"
#include "subtitle/TextDecoding.h"

#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    lumelle::fuzz::startQt();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    for (quint8 charset : lumelle::CharsetNumbers()) {
        const lumelle::TextDecoder decoder(charset, lumelle::FileEncoding{});
        const QString text = decoder.text(bytes);
        if (decoder.utf8(bytes) != text.toStdString())
            __builtin_trap(); // both forms of the line say the same
        // Every byte gives at most one character, or two for a character outside the basic
        // plane: nothing is invented.
        if (text.size() > qsizetype(2 * bytes.size()))
            __builtin_trap();
        if (!bytes.empty() && text.isEmpty() && bytes.find('\0') == std::string::npos)
            __builtin_trap(); // a non-empty line never vanishes
    }
    return 0;
}
