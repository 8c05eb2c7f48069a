// libass's images (an alpha mask each, in one colour, of a character, an outline or a shadow)
// turned into pictures: blended in full colour, or sorted into the four layers of a DVD
// picture.
#pragma once

#include "platform/Colour.h"
#include "render/Picture.h"

#include <QImage>
#include <array>
#include <ass/ass.h>
#include <cstdint>
#include <vector>

namespace lumelle {

// Blends `images` in their order onto `surface` (Format_ARGB32_Premultiplied or
// Format_RGB32, frame-sized; images are clipped to it), each pixel by the mask's alpha times
// the colour's opacity. `matrix` corrects the colours as AssShownColour does.
void BlendAssImages(const ASS_Image* images, QImage& surface,
                    ASS_YCbCrMatrix matrix = YCBCR_DEFAULT);

// Draws `images` in full colour for a form that shows alpha: `image.box` becomes the part of
// a frame of `frame`'s size they draw on, `image.argb` that part, transparent where nothing is
// drawn, the images blended over each other as BlendAssImages does.
void DrawAssColourImage(const ASS_Image* images, QSize frame, ASS_YCbCrMatrix matrix,
                        ColourImage& image);

// The three inks of a DVD picture besides the transparent background.
struct AssInks
{
    ColorValue text;
    ColorValue outline;
    ColorValue antialias;
    // The antialias ink is a second text colour: characters nearer to it go to its layer, and
    // shadows to the outline layer; no character edge takes it.
    bool secondText = false;
    // The text is blurred (\blur, \be): without an outline its edge lies outside what libass
    // shows as the letters, so there it is see-through (or, when the antialias layer holds a
    // shadow, drawn only over the shadow), not a ring in the opaque antialias ink.
    bool blurred = false;
};

// Sorts `images` into the layers of `masks` (frame-sized, `frame`), by kind and not by
// colour: a character's pixels to the text layer (or to the outline or antialias layer when
// its colour is nearer to that ink, as karaoke's second colour may be), outlines and boxes to
// the outline layer, shadows to the antialias layer. The colours' transparency (a fade, a
// see-through box) becomes each layer's opacity, the most opaque image of the layer deciding;
// a pixel belongs to a layer when its mask covers at least half of it at that opacity, and a
// character's edge pixels covered a quarter to a half take the antialias layer (unless that
// layer holds a second text colour). Blurred text without an outline gives its edge the
// antialias layer at the edge's own coverage (three eighths of the text's opacity), or, when a
// shadow or a character holds the antialias layer, only where it lies over something drawn. Later
// images lie over earlier ones. Each pixel lands `columnShift` columns right of where libass drew
// it (for a writer that shows it that far left, PictureForm::columnShift). The band holds the rows
// drawn (top on an even row; height 0 when nothing lies in the frame). `scratch` is reused between
// calls.
struct AssBand
{
    int top = 0;
    int height = 0;
    std::array<std::uint8_t, 3> opacity{15, 15, 15}; // outline, antialias, text: 0..15
};
AssBand AssImagesToLayers(const ASS_Image* images, QSize frame, const AssInks& inks,
                          ASS_YCbCrMatrix matrix, LayerMasks& masks,
                          std::vector<std::uint8_t>& scratch, int columnShift = 0);

} // namespace lumelle
