#include "render/BlockLayout.h"

#include "render/PictureLayout.h"
#include "render/ShapedLine.h"

#include <algorithm>
#include <iterator>

namespace lumelle {

namespace {

// The height of the band of a block of lines `heights` high: their cells, less the gap
// (offset_or) between each two, and six rows below.
qint64 bandHeight(const std::vector<int>& heights, const RenderSettings& s)
{
    qint64 height =
        ScaledLength(s, 6) - (qint64(heights.size()) - 1) * ScaledLength(s, s.offset_or);
    for (int h : heights)
        height += h;
    return height;
}

// Where the lines of a block go: the text cells' top-left corners and the band.
struct BlockLayout
{
    std::vector<QPoint> cells;
    int bandTop = 0;
    int bandHeight = 0;
    bool fits = true; // false when the band is taller than the frame
};

// The rows of a block's lines, top to bottom, at its place in a frame `H` high.
std::vector<int> lineRows(const std::vector<LinePieces>& lines, int anchor, BlockRow row,
                          const RenderSettings& s, int H)
{
    const int n = int(lines.size());
    std::vector<int> ys(std::size_t(n), 0);
    const auto h = [&lines](int k) { return lines[std::size_t(k)].height; };
    const double scale = FrameScale(s);
    const int gap = ScaledLength(s, s.offset_or);
    // Each line above another placed so that the line below it lies where LineBelowY puts it.
    const auto stackUpFrom = [&](int k) {
        for (; k >= 0; --k)
            ys[std::size_t(k)] = ys[std::size_t(k + 1)] - LineBelowY(0, h(k + 1), gap);
    };
    if (row != BlockRow::Bottom) {
        ys[0] = TopLineY(s.offset, scale);
        for (int k = 1; k < n; ++k)
            ys[std::size_t(k)] = LineBelowY(ys[std::size_t(k - 1)], h(k), gap);
        if (row == BlockRow::Middle) {
            const int height = ys[std::size_t(n - 1)] + h(n - 1) - ys[0];
            const int shift = (H - height) / 2 - ys[0];
            for (int& y : ys)
                y += shift;
        }
        return ys;
    }
    anchor = std::clamp(anchor, 0, n - 1);
    const int first = FirstLineY(H, h(anchor), s.offset, scale);
    if (n - anchor > 2) {
        // A third line and more would reach into the rows an overscan hides: the last line
        // stands where a two-line subtitle's second line does, the others above it.
        ys[std::size_t(n - 1)] = LineBelowY(first, h(n - 1), gap);
        stackUpFrom(n - 2);
        return ys;
    }
    ys[std::size_t(anchor)] = first;
    for (int k = anchor + 1; k < n; ++k)
        ys[std::size_t(k)] = LineBelowY(ys[std::size_t(k - 1)], h(k), gap);
    stackUpFrom(anchor - 1);
    return ys;
}

BlockLayout layOut(const std::vector<LinePieces>& lines, int anchor, const RenderSettings& s,
                   QSize frame, BlockRow row = BlockRow::Bottom, const QString& align = QString())
{
    BlockLayout layout;
    const int W = frame.width();
    const int H = frame.height();
    const int n = int(lines.size());
    if (n == 0)
        return layout;
    const std::vector<int> ys = lineRows(lines, anchor, row, s, H);
    const QString& column = align.isEmpty() ? s.align : align;

    // The band starts on an even row at or above the top line.
    int top = (ys[0] & 1) ? ys[0] - 1 : ys[0];
    std::vector<int> heights;
    heights.reserve(lines.size());
    for (const LinePieces& line : lines)
        heights.push_back(line.height);
    const qint64 height = bandHeight(heights, s);
    if (height > H) {
        layout.fits = false;
        return layout;
    }
    // Moved by an even number of rows so that the top stays even: up when the band leaves
    // the frame at the bottom, then down when it leaves it at the top.
    int shift = 0;
    if (top + height > H)
        shift = -int(top + height - H + 1) / 2 * 2;
    if (top + shift < 0)
        shift = -top;
    layout.bandTop = top + shift;
    layout.bandHeight = int(height);
    for (int k = 0; k < n; ++k) {
        const LinePieces& line = lines[std::size_t(k)];
        layout.cells.emplace_back(LineX(column, W, line.width, FrameScale(s)),
                                  ys[std::size_t(k)] + shift);
    }
    return layout;
}

std::vector<LinePieces> piecesOf(const std::vector<StyledText>& lines, const RenderSettings& s)
{
    std::vector<LinePieces> pieces;
    pieces.reserve(lines.size());
    for (const StyledText& line : lines)
        pieces.push_back(styledPieces(line, s, PieceUse::Draw));
    return pieces;
}

} // namespace

std::optional<PictureLayout> layOutBlocks(const std::vector<PlacedBlock>& blocks,
                                          const RenderSettings& s, QSize frame)
{
    PictureLayout picture;
    int bandEnd = 0;
    bool first = true;
    for (const PlacedBlock& block : blocks) {
        std::vector<LinePieces> pieces = piecesOf(block.lines, s);
        const BlockLayout layout = layOut(pieces, block.anchor, s, frame, block.row, block.align);
        if (!layout.fits)
            return std::nullopt;
        if (pieces.empty())
            continue;
        // Both tops are even, so the band's top stays even.
        const int end = layout.bandTop + layout.bandHeight;
        picture.bandTop = first ? layout.bandTop : std::min(picture.bandTop, layout.bandTop);
        bandEnd = first ? end : std::max(bandEnd, end);
        first = false;
        std::move(pieces.begin(), pieces.end(), std::back_inserter(picture.pieces));
        picture.cells.insert(picture.cells.end(), layout.cells.begin(), layout.cells.end());
    }
    picture.bandHeight = bandEnd - picture.bandTop;
    return picture;
}

bool BlockFitsFrame(const std::vector<StyledText>& lines, const RenderSettings& s)
{
    std::vector<int> heights;
    heights.reserve(lines.size());
    for (const StyledText& line : lines)
        heights.push_back(lineHeight(line, s));
    return lines.empty() || bandHeight(heights, s) <= OutputFrameSize(s).height();
}

bool BlocksFitFrame(const std::vector<PlacedBlock>& blocks, const RenderSettings& s)
{
    return std::all_of(blocks.begin(), blocks.end(),
                       [&s](const PlacedBlock& b) { return BlockFitsFrame(b.lines, s); });
}

} // namespace lumelle
