// Turns one drawn subtitle into one DVD subpicture unit: a two-field, run-length-coded bitmap
// of 2-bit pixels followed by a "show" and a "hide after the duration" control sequence.
#pragma once

#include "render/Picture.h"
#include "subtitle/FrameRate.h"
#include "vobsub/Palette.h"

#include <array>
#include <cstdint>
#include <span>
#include <vector>

namespace lumelle {

// The palette slot text pixels are shown in unless a picture names another.
constexpr int kTextPaletteSlot = 2;

// The palette slots pixel values 1 (text), 2 (outline) and 3 (antialias) show in. A picture
// with a second text colour shows it in the antialias value's slot.
struct InkSlots
{
    int text = kTextPaletteSlot;
    int outline = 1;
    int antialias = 0;
};

// Largest unit the 16-bit size field can describe.
constexpr std::size_t kMaxSubpictureSize = 65535;

// Pixel values of the subpicture bitmap.
enum PixelValue : std::uint8_t {
    kPixelBackground = 0,
    kPixelText = 1,
    kPixelOutline = 2,
    kPixelAntialias = 3,
};

// Pixel value of one drawn pixel. The tests run in the order antialias, outline, text, blue and
// the last match wins: text beats outline beats antialias, and pure blue beats every user
// colour. A pixel matching nothing is background.
std::uint8_t ClassifyPixel(int r, int g, int b, const OutputColours& colours);

// The longest run one code of a row can carry.
constexpr int kMaxCodeLength = 255;

// Delay of the hide command in units of 1024/90000 s: the duration in exact integer
// arithmetic, rounded half to even, clamped to 0..65535 (a longer subtitle shows for the
// longest time the field holds; an end before the start gives 0).
std::uint16_t StopDelay(std::int64_t startFrame, std::int64_t endFrame, FrameRate rate);

// How far left of its column in the layers a pixel shows: a row's runs start at column 1.
inline constexpr int kCodedColumnShift = 1;

// The set-contrast command's value: a nibble each for pixel values 3, 2, 1 and 0 (antialias,
// outline, text, background), 0 transparent to 15 opaque.
inline constexpr std::uint16_t kOpaqueContrast = 0xFFF0;
// The contrast of a picture whose text, outline and antialias layers show `opacity` (0..15
// each, by layer: outline, antialias, text).
constexpr std::uint16_t ContrastOf(const std::array<std::uint8_t, 3>& opacity)
{
    return std::uint16_t((opacity[1] & 0xF) << 12 | (opacity[0] & 0xF) << 8 |
                         (opacity[2] & 0xF) << 4);
}

// Refuses, before any coding, a picture of `width` x `height` pixels and a band of it that
// the unit cannot describe: "The subtitle picture must be 2 to 4096 pixels wide.", or "Scan
// line index out of range" for an empty band, one outside the picture, or one reaching past
// the 12-bit display-area field.
void CheckSubpictureBand(int width, int height, int bandTop, int bandHeight);

// The whole unit around the coded rows of a band: `fields` holds the top field (rows bandTop,
// bandTop + 2, ...; its first `topSize` bytes), then the bottom field, each row ended by its
// end-of-line code. Refuses a unit above 65535 bytes with a message naming `subtitleNumber`.
// Pixel values show in the palette slots of `inkSlots`. A `forced` unit opens with the forced-start
// command instead of the plain start, so that players show it even when subtitles are turned
// off.
std::vector<std::uint8_t> SubpictureUnit(std::span<const std::uint8_t> fields, std::size_t topSize,
                                         int width, int bandTop, int bandHeight, int startFrame,
                                         int endFrame, FrameRate rate, int subtitleNumber,
                                         InkSlots inkSlots = {}, bool forced = false,
                                         std::uint16_t contrast = kOpaqueContrast);

// The subpicture unit of rows bandTop .. bandTop + bandHeight - 1 of the drawing's layers
// (`masks`) over their full width, each layer's colour classified by ClassifyPixel. In a row,
// neighbouring pixels of one colour form a run; the first run is one pixel shorter than its
// stretch and the last column is never examined (the end-of-line code supplies it as
// background), so a player shows column x at x - kCodedColumnShift. Runs are found word by word
// with bit scans. Refuses what CheckSubpictureBand refuses and a zero frame rate before any work.
std::vector<std::uint8_t> EncodeSubpictureFromMasks(const LayerMasks& masks, int bandTop,
                                                    int bandHeight, const OutputColours& colours,
                                                    int startFrame, int endFrame, FrameRate rate,
                                                    int subtitleNumber, InkSlots inkSlots = {},
                                                    bool forced = false,
                                                    std::uint16_t contrast = kOpaqueContrast);

} // namespace lumelle
