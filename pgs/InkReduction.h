// A full-colour picture turned into the four inks of a DVD picture: the transparent
// background, the outline, the antialias ring and the text. Pixels are sorted by where their
// colour lies between the picture's outline and text colours and by how opaque they are, so a
// smooth edge lands in the ring and the picture's alpha in each ink's contrast.
#pragma once

#include "platform/Colour.h"
#include "render/Picture.h"

#include <QSize>
#include <array>
#include <cstdint>

namespace lumelle::pgs {

// The two colours a picture is drawn with, as read (straight RGB).
struct SourceInks
{
    QRgb text = qRgb(255, 255, 255);
    QRgb outline = qRgb(0, 0, 0);
};

// The inks the layers are painted in.
struct LayerInks
{
    ColorValue text;
    ColorValue outline;
    ColorValue antialias;
};

struct InkBand
{
    int top = 0;
    int height = 0;                                  // 0: nothing lies in the frame
    std::array<std::uint8_t, 3> opacity{15, 15, 15}; // outline, antialias, text: 0..15
};

// Frame-sized layers, the rows drawn last time cleared and none marked drawn, each layer's
// ink set.
void ReadyMasks(LayerMasks& masks, QSize frame, const LayerInks& inks);

// Paints `image.pixels` (frame-sized) as the DVD shows the layers: each in its ink over the
// blue background.
void PaintLayers(SubtitleImage& image, QSize frame);

// Sorts `image` (premultiplied, at image.box in a frame of `frame`'s size; clipped to it)
// into frame-sized `masks`, clearing the rows the last picture drew.
InkBand ReduceToInks(const ColourImage& image, QSize frame, const SourceInks& source,
                     const LayerInks& inks, LayerMasks& masks);

} // namespace lumelle::pgs
