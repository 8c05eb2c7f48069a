// Turns one drawn subtitle into one DVD subpicture unit: a two-field, run-length-coded bitmap
// of 2-bit pixels followed by a "show" and a "hide after the duration" control sequence.
#pragma once

#include "render/Renderer.h"
#include "subtitle/FrameRate.h"
#include "vobsub/Palette.h"

#include <QImage>
#include <cstdint>
#include <vector>

namespace lumelle {

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

struct Run
{
    std::int32_t length = 0;
    std::int32_t value = 0;
    bool operator==(const Run&) const = default;
};

// Runs of one row of `width` pixels, each `bytesPerPixel` bytes starting blue, green, red.
// Pixels are compared by their raw bytes; the lengths add up to width - 1: the first run is
// one pixel shorter than the stretch of equal pixels at the row's start and the last column is
// never examined (the end-of-line code supplies it as background).
std::vector<Run> RowRuns(const std::uint8_t* row, int width, int bytesPerPixel,
                         const OutputColours& colours);

// Appends the nibbles of one run (split into codes of at most 255 pixels) to `nibbles`.
void AppendRunNibbles(std::vector<std::uint8_t>& nibbles, const Run& run);

// Bytes of one coded row: the runs' nibbles two to a byte (a 0 nibble added when their count
// is odd), then the two zero bytes of the end-of-line code.
std::vector<std::uint8_t> EncodeRow(const std::vector<Run>& runs);

// Delay of the hide command in units of 1024/90000 s: the duration in exact integer
// arithmetic, rounded half to even, clamped to 0..65535 (a longer subtitle shows for the
// longest time the field holds; an end before the start gives 0).
std::uint16_t StopDelay(std::int64_t startFrame, std::int64_t endFrame, FrameRate rate);

// The whole subpicture unit for rows bandTop .. bandTop + bandHeight - 1 of `image` over its
// full width. `image` holds blue, green, red in its first three bytes per pixel (Format_RGB32
// or the like); other formats are converted first. Throws Error("Scan line index out of
// range") for a band row outside the image, and refuses a unit above 65535 bytes with a
// message naming `subtitleNumber`.
std::vector<std::uint8_t> EncodeSubpicture(const QImage& image, int bandTop, int bandHeight,
                                           const OutputColours& colours, int startFrame,
                                           int endFrame, FrameRate rate, int subtitleNumber);

// The same unit coded from the drawing's layers (`masks`) instead of its pixels: byte for
// byte what EncodeSubpicture gives for the picture the layers describe, with the same
// refusals. Runs are found word by word with bit scans, and the unit is built in one buffer.
std::vector<std::uint8_t> EncodeSubpictureFromMasks(const LayerMasks& masks, int bandTop,
                                                    int bandHeight, const OutputColours& colours,
                                                    int startFrame, int endFrame, FrameRate rate,
                                                    int subtitleNumber);

} // namespace lumelle
