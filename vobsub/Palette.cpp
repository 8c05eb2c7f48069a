#include "vobsub/Palette.h"

#include <cstdio>
#include <limits>

// The Y/Cr/Cb values must come out the same as on the machines whose files users compare
// against: x87 extended precision, each operation rounded on its own. Fast-math reorders and
// fuses operations, which changes the truncated results for whole-number cases.
#if defined(__FAST_MATH__)
#error "Palette.cpp must not be compiled with -ffast-math"
#endif
static_assert(std::numeric_limits<long double>::digits == 64,
              "the colour conversion needs the 80-bit extended format (64-bit significand)");
static_assert(std::numeric_limits<long double>::round_style == std::round_to_nearest);

namespace lumelle {

namespace {

std::string hexPair(int value)
{
    char buffer[3];
    std::snprintf(buffer, sizeof buffer, "%02X", value & 0xFF);
    return buffer;
}

std::string joinedForms(const OutputColours& c, std::string (*form)(ColorValue))
{
    // Slot order: antialias, outline, text, background.
    return form(c.antialias) + ", " + form(c.outline) + ", " + form(c.text) + ", " +
           form(kBackgroundBlue);
}

bool writesYCrCbPalette(PaletteMode mode)
{
    return mode == PaletteMode::DvdOnly || mode == PaletteMode::PcDvdTwoPalettes;
}

} // namespace

std::string ToRgbHex(ColorValue colour)
{
    return hexPair(redOf(colour)) + hexPair(greenOf(colour)) + hexPair(blueOf(colour));
}

YCrCb ToYCrCb(ColorValue colour)
{
    const long double r = redOf(colour);
    const long double g = greenOf(colour);
    const long double b = blueOf(colour);

    // Each operation is rounded on its own, in the order the brackets give: no reordering, no
    // fused multiply-add (the build passes -ffp-contract=off; x87 has no FMA anyway).
    const long double y = (r * 0.3L + g * 0.5869L) + b * 0.11398L;
    const long double cr = ((r * 0.5L + 128.0L) - g * 0.41868L) - b * 0.0813L;
    const long double cb = ((b * 0.5L + 128.0L) - r * 0.16883L) - g * 0.33121L;

    // Conversion to int truncates toward zero; the values always lie in 0..255.
    return YCrCb{int(y), int(cr), int(cb)};
}

std::string ToYCrCbHex(ColorValue colour)
{
    const YCrCb v = ToYCrCb(colour);
    return hexPair(v.y) + hexPair(v.cr) + hexPair(v.cb);
}

std::string ToYCrCbSpaced(ColorValue colour)
{
    const YCrCb v = ToYCrCb(colour);
    return hexPair(v.y) + " " + hexPair(v.cr) + " " + hexPair(v.cb);
}

std::string PaletteLine(PaletteMode mode, const OutputColours& colours)
{
    std::string line = "palette: ";
    const auto form = writesYCrCbPalette(mode) ? ToYCrCbHex : ToRgbHex;
    line += joinedForms(colours, form);
    for (int i = 0; i < kExtraPaletteSlots; ++i)
        line += ", " + (std::size_t(i) < colours.extra.size() ? form(colours.extra[std::size_t(i)])
                                                              : std::string("000000"));
    return line;
}

std::string CustomColourLine(PaletteMode mode, const OutputColours& colours)
{
    if (mode != PaletteMode::PcDvdTwoPalettes)
        return "custom colors: OFF, tridx: 0000, colors: 000000, 000000, 000000, 000000";
    // Pixel-value order 0..3: background, text, outline, antialias; "1000" marks value 0 as
    // the transparent one.
    return "custom colors: ON, tridx: 1000, colors: " + ToRgbHex(kBackgroundBlue) + ", " +
           ToRgbHex(colours.text) + ", " + ToRgbHex(colours.outline) + ", " +
           ToRgbHex(colours.antialias);
}

} // namespace lumelle
