// The drawn pictures that sources hand to writers: a DVD picture as layers of bit rows (with the
// frame-sized pixels a preview shows), and a full-colour picture with alpha.
#pragma once

#include "platform/Colour.h"

#include <QImage>
#include <QRect>
#include <algorithm>
#include <cstdint>
#include <vector>

namespace lumelle {

// A colour value as the pixels of a picture hold it, opaque.
constexpr QRgb toRgb(ColorValue c)
{
    return qRgb(redOf(c), greenOf(c), blueOf(c));
}

// A drawing as layers of bit rows, frame-sized: each pixel's layer is 0 (the blue background),
// 1 (outline), 2 (antialias ring) or 3 (text), its low bit in `low` and its high bit in `high`,
// each row `words` 64-bit words with the leftmost pixel in the lowest bit. A later line drawn
// over an earlier one replaces its layers, as its colours replace the earlier colours. The
// encoder codes runs from these words instead of comparing 24-bit pixels.
struct LayerMasks
{
    int width = 0;
    int height = 0;
    int words = 0;
    std::vector<std::uint64_t> low;
    std::vector<std::uint64_t> high;
    ColorValue colours[4] = {}; // what each layer is painted in, 24-bit
    // Rows that may hold a set bit (first > last: none); the next drawing clears only these.
    int firstDirty = 0;
    int lastDirty = -1;

    const std::uint64_t* lowRow(int row) const { return low.data() + std::size_t(row) * words; }
    const std::uint64_t* highRow(int row) const { return high.data() + std::size_t(row) * words; }

    // Empties the layers for a new drawing in a frame of `frame`'s size: sized anew when the
    // frame changed, else only the rows drawn last time cleared; no row is then dirty.
    void clearFor(QSize frame)
    {
        const int rowWords = (frame.width() + 63) / 64;
        if (width != frame.width() || height != frame.height()) {
            width = frame.width();
            height = frame.height();
            words = rowWords;
            low.assign(std::size_t(words) * std::size_t(height), 0);
            high.assign(low.size(), 0);
        } else if (firstDirty <= lastDirty) {
            const auto first = std::ptrdiff_t(firstDirty) * words;
            const auto end = std::ptrdiff_t(lastDirty + 1) * words;
            std::fill(low.begin() + first, low.begin() + end, 0);
            std::fill(high.begin() + first, high.begin() + end, 0);
        }
        firstDirty = height;
        lastDirty = -1;
    }
};

// One subtitle drawn for output. `pixels` is frame-sized Format_RGB32 (bytes B, G, R, 0xFF per
// pixel); `bandTop`/`bandHeight` are the rows the encoder reads, always inside the frame.
// `masks` holds the same drawing as layers. With `paintPixels` false only the masks are drawn
// and `pixels` is left as it was (an encoder needs no more; a preview needs the pixels).
struct SubtitleImage
{
    QImage pixels;
    int bandTop = 0;
    int bandHeight = 0;
    LayerMasks masks;
    bool paintPixels = true;
};

// One subtitle drawn in full colour for a form that shows alpha (Blu-ray): `argb`
// (Format_ARGB32_Premultiplied) holds the part of the frame drawn on, `box` where that part
// lies in the frame; everything outside it is transparent. An empty box: nothing drawn.
struct ColourImage
{
    QImage argb;
    QRect box;
};

} // namespace lumelle
