// The seam between what is read and what is written: one picture of the stream and when it
// shows. A source draws these in show order; a writer turns them into one output form.
#pragma once

#include "render/Renderer.h"

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

// One drawn picture: frame-sized layers (each pixel background, outline, antialias ring or
// text, with the colour each layer is painted in) and the rows that hold the drawing.
struct TimedPicture
{
    PictureTimes times;
    const LayerMasks* layers = nullptr;
    int bandTop = 0;
    int bandHeight = 0; // 0 when nothing of the drawing lies inside the frame
    // How opaque the outline, antialias and text layers show, 0 (not at all) to 15 (wholly):
    // a fading picture shows through.
    std::array<std::uint8_t, 3> opacity{15, 15, 15};
};

} // namespace lumelle
