// The seam between what is read and what is written: one picture of the stream and when it
// shows. A source draws these in show order; a writer turns them into one output form.
#pragma once

#include "render/Picture.h"

#include <QSize>
#include <array>
#include <cstdint>

namespace lumelle {

// When a picture shows and hides, in frames of the run's rate, and the subtitle that names it
// in messages (from 1). `forced`: shown even when the viewer turned subtitles off.
struct PictureTimes
{
    int start = 0;
    int end = 0; // may lie at or before the start, as the file gave it
    int number = 0;
    bool forced = false;
    int stream = 0; // of an output with several streams: the input, from 0 in the order given
};

// How a writer wants its pictures drawn: four inks at the DVD frame of the video standard
// (layers), or full colour with alpha at `frame`.
struct PictureForm
{
    bool colour = false;
    QSize frame; // with `colour`: the frame the pictures are drawn in
    // With layers: how many columns left of its place in the layers the writer shows a pixel.
    // A source that places its drawing where another renderer put it draws that much further
    // right, so that the picture shows in the renderer's place.
    int columnShift = 0;
};

// One drawn picture. Four inks: frame-sized layers (each pixel background, outline, antialias
// ring or text, with the colour each layer is painted in) and the rows that hold the drawing.
// Full colour: `colour` holds the drawing with alpha and its place in the frame.
struct TimedPicture
{
    PictureTimes times;
    const LayerMasks* layers = nullptr;
    int bandTop = 0;
    int bandHeight = 0; // 0 when nothing of the drawing lies inside the frame
    // How opaque the outline, antialias and text layers show, 0 (not at all) to 15 (wholly):
    // a fading picture shows through.
    std::array<std::uint8_t, 3> opacity{15, 15, 15};
    const ColourImage* colour = nullptr;
};

} // namespace lumelle
