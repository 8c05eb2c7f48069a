// The full-colour drawing for forms that show alpha (Blu-ray): smooth glyphs ringed by the
// antialias and outline colours, placed from a cache of glyph coverages.
#pragma once

#include "render/BlockLayout.h"
#include "render/Picture.h"
#include "render/RenderSettings.h"

#include <vector>

namespace lumelle {

// Draws the blocks as RenderSubtitleBlocks places them, in the frame OutputFrameSize(s), in
// full colour: the glyphs' outlines filled with smooth (antialiased) edges in the text colour,
// ringed by the antialias colour (one pixel of a 576-row frame) and the outline colour (out to
// the outline width), with real alpha where they meet the video. False, with nothing drawn,
// when a block is taller than the frame.
bool RenderColourBlocks(ColourImage& image, const std::vector<PlacedBlock>& blocks,
                        const RenderSettings& s);

} // namespace lumelle
