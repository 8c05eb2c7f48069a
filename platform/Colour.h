// Colour values as the colour lists hold them: 24-bit RGB in one integer, red in the lowest
// byte, then green, then blue (0x00BBGGRR).
#pragma once

#include <cstdint>

namespace lumelle {

using ColorValue = std::uint32_t;

constexpr ColorValue makeColor(int r, int g, int b)
{
    return ColorValue(r & 0xFF) | (ColorValue(g & 0xFF) << 8) | (ColorValue(b & 0xFF) << 16);
}
constexpr int redOf(ColorValue c)
{
    return int(c & 0xFF);
}
constexpr int greenOf(ColorValue c)
{
    return int((c >> 8) & 0xFF);
}
constexpr int blueOf(ColorValue c)
{
    return int((c >> 16) & 0xFF);
}

// The background of every output picture: pure blue.
constexpr ColorValue kBackgroundBlue = makeColor(0, 0, 255);

} // namespace lumelle
