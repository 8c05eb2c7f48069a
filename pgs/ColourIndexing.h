// From a full-colour drawing to what the Blu-ray stream holds: the one or two boxes of the frame
// that hold the drawing (a top and a bottom subtitle shown together get one each), and the
// pixels reduced to at most 254 colours with alpha and a transparent entry (entry 0xFF unused).
#pragma once

#include "pgs/PgsSegments.h"
#include "render/Picture.h"

#include <vector>

namespace lumelle::pgs {

// Objects are at least this wide and high: some players refuse smaller ones.
constexpr int kMinObjectSide = 8;

// The boxes (frame coordinates) that hold every pixel of `image` that is not wholly
// transparent: one, or two (top first) when an eighth of the frame's rows or more between them
// are empty (a top and a bottom subtitle) and two boxes cover fewer pixels than one. Each is at
// least kMinObjectSide square, inside `frame`. None when nothing was drawn.
std::vector<QRect> ObjectBoxes(const ColourImage& image, QSize frame);

// The pixels of `boxes` as palette indexes: index 0 is transparent, the other colours are the
// drawing's own (unpremultiplied) when they are at most 254, else the averages of the fewest
// groups of near colours that bring them down to 254. Palette entries in Y/Cr/Cb (BT.709 when
// `highDefinition`, else BT.601), only those used, ordered by index.
IndexedPicture IndexColours(const ColourImage& image, const std::vector<QRect>& boxes,
                            bool highDefinition);

} // namespace lumelle::pgs
