// Where the lines of a picture stand in the frame: blocks of lines at the bottom, in the middle
// or at the top, each line's cell, and the band of rows that holds them.
#pragma once

#include "render/RenderSettings.h"
#include "render/TextShaping.h"

#include <QString>
#include <vector>

namespace lumelle {

// Where a block of lines stands: its row in the frame and its column ("left", "center",
// "right", as the window's alignment names them).
enum class BlockRow { Bottom, Middle, Top };

// A block of lines (top to bottom) drawn at one place of the frame. Bottom blocks have at
// least two lines and `anchor` as RenderSubtitleBlock reads it; the other rows ignore it.
struct PlacedBlock
{
    std::vector<StyledText> lines;
    int anchor = 0;
    BlockRow row = BlockRow::Bottom;
    QString align;
};

// True when every block fits the frame's height.
bool BlocksFitFrame(const std::vector<PlacedBlock>& blocks, const RenderSettings& s);

// True when `lines` fit the frame's height when placed as a block. Only the fonts' heights
// count.
bool BlockFitsFrame(const std::vector<StyledText>& lines, const RenderSettings& s);

} // namespace lumelle
