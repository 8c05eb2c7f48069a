#include "vobsub/IndexWriter.h"

#include "output/DeviceWriting.h"
#include "platform/Error.h"
#include "platform/LineText.h"
#include "subtitle/Subtitle.h"
#include "vobsub/ProgramStream.h"

#include <cinttypes>
#include <cstdio>

namespace lumelle {

namespace {

constexpr const char* kLineEnd = "\r\n";

void writeAll(QIODevice& device, const std::string& text)
{
    WriteAll(device, text.data(), qint64(text.size()),
             QStringLiteral("Cannot write the .idx file."));
}

} // namespace

std::string IndexSettingsText(FrameRate rate, PaletteMode mode, const OutputColours& colours)
{
    const std::string size = rate == kPalFrameRate ? "size: 720x576" : "size: 720x480";

    const std::string lines[] = {
        std::string(kIndexFileMagic) + ", v7 (do not modify this line!)",
        "#",
        "# To repair desyncronization, you can insert gaps this way:",
        "# (it usually happens after vob id changes)",
        "#",
        "#\t delay: [sign]hh:mm:ss:ms",
        "#",
        "# Where:",
        "#\t [sign]: +, - (optional)",
        "#\t hh: hours (0 <= hh)",
        "#\t mm/ss: minutes/seconds (0 <= mm/ss <= 59)",
        "#\t ms: milliseconds (0 <= ms <= 999)",
        "#",
        "#\t Note: You can' t position a sub before the previous with a negative value.",
        "#",
        "# You can also modify timestamps or delete a few subs you don' t like.",
        "# Just make sure they stay in increasing order.",
        "",
        "",
        "# Settings",
        "",
        "# Original frame size",
        size,
        "",
        "# Origin, relative to the upper-left corner, can be overloaded by aligment",
        "org: 0, 0",
        "",
        "# Image scaling (hor,ver), origin is at the upper-left corner or at the alignment coord "
        "(x, y)",
        "scale: 100%, 100%",
        "# Alpha blending",
        "alpha: 100%",
        "",
        "# Smoothing for very blocky images (use OLD for no filtering)",
        "smooth: OFF",
        "",
        "# In millisecs",
        "fadein/out: 0, 0",
        "",
        "# Force subtitle placement relative to (org.x, org.y)",
        "",
        "align: OFF at LEFT TOP",
        "",
        "# for correcting non - progressive desync.(in millisecs or hh: mm: ss: ms)",
        "# Note: not effective in DirectVobSub, use \"delay: ...\" instead.",
        "time offset: 0",
        "",
        "# on: displays only forced subtitles, OFF: shows everything",
        "forced subs: OFF",
        "",
        "# The original palette of the DVD",
        PaletteLine(mode, colours),
        "",
        "# Custom colors(transp idxs and the four colors)",
        CustomColourLine(mode, colours),
        "",
        "# Language index in use",
    };
    static_assert(std::size(lines) == 56);

    std::string text;
    for (const std::string& line : lines)
        text += line + kLineEnd;
    return text;
}

std::string IndexStreamText(const IndexStream& stream, int index)
{
    // Each text fills the rest of its line: a line break in one would make a line of its own,
    // a stream the index does not hold.
    for (const std::string* text : {&stream.code, &stream.name, &stream.alt})
        if (HoldsControlCharacter(*text))
            throw Error(QStringLiteral("The name of stream %1 holds a control character, which "
                                       "the index cannot hold: \"%2\".")
                            .arg(index + 1)
                            .arg(ReadableText(QString::fromStdString(*text))));
    const std::string lines[] = {
        "# " + stream.name,
        "id: " + stream.code + ", index: " + std::to_string(index),
        "# Decomment next line to activate alternative name in DirectVobSub / Windows Media "
        "Player 6.x",
        stream.alt.empty() ? "# alt: " + stream.name : "alt: " + stream.alt,
        "# Vob/Cell ID: 1, 1 (PTS: 0)",
    };
    std::string text;
    for (const std::string& line : lines)
        text += line + kLineEnd;
    return text;
}

std::string LanguageIndexText(int defaultIndex)
{
    return "langidx: " + std::to_string(defaultIndex) + kLineEnd + kLineEnd;
}

std::string IndexHeaderText(FrameRate rate, PaletteMode mode, const OutputColours& colours,
                            const QString& languageText)
{
    // The single stream's comment lines always read English, whatever its language.
    const IndexStream stream{languageText.left(2).toLatin1().toStdString(), "English", {}};
    return IndexSettingsText(rate, mode, colours) + LanguageIndexText(0) +
           IndexStreamText(stream, 0);
}

std::string IndexEntryLine(std::int64_t startFrame, FrameRate rate, std::uint32_t PackCount)
{
    const std::uint64_t filePosition = std::uint64_t(PackCount) * kPackSize;
    char position[32];
    std::snprintf(position, sizeof position, "%09" PRIx64, filePosition);
    return "timestamp: " + TSubtitle::FramesToTime(startFrame, rate) + ", filepos: " + position +
           kLineEnd;
}

void WriteIndexText(QIODevice& idx, const std::string& text)
{
    writeAll(idx, text);
}

void WriteIndexHeader(QIODevice& idx, FrameRate rate, PaletteMode mode,
                      const OutputColours& colours, const QString& languageText)
{
    writeAll(idx, IndexHeaderText(rate, mode, colours, languageText));
}

void WriteIndexEntry(QIODevice& idx, std::int64_t startFrame, FrameRate rate,
                     std::uint32_t PackCount)
{
    writeAll(idx, IndexEntryLine(startFrame, rate, PackCount));
}

} // namespace lumelle
