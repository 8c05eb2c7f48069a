// The four output colours of every subtitle, their text forms (RGB hex, Y/Cr/Cb) and the
// palette and custom-colour lines that each palette mode puts into the .idx file.
#pragma once

#include "platform/Colour.h"

#include <string>
#include <vector>

namespace lumelle {

// The colour-options choices: which colour forms go into the .idx palette lines.
enum class PaletteMode { PcOnly, DvdOnly, PcDvdTwoPalettes, PcDvdSafePalette };

// The three user colours, in palette slots 0, 1, 2; slot 3 is always the background blue.
// Pixel values in the subpicture: antialias 3, outline 2, text 1, background 0. `extra`: the
// text colours the file asks for besides them, in slots 4 and up (kExtraPaletteSlots at most).
struct OutputColours
{
    ColorValue antialias;
    ColorValue outline;
    ColorValue text;
    std::vector<ColorValue> extra = {};
};

// Palette slots of the four fixed colours, and how many more the 16 entries leave.
inline constexpr int kFixedPaletteSlots = 4;
inline constexpr int kExtraPaletteSlots = 12;

struct YCrCb
{
    int y = 0;
    int cr = 0;
    int cb = 0;
    bool operator==(const YCrCb&) const = default;
};

// "RRGGBB", upper-case hex (background blue: "0000FF").
std::string ToRgbHex(ColorValue colour);

// Y, Cr and Cb, each 0..255, computed in 80-bit extended precision in a fixed order and
// truncated toward zero (so 1,148,60 gives Y 93, where double precision would give 94).
YCrCb ToYCrCb(ColorValue colour);

// "YYCRCB", upper-case hex (white: "FF807F").
std::string ToYCrCbHex(ColorValue colour);

// "YY CR CB" with one space between the pairs (white: "FF 80 7F").
std::string ToYCrCbSpaced(ColorValue colour);

// "palette: " and 16 entries: slots 0..3 (antialias, outline, text, background) and the extra
// colours in the mode's form, then "000000" for each slot left. No line end.
std::string PaletteLine(PaletteMode mode, const OutputColours& colours);

// "custom colors: ..." in its off form, or, in the two-palettes mode, on with the RGB forms of
// background, text, outline and antialias (pixel values 0..3). No line end.
std::string CustomColourLine(PaletteMode mode, const OutputColours& colours);

} // namespace lumelle
