#include "render/LayerRenderer.h"

#include "render/OutlinedLine.h"
#include "render/PictureLayout.h"
#include "render/ShapedLine.h"

#include <algorithm>
#include <cstddef>
#include <optional>
#include <utility>
#include <vector>

namespace lumelle {

namespace {

// The output background, as the pixels hold it.
constexpr QRgb kBlue = toRgb(kBackgroundBlue);

ColorValue plainColour(ColorValue c)
{
    return makeColor(redOf(c), greenOf(c), blueOf(c));
}

// Empties the masks for a new drawing in a frame of `frame`'s size with `s`'s colours.
void prepareMasks(LayerMasks& masks, const RenderSettings& s, QSize frame)
{
    masks.clearFor(frame);
    masks.colours[0] = kBackgroundBlue;
    masks.colours[1] = plainColour(s.outlineColor);
    masks.colours[2] = plainColour(s.secondText ? s.secondText->colour : s.antialiasColor);
    masks.colours[3] = plainColour(s.textColor);
}

// Where the last drawings went, so that drawing into the same, untouched picture again
// refills only the rectangle drawn on. Keyed by QImage::cacheKey(), which changes with every
// write to a picture, so an entry stands only while its picture is unchanged since; a few
// pictures per thread are remembered.
class PaintedAreas
{
public:
    std::optional<QRect> take(qint64 key)
    {
        for (auto it = m_entries.begin(); it != m_entries.end(); ++it) {
            if (it->first == key) {
                const QRect rect = it->second;
                m_entries.erase(it);
                return rect;
            }
        }
        return std::nullopt;
    }
    void remember(qint64 key, const QRect& rect)
    {
        if (m_entries.size() >= kEntries)
            m_entries.erase(m_entries.begin());
        m_entries.emplace_back(key, rect);
    }

private:
    static constexpr std::size_t kEntries = 8;
    std::vector<std::pair<qint64, QRect>> m_entries;
};

PaintedAreas& paintedAreas()
{
    thread_local PaintedAreas areas;
    return areas;
}

void fillRect(QImage& image, const QRect& rect, QRgb colour)
{
    const QRect area = rect.intersected(image.rect());
    if (area.isEmpty())
        return;
    uchar* bits = image.bits();
    const qsizetype bpl = image.bytesPerLine();
    for (int r = area.top(); r <= area.bottom(); ++r) {
        auto* line = reinterpret_cast<QRgb*>(bits + bpl * r);
        std::fill(line + area.left(), line + area.right() + 1, colour);
    }
}

// Fills the output picture with blue, refilling only what the last drawing into it painted
// when it is unchanged since.
void prepareOutput(QImage& pixels, const RenderSettings& s)
{
    const QSize frame = OutputFrameSize(s);
    const std::optional<QRect> lastPainted = paintedAreas().take(pixels.cacheKey());
    if (pixels.size() != frame || pixels.format() != QImage::Format_RGB32) {
        pixels = QImage(frame, QImage::Format_RGB32);
        pixels.fill(kBlue);
    } else if (lastPainted) {
        // Only the rectangle the last subtitle drew on differs from blue.
        fillRect(pixels, *lastPainted, kBlue);
    } else {
        pixels.fill(kBlue);
    }
}

QSize outputFrame(const RenderSettings& s)
{
    return OutputFrameSize(s);
}

// Draws a subtitle for output: `draw(surface, masks)` draws every line into the masks and,
// when the image's pixels are wanted, onto the blue picture, and returns what it painted there.
template <typename Draw> void drawOutput(SubtitleImage& image, const RenderSettings& s, Draw draw)
{
    prepareMasks(image.masks, s, outputFrame(s));
    if (!image.paintPixels) {
        draw(nullptr, image.masks);
        return;
    }
    prepareOutput(image.pixels, s);
    const Painted painted = draw(&image.pixels, image.masks);
    paintedAreas().remember(image.pixels.cacheKey(), painted.rect);
}

} // namespace

bool DrawSubtitleBlocks(QImage& surface, const std::vector<PlacedBlock>& blocks,
                        const RenderSettings& s, QSize frame)
{
    const std::optional<PictureLayout> layout = layOutBlocks(blocks, s, frame);
    if (!layout)
        return false;
    for (std::size_t k = 0; k < layout->pieces.size(); ++k)
        drawLine(surface, layout->pieces[k], layout->cells[k].x(), layout->cells[k].y(), s);
    return true;
}

bool DrawSubtitleBlock(QImage& surface, const std::vector<StyledText>& lines, int anchor,
                       const RenderSettings& s, QSize frame)
{
    return DrawSubtitleBlocks(surface, {PlacedBlock{lines, anchor, BlockRow::Bottom, {}}}, s,
                              frame);
}

bool RenderSubtitleBlocks(SubtitleImage& image, const std::vector<PlacedBlock>& blocks,
                          const RenderSettings& s)
{
    const std::optional<PictureLayout> layout = layOutBlocks(blocks, s, outputFrame(s));
    if (!layout)
        return false;
    image.bandTop = layout->bandTop;
    image.bandHeight = layout->bandHeight;
    drawOutput(image, s, [&](QImage* surface, LayerMasks& masks) {
        Painted painted;
        for (std::size_t k = 0; k < layout->pieces.size(); ++k)
            painted.add(drawLine(surface, outputFrame(s), layout->pieces[k], layout->cells[k].x(),
                                 layout->cells[k].y(), s, &masks)
                            .rect);
        return painted;
    });
    return true;
}

bool RenderSubtitleBlock(SubtitleImage& image, const std::vector<StyledText>& lines, int anchor,
                         const RenderSettings& s)
{
    return RenderSubtitleBlocks(image, {PlacedBlock{lines, anchor, BlockRow::Bottom, {}}}, s);
}

void DrawOutlinedText(QImage& surface, const QString& text, int x, int y, const RenderSettings& s)
{
    drawLine(
        surface,
        plainPieces(fontEntry(s.fontName, FontPixelSize(s), s.fontStyle), text, PieceUse::Draw), x,
        y, s);
}

} // namespace lumelle
