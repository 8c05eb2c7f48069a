// The .idx text of a VobSub pair: the fixed 63-line header with frame size, palette, custom
// colours and language, then one "timestamp: ..., filepos: ..." line per subtitle. Every line
// ends in CR LF.
#pragma once

#include "subtitle/FrameRate.h"
#include "vobsub/Palette.h"

#include <QIODevice>
#include <QString>
#include <cstdint>
#include <string>

namespace lumelle {

// How every .idx file opens: the start of its first line.
inline constexpr char kIndexFileMagic[] = "# VobSub index file";

// One subpicture stream of an index: its two-letter code, the name its comment lines give and,
// when set, the alternative name players show for it.
struct IndexStream
{
    std::string code;
    std::string name;
    std::string alt;
};

// Lines 1 to 56, each with CR LF: everything up to the language index.
std::string IndexSettingsText(FrameRate rate, PaletteMode mode, const OutputColours& colours);
// "langidx: N" (the stream players pick first) and an empty line.
std::string LanguageIndexText(int defaultIndex);
// The five lines that open the timestamps of stream `index` (substream 0x20 + index). A code,
// name or alternative name with a control character in it throws Error.
std::string IndexStreamText(const IndexStream& stream, int index);

// Lines 1 to 63 of a single-stream index, each with CR LF. 25 frames per second gives the 720x576
// size line, every other rate 720x480. The language code is the first two characters of
// `languageText`.
std::string IndexHeaderText(FrameRate rate, PaletteMode mode, const OutputColours& colours,
                            const QString& languageText);

// "timestamp: hh:mm:ss:mmm, filepos: 000000000" with CR LF; the position is PackCount x 2048 in
// lower-case hex. A rate of 0 throws Error("0 Fps !!!").
std::string IndexEntryLine(std::int64_t startFrame, FrameRate rate, std::uint32_t PackCount);

// The same, appended to an open .idx device. A failed write throws Error with the device's
// error text.
void WriteIndexText(QIODevice& idx, const std::string& text);
void WriteIndexHeader(QIODevice& idx, FrameRate rate, PaletteMode mode,
                      const OutputColours& colours, const QString& languageText);
void WriteIndexEntry(QIODevice& idx, std::int64_t startFrame, FrameRate rate,
                     std::uint32_t PackCount);

} // namespace lumelle
