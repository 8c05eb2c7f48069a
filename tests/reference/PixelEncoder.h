// The tests' reference subpicture encoder: codes a drawn RGB picture pixel by pixel, the plain
// way, so that the program's layer encoder (EncodeSubpictureFromMasks) can be checked against
// it byte for byte. The program itself never runs this code.
#pragma once

#include "vobsub/SubpictureEncoder.h"

#include <QImage>
#include <cstdint>
#include <vector>

namespace lumelle {

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

// The whole subpicture unit for rows bandTop .. bandTop + bandHeight - 1 of `image` over its
// full width. `image` holds blue, green, red in its first three bytes per pixel (Format_RGB32
// or the like); other formats are converted first. Refuses what the program's encoder refuses.
std::vector<std::uint8_t> EncodeSubpicture(const QImage& image, int bandTop, int bandHeight,
                                           const OutputColours& colours, int startFrame,
                                           int endFrame, FrameRate rate, int subtitleNumber);

} // namespace lumelle
