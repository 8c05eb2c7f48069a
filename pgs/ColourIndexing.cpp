#include "pgs/ColourIndexing.h"

#include <algorithm>
#include <unordered_map>

namespace lumelle::pgs {

namespace {

constexpr int kMaxColours = 255; // index 0 is the transparent entry

// The pixel at frame position (x, y); transparent outside the drawing.
QRgb pixelAt(const ColourImage& image, int x, int y)
{
    if (!image.box.contains(x, y))
        return 0;
    const auto* row = reinterpret_cast<const QRgb*>(image.argb.constScanLine(y - image.box.top()));
    return row[x - image.box.left()];
}

// Rows [first, last] of the drawing and the columns its pixels use there; empty when none.
QRect usedArea(const ColourImage& image, int first, int last)
{
    int left = image.box.right() + 1, right = image.box.left() - 1;
    int top = -1, bottom = -1;
    for (int y = first; y <= last; ++y) {
        const auto* row =
            reinterpret_cast<const QRgb*>(image.argb.constScanLine(y - image.box.top()));
        int l = 0;
        const int w = image.box.width();
        while (l < w && qAlpha(row[l]) == 0)
            ++l;
        if (l == w)
            continue;
        int r = w - 1;
        while (qAlpha(row[r]) == 0)
            --r;
        left = std::min(left, image.box.left() + l);
        right = std::max(right, image.box.left() + r);
        if (top < 0)
            top = y;
        bottom = y;
    }
    if (top < 0)
        return QRect();
    return QRect(QPoint(left, top), QPoint(right, bottom));
}

bool rowEmpty(const ColourImage& image, int y)
{
    const auto* row = reinterpret_cast<const QRgb*>(image.argb.constScanLine(y - image.box.top()));
    return std::all_of(row, row + image.box.width(), [](QRgb p) { return qAlpha(p) == 0; });
}

// Grown to the smallest object side, kept inside the frame.
QRect atLeastMinimum(QRect box, QSize frame)
{
    const auto grow = [](int start, int length, int limit) {
        const int wanted = std::min(std::max(length, kMinObjectSide), limit);
        start = std::clamp(start - (wanted - length) / 2, 0, limit - wanted);
        return std::pair{start, wanted};
    };
    const auto [x, w] = grow(box.x(), box.width(), frame.width());
    const auto [y, h] = grow(box.y(), box.height(), frame.height());
    return QRect(x, y, w, h);
}

std::int64_t area(const QRect& r)
{
    return std::int64_t(r.width()) * r.height();
}

} // namespace

std::vector<QRect> ObjectBoxes(const ColourImage& image, QSize frame)
{
    if (image.box.isEmpty() || image.argb.isNull())
        return {};
    const QRect drawn = image.box.intersected(QRect(QPoint(0, 0), frame));
    if (drawn.isEmpty())
        return {};
    const QRect whole = usedArea(image, drawn.top(), drawn.bottom());
    if (whole.isEmpty())
        return {};
    // The longest run of empty rows inside the drawing parts it in two.
    int gapStart = -1, gapLength = 0;
    for (int y = whole.top(); y <= whole.bottom();) {
        if (!rowEmpty(image, y)) {
            ++y;
            continue;
        }
        int end = y;
        while (end <= whole.bottom() && rowEmpty(image, end))
            ++end;
        if (end - y > gapLength) {
            gapStart = y;
            gapLength = end - y;
        }
        y = end;
    }
    std::vector<QRect> boxes{atLeastMinimum(whole, frame)};
    // Only subtitles far apart (a top and a bottom one) are parted, not the lines of one.
    if (gapLength >= frame.height() / 8) {
        const QRect top = atLeastMinimum(usedArea(image, whole.top(), gapStart - 1), frame);
        const QRect bottom =
            atLeastMinimum(usedArea(image, gapStart + gapLength, whole.bottom()), frame);
        if (!top.intersects(bottom) && area(top) + area(bottom) < area(boxes.front()))
            boxes = {top, bottom};
    }
    return boxes;
}

IndexedPicture IndexColours(const ColourImage& image, const std::vector<QRect>& boxes,
                            bool highDefinition)
{
    // Every colour the pixels use, unpremultiplied, and how many pixels use it.
    std::unordered_map<QRgb, std::uint32_t> uses;
    for (const QRect& box : boxes) {
        for (int y = box.top(); y <= box.bottom(); ++y)
            for (int x = box.left(); x <= box.right(); ++x)
                if (const QRgb p = pixelAt(image, x, y); qAlpha(p) != 0)
                    ++uses[qUnpremultiply(p)];
    }
    // Fewer bits per channel until the groups of colours that share them are few enough.
    int drop = 0;
    const auto groupOf = [&drop](QRgb c) {
        const QRgb mask = (0xFFu >> drop << drop) * 0x01010101u;
        return c & mask;
    };
    for (;; ++drop) {
        std::unordered_map<QRgb, char> groups;
        for (const auto& [colour, count] : uses) {
            groups.emplace(groupOf(colour), 0);
            if (groups.size() > std::size_t(kMaxColours))
                break;
        }
        if (groups.size() <= std::size_t(kMaxColours))
            break;
    }
    // Each group is shown in the average of its colours, weighted by their pixels.
    struct Sum
    {
        std::uint64_t a = 0, r = 0, g = 0, b = 0, n = 0;
    };
    std::unordered_map<QRgb, Sum> sums;
    for (const auto& [colour, count] : uses) {
        Sum& s = sums[groupOf(colour)];
        s.a += std::uint64_t(qAlpha(colour)) * count;
        s.r += std::uint64_t(qRed(colour)) * count;
        s.g += std::uint64_t(qGreen(colour)) * count;
        s.b += std::uint64_t(qBlue(colour)) * count;
        s.n += count;
    }
    std::vector<QRgb> keys;
    keys.reserve(sums.size());
    for (const auto& entry : sums)
        keys.push_back(entry.first);
    std::sort(keys.begin(), keys.end()); // the same palette for the same picture

    IndexedPicture picture;
    picture.palette.push_back(PaletteEntry{}); // 0: transparent
    std::unordered_map<QRgb, std::uint8_t> indexOf;
    for (std::size_t i = 0; i < keys.size(); ++i) {
        const Sum& s = sums[keys[i]];
        const auto mean = [&s](std::uint64_t total) { return int((total + s.n / 2) / s.n); };
        PaletteEntry e =
            ToPaletteColour(mean(s.r), mean(s.g), mean(s.b), mean(s.a), highDefinition);
        e.id = std::uint8_t(i + 1);
        picture.palette.push_back(e);
        indexOf.emplace(keys[i], e.id);
    }
    for (const QRect& box : boxes) {
        IndexedObject object{box, std::vector<std::uint8_t>(std::size_t(area(box)), 0)};
        std::size_t at = 0;
        for (int y = box.top(); y <= box.bottom(); ++y)
            for (int x = box.left(); x <= box.right(); ++x, ++at)
                if (const QRgb p = pixelAt(image, x, y); qAlpha(p) != 0)
                    object.pixels[at] = indexOf.at(groupOf(qUnpremultiply(p)));
        picture.objects.push_back(std::move(object));
    }
    return picture;
}

} // namespace lumelle::pgs
