// Fuzzes the subtitle readers with their detection: the first byte picks the extension, the
// frame rate and the character set (single- or double-byte), the rest is the file.
#include "FuzzSupport.h"
#include "platform/Error.h"
#include "subtitle/Subtitle.h"

#include <cstdint>

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    lumelle::fuzz::startQt();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 1)
        return 0;
    static const char* const kNames[] = {"f.srt", "f.sub", "f.txt", "f.SRT"};
    static const lumelle::FrameRate kRates[] = {
        lumelle::FrameRate(23976), lumelle::FrameRate(24000), lumelle::FrameRate(25000),
        lumelle::FrameRate(29970), lumelle::FrameRate(30000)};
    const QString name = QString::fromLatin1(kNames[data[0] & 3]);
    const lumelle::FrameRate rate = kRates[(data[0] >> 2) % 5];
    static const quint8 kCharsets[] = {1, 128, 136, 161};
    const quint8 charset = kCharsets[(data[0] >> 5) % 4];
    const QByteArray bytes(reinterpret_cast<const char*>(data + 1), qsizetype(size - 1));
    lumelle::TSubtitle list;
    try {
        list.LoadFromData(name, bytes, true, rate, 0, charset);
    } catch (const lumelle::Error&) {
        // A malformed number ends the read with a message; what was read stays.
    }
    for (int i = 1; i <= list.Count(); ++i) {
        const lumelle::SubtitleLine& l = list.line(i);
        // Every stored frame number is decimal text that converts back.
        (void)lumelle::TSubtitle::FramesToTime(std::stoll(l.StartFrame), rate);
        (void)lumelle::TSubtitle::FramesToTime(std::stoll(l.EndFrame), rate);
    }
    return 0;
}
