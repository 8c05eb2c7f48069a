// The blocks of an EBU STL file: the 1024-byte general subtitle information (GSI) block and the
// 128-byte text and timing information (TTI) blocks, read field by field.
#pragma once

#include "subtitle/Markup.h"

#include <cstdint>
#include <optional>
#include <string>

namespace lumelle {

inline constexpr std::size_t kGsiBlockBytes = 1024;
inline constexpr std::size_t kTtiBlockBytes = 128;

// A time code hh:mm:ss:ff.
struct StlTimeCode
{
    int hours = 0, minutes = 0, seconds = 0, frames = 0;

    // False for a field out of range at `framesPerSecond`.
    bool valid(int framesPerSecond) const;
    std::int64_t millis(int framesPerSecond) const;
    std::string text() const; // "10:00:00:00"
};

struct StlGeneral
{
    int framesPerSecond = 25; // from the disk format code "STL25.01" / "STL30.01"
    bool teletext = false;    // display standard 1 or 2: rows 1..23 of a teletext page
    std::string codeTable;    // the character code table, "00" (Latin) .. "04" (Hebrew)
    std::string language;     // two letters ("en") from the language code; empty when unknown
    std::optional<StlTimeCode> programmeStart; // TCP, when it can be read
    std::optional<StlTimeCode> firstInCue;     // TCF, when it can be read
    int maxRows = 23;                          // MNR: the rows a subtitle may be placed on
};

// The general block at the start of `bytes` (kGsiBlockBytes of them, at least).
StlGeneral ReadGeneralBlock(const std::string& bytes);

// One text and timing block.
struct StlTextBlock
{
    int subtitleNumber = 0;
    int extension = 0xFF; // 0xFF: the last (or only) block of its subtitle, 0xFE: user data
    StlTimeCode in, out;
    int verticalPosition = 0;
    int justification = 0; // 0 as laid out, 1 left, 2 centred, 3 right
    bool comment = false;
    std::string text; // the 112 bytes of the text field
};
StlTextBlock ReadTextBlock(const char* block);

// The iconv code page of a character code table; empty for one that is not known.
const char* StlCodePage(const std::string& codeTable);

// What a text field holds: its lines and styles (teletext colours, italics, underline), and
// whether it asked for double height.
struct StlText
{
    MarkedText marked;
    bool doubleHeight = false;
};
StlText DecodeStlText(const std::string& field, const std::string& codeTable);

// The keypad place of a subtitle at `verticalPosition` with `justification`: the row from the
// position's share of the rows, the column from the justification; kPlaceUnset at the bottom
// when the justification leaves the column open.
int StlPlace(int verticalPosition, int justification, const StlGeneral& general);

} // namespace lumelle
