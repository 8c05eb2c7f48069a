#include "ass/AssImages.h"

#include "ass/AssScript.h"

#include <QPoint>
#include <QRect>
#include <QSize>
#include <algorithm>
#include <cstring>

namespace lumelle {

namespace {

// The part of `image` inside a frame of `width` x `height`: columns [x0, x1), rows [y0, y1).
struct Clip
{
    int x0, x1, y0, y1;
    bool empty() const { return x0 >= x1 || y0 >= y1; }
};

Clip clipOf(const ASS_Image& image, int width, int height)
{
    return {std::max(image.dst_x, 0), std::min(image.dst_x + image.w, width),
            std::max(image.dst_y, 0), std::min(image.dst_y + image.h, height)};
}

// The opacity of a libass colour, 0..255: its low byte is the transparency.
int opacityOf(std::uint32_t colour)
{
    return 255 - int(colour & 0xFF);
}

// The coverage of a mask value under the colour's transparency, 0..255.
int coverage(int mask, std::uint32_t colour)
{
    return (mask * opacityOf(colour) + 127) / 255;
}

int distance(ColorValue a, ColorValue b)
{
    const int r = redOf(a) - redOf(b), g = greenOf(a) - greenOf(b), bl = blueOf(a) - blueOf(b);
    return r * r + g * g + bl * bl;
}

constexpr std::uint8_t kBackground = 0, kOutline = 1, kAntialias = 2, kText = 3;

} // namespace

namespace {

// Blends `images` onto `surface`, which holds the part of the frame from `origin` on.
void blendAt(const ASS_Image* images, QImage& surface, QPoint origin, ASS_YCbCrMatrix matrix)
{
    for (const ASS_Image* image = images; image; image = image->next) {
        Clip clip = clipOf(*image, origin.x() + surface.width(), origin.y() + surface.height());
        clip.x0 = std::max(clip.x0, origin.x());
        clip.y0 = std::max(clip.y0, origin.y());
        if (clip.empty())
            continue;
        const ColorValue colour = AssShownColour(image->color, matrix);
        const int red = redOf(colour), green = greenOf(colour), blue = blueOf(colour);
        for (int y = clip.y0; y < clip.y1; ++y) {
            const unsigned char* mask =
                image->bitmap + std::size_t(y - image->dst_y) * std::size_t(image->stride);
            auto* row = reinterpret_cast<QRgb*>(surface.scanLine(y - origin.y())) - origin.x();
            for (int x = clip.x0; x < clip.x1; ++x) {
                const int a = coverage(mask[x - image->dst_x], image->color);
                if (a == 0)
                    continue;
                const QRgb under = row[x];
                const auto mix = [a](int over, int below) {
                    return (over * a + below * (255 - a) + 127) / 255;
                };
                // Premultiplied: the colour weighs by its coverage and what lies under it by
                // the rest; an opaque surface stays opaque.
                row[x] = qRgba(mix(red, qRed(under)), mix(green, qGreen(under)),
                               mix(blue, qBlue(under)), mix(255, qAlpha(under)));
            }
        }
    }
}

} // namespace

void BlendAssImages(const ASS_Image* images, QImage& surface, ASS_YCbCrMatrix matrix)
{
    blendAt(images, surface, QPoint(0, 0), matrix);
}

void DrawAssColourImage(const ASS_Image* images, QSize frame, ASS_YCbCrMatrix matrix,
                        ColourImage& image)
{
    QRect box;
    for (const ASS_Image* one = images; one; one = one->next) {
        const Clip clip = clipOf(*one, frame.width(), frame.height());
        if (!clip.empty())
            box |= QRect(QPoint(clip.x0, clip.y0), QPoint(clip.x1 - 1, clip.y1 - 1));
    }
    image.box = box;
    if (box.isEmpty())
        return;
    if (image.argb.size() != box.size() ||
        image.argb.format() != QImage::Format_ARGB32_Premultiplied)
        image.argb = QImage(box.size(), QImage::Format_ARGB32_Premultiplied);
    image.argb.fill(Qt::transparent);
    blendAt(images, image.argb, box.topLeft(), matrix);
}

namespace {

// Frame-sized layers for `frame`, the rows drawn last time cleared, each layer's ink set.
void readyMasks(LayerMasks& masks, QSize frame, const AssInks& inks)
{
    masks.clearFor(frame);
    masks.colours[0] = kBackgroundBlue;
    masks.colours[1] = inks.outline;
    masks.colours[2] = inks.antialias;
    masks.colours[3] = inks.text;
}

// The layer an image goes to, by its kind: outlines and boxes to the outline layer, shadows to
// the antialias layer, characters to the text layer unless their colour is far from the text
// ink (karaoke's second colour, a second style on screen): then to the nearest of the three.
std::uint8_t layerOf(const ASS_Image& image, const AssInks& inks, ASS_YCbCrMatrix matrix)
{
    if (image.type == ASS_Image::IMAGE_TYPE_OUTLINE)
        return kOutline;
    if (image.type != ASS_Image::IMAGE_TYPE_CHARACTER)
        return inks.secondText ? kOutline : kAntialias;
    const ColorValue colour = AssShownColour(image.color, matrix);
    std::uint8_t layer = kText;
    int best = distance(colour, inks.text);
    if (distance(colour, inks.outline) < best) {
        best = distance(colour, inks.outline);
        layer = kOutline;
    }
    if (distance(colour, inks.antialias) < best)
        layer = kAntialias;
    return layer;
}

// How a character's edge pixels (covered a quarter to a half) are drawn: in the antialias
// layer as opaque as the text (the window's ring between the text and its outline), in it at
// the edge's own coverage (a blurred edge with nothing around it: libass shows it as a fading
// halo, not as part of the letters), or not at all (the antialias layer holds a second text
// colour). A blurred edge over its shadow keeps the ring: the shadow holds the antialias layer,
// which must not fade, and libass's blend of the two shows the edge as ink.
enum class Edge { Ring, SeeThrough, None };

// The middle of an edge pixel's coverage, a quarter to a half, of 255.
constexpr int kEdgeCoverage = 96;

Edge edgeOf(const ASS_Image* images, const AssInks& inks, ASS_YCbCrMatrix matrix)
{
    if (inks.secondText)
        return Edge::None;
    if (!inks.blurred)
        return Edge::Ring;
    bool antialiasHeld = false;
    for (const ASS_Image* image = images; image; image = image->next) {
        if (image->type == ASS_Image::IMAGE_TYPE_OUTLINE)
            return Edge::Ring;
        antialiasHeld = antialiasHeld || layerOf(*image, inks, matrix) == kAntialias;
    }
    return antialiasHeld ? Edge::Ring : Edge::SeeThrough;
}

// Each layer's opacity, 0..255: that of its most opaque image. The text's edge pixels lie in
// the antialias layer, so a text image counts there too, at the edge's coverage when the edge
// is see-through.
std::array<int, 4> layerOpacities(const ASS_Image* images, const AssInks& inks,
                                  ASS_YCbCrMatrix matrix, Edge edge)
{
    std::array<int, 4> opacity{0, 0, 0, 0};
    for (const ASS_Image* image = images; image; image = image->next) {
        const int own = opacityOf(image->color);
        const std::uint8_t layer = layerOf(*image, inks, matrix);
        opacity[layer] = std::max(opacity[layer], own);
        if (layer == kText && edge != Edge::None) {
            const int ring = edge == Edge::SeeThrough ? (own * kEdgeCoverage + 127) / 255 : own;
            opacity[kAntialias] = std::max(opacity[kAntialias], ring);
        }
    }
    return opacity;
}

// The pixels drawn: rows top..bottom and columns left..right, inclusive; bottom < top when none.
struct Drawn
{
    int top, bottom, left, right;
};

// Sorts the images' pixels into `layers` (one byte a pixel, frame-sized, background), later
// images over earlier ones: a pixel takes an image's layer when the mask at the image's
// opacity, measured against its layer's, covers at least half of it; a character's edge pixels
// covered a quarter to a half take the antialias layer unless `edge` leaves them out.
Drawn sortIntoLayers(const ASS_Image* images, int width, int height, const AssInks& inks,
                     ASS_YCbCrMatrix matrix, const std::array<int, 4>& opacity, Edge edge,
                     int shift, std::uint8_t* layers)
{
    Drawn drawn{height, -1, width, -1};
    for (const ASS_Image* image = images; image; image = image->next) {
        // Columns are those libass drew at; each lands `shift` further right.
        const Clip clip = clipOf(*image, width - shift, height);
        const std::uint8_t layer = layerOf(*image, inks, matrix);
        const int own = opacityOf(image->color);
        if (clip.empty() || own == 0)
            continue;
        const int scale = std::max(opacity[layer], 1);
        const bool character = image->type == ASS_Image::IMAGE_TYPE_CHARACTER && edge != Edge::None;
        for (int y = clip.y0; y < clip.y1; ++y) {
            const unsigned char* mask =
                image->bitmap + std::size_t(y - image->dst_y) * std::size_t(image->stride);
            std::uint8_t* row = layers + std::size_t(y) * std::size_t(width) + shift;
            bool rowDrawn = false;
            for (int x = clip.x0; x < clip.x1; ++x) {
                const int a = mask[x - image->dst_x] * own / scale;
                if (a >= 128) {
                    row[x] = layer;
                } else if (character && layer == kText && a >= 64 && row[x] != kText) {
                    row[x] = kAntialias;
                } else {
                    continue;
                }
                rowDrawn = true;
                drawn.left = std::min(drawn.left, x + shift);
                drawn.right = std::max(drawn.right, x + shift);
            }
            if (rowDrawn) {
                drawn.top = std::min(drawn.top, y);
                drawn.bottom = std::max(drawn.bottom, y);
            }
        }
    }
    return drawn;
}

// Sets the bits of `masks` from the drawn part of `layers`: bit 0 of a pixel's layer in the
// low mask, bit 1 in the high one.
void setLayerBits(const std::uint8_t* layers, const Drawn& drawn, LayerMasks& masks)
{
    const auto width = std::size_t(masks.width), words = std::size_t(masks.words);
    for (int y = drawn.top; y <= drawn.bottom; ++y) {
        const std::uint8_t* row = layers + std::size_t(y) * width;
        std::uint64_t* low = masks.low.data() + std::size_t(y) * words;
        std::uint64_t* high = masks.high.data() + std::size_t(y) * words;
        for (int x = drawn.left; x <= drawn.right; ++x) {
            const std::uint64_t bit = std::uint64_t(1) << (x % 64);
            if (row[x] & 1)
                low[x / 64] |= bit;
            if (row[x] & 2)
                high[x / 64] |= bit;
        }
    }
}

} // namespace

AssBand AssImagesToLayers(const ASS_Image* images, QSize frame, const AssInks& inks,
                          ASS_YCbCrMatrix matrix, LayerMasks& masks,
                          std::vector<std::uint8_t>& scratch, int columnShift)
{
    const int width = frame.width(), height = frame.height();
    readyMasks(masks, frame, inks);
    scratch.assign(std::size_t(width) * std::size_t(height), kBackground);
    const Edge edge = edgeOf(images, inks, matrix);
    const std::array<int, 4> opacity = layerOpacities(images, inks, matrix, edge);
    const Drawn drawn =
        sortIntoLayers(images, width, height, inks, matrix, opacity, edge,
                       std::clamp(columnShift, 0, std::max(width - 1, 0)), scratch.data());
    masks.firstDirty = height;
    masks.lastDirty = -1;
    if (drawn.bottom < drawn.top)
        return {};
    setLayerBits(scratch.data(), drawn, masks);
    masks.firstDirty = drawn.top;
    masks.lastDirty = drawn.bottom;
    const int bandTop = drawn.top - drawn.top % 2;
    const auto nibble = [](int value) { return std::uint8_t((value * 15 + 127) / 255); };
    return {bandTop,
            drawn.bottom + 1 - bandTop,
            {nibble(opacity[kOutline]), nibble(opacity[kAntialias]), nibble(opacity[kText])}};
}

} // namespace lumelle
