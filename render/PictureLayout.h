// The lines of a picture shaped and placed: what the two renderers draw. For the drawing inside
// render/ only.
#pragma once

#include "render/BlockLayout.h"
#include "render/RenderSettings.h"
#include "render/ShapedLine.h"

#include <QPoint>
#include <QSize>
#include <optional>
#include <vector>

namespace lumelle {

// The lines of every block with the cells they are drawn at, and the band that holds them all.
struct PictureLayout
{
    std::vector<LinePieces> pieces;
    std::vector<QPoint> cells;
    int bandTop = 0;
    int bandHeight = 0;
};

// The blocks shaped and placed in a frame of `frame`'s size as RenderSubtitleBlocks places
// them; nullopt when a block is taller than the frame.
std::optional<PictureLayout> layOutBlocks(const std::vector<PlacedBlock>& blocks,
                                          const RenderSettings& s, QSize frame);

} // namespace lumelle
