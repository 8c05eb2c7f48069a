#include "pgs/ColourIndexing.h"

#include "platform/WideVectors.h"

#include <algorithm>
#include <cstring>
#include <utility>
#include <vector>

namespace lumelle::pgs {

namespace {

// Index 0 is the transparent entry; 0xFF stays unused, as discs leave it and some decoders
// take it for transparent.
constexpr int kMaxColours = 254;

// Whether the four pixels from `p` are all transparent.
inline bool fourTransparent(const QRgb* p)
{
    std::uint64_t first, second;
    std::memcpy(&first, p, 8);
    std::memcpy(&second, p + 2, 8);
    return ((first | second) & 0xFF000000FF000000u) == 0;
}

// The columns of a row that its drawn pixels span, from the image's left; left > right when the
// row is wholly transparent.
struct RowSpan
{
    int left;
    int right;
    bool empty() const { return left > right; }
};

// The spans of the image's rows [first, last], looked for from both ends four pixels at a time.
void rowSpans(const ColourImage& image, int first, int last, std::vector<RowSpan>& spans)
{
    spans.clear();
    const int w = image.box.width();
    for (int y = first; y <= last; ++y) {
        const auto* row =
            reinterpret_cast<const QRgb*>(image.argb.constScanLine(y - image.box.top()));
        int l = 0;
        while (l + 4 <= w && fourTransparent(row + l))
            l += 4;
        while (l < w && qAlpha(row[l]) == 0)
            ++l;
        if (l == w) {
            spans.push_back({w, -1});
            continue;
        }
        int r = w - 1;
        while (r - 3 > l && fourTransparent(row + r - 3))
            r -= 4;
        while (qAlpha(row[r]) == 0)
            --r;
        spans.push_back({l, r});
    }
}

// Rows [first, last] of the drawing (frame rows; `spans` starts at row `spanTop`) and the
// columns its pixels use there; empty when none.
QRect usedArea(const ColourImage& image, const std::vector<RowSpan>& spans, int spanTop, int first,
               int last)
{
    int left = image.box.right() + 1, right = image.box.left() - 1;
    int top = -1, bottom = -1;
    for (int y = first; y <= last; ++y) {
        const RowSpan& span = spans[std::size_t(y - spanTop)];
        if (span.empty())
            continue;
        left = std::min(left, image.box.left() + span.left);
        right = std::max(right, image.box.left() + span.right);
        if (top < 0)
            top = y;
        bottom = y;
    }
    if (top < 0)
        return QRect();
    return QRect(QPoint(left, top), QPoint(right, bottom));
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
    thread_local std::vector<RowSpan> spans;
    rowSpans(image, drawn.top(), drawn.bottom(), spans);
    const int spanTop = drawn.top();
    const QRect whole = usedArea(image, spans, spanTop, drawn.top(), drawn.bottom());
    if (whole.isEmpty())
        return {};
    const auto rowEmpty = [&](int y) { return spans[std::size_t(y - spanTop)].empty(); };
    // The longest run of empty rows inside the drawing parts it in two.
    int gapStart = -1, gapLength = 0;
    for (int y = whole.top(); y <= whole.bottom();) {
        if (!rowEmpty(y)) {
            ++y;
            continue;
        }
        int end = y;
        while (end <= whole.bottom() && rowEmpty(end))
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
        const QRect top =
            atLeastMinimum(usedArea(image, spans, spanTop, whole.top(), gapStart - 1), frame);
        const QRect bottom = atLeastMinimum(
            usedArea(image, spans, spanTop, gapStart + gapLength, whole.bottom()), frame);
        if (!top.intersects(bottom) && area(top) + area(bottom) < area(boxes.front()))
            boxes = {top, bottom};
    }
    return boxes;
}

namespace {

// The colours of a picture, each with a number from 1 in the order first met: open addressing
// keyed by the premultiplied pixel, in a power-of-two table kept under a quarter full, so that
// few colours share a home slot. A zero key marks an empty slot. Slot 0 is the transparent
// pixel's (key 0, number 0) and is never given to a colour: 0 is its own home, so a transparent
// pixel is found at once, as most colours are found at theirs, and a pixel costs no branch that
// depends on its neighbours.
class ColourTable
{
public:
    ColourTable() : m_slots(kFirstSize), m_colours(1) {}

    // Numbers the `n` pixels from `row` into `out`.
    void numberRow(const QRgb* row, std::uint32_t* out, int n)
    {
        const Slot* slotsAt = m_slots.data();
        int shift = m_shift;
        for (int i = 0; i < n; ++i) {
            // Premultiplied, a pixel of no alpha is transparent whatever its other channels.
            const QRgb key = (row[i] & 0xFF000000u) != 0 ? row[i] : 0;
            const Slot& slot = slotsAt[home(key, shift)];
            if (slot.key == key) {
                out[i] = slot.number;
                continue;
            }
            out[i] = probe(key);
            slotsAt = m_slots.data();
            shift = m_shift;
        }
    }
    // Premultiplied colours by number; number 0 is the transparent pixel.
    const std::vector<QRgb>& colours() const { return m_colours; }

private:
    struct Slot
    {
        QRgb key = 0;
        std::uint32_t number = 0;
    };

    // The number of a colour not at its home slot, entered when it is new.
    [[gnu::noinline]] std::uint32_t probe(QRgb key)
    {
        const std::size_t mask = m_slots.size() - 1;
        for (std::size_t i = home(key, m_shift);; i = (i + 1) & mask) {
            if (i == 0)
                continue;
            const Slot& slot = m_slots[i];
            if (slot.key == key)
                return slot.number;
            if (slot.key == 0)
                return enter(key, i);
        }
    }

    // Enters a new key into the empty slot `i` (or, when the table is a quarter full, into the
    // grown table); returns its number.
    std::uint32_t enter(QRgb key, std::size_t i)
    {
        if (4 * m_colours.size() > m_slots.size()) {
            grow();
            return probe(key);
        }
        m_slots[i] = {key, std::uint32_t(m_colours.size())};
        m_colours.push_back(key);
        return m_slots[i].number;
    }
    static constexpr int kFirstBits = 12;
    static constexpr std::size_t kFirstSize = std::size_t(1) << kFirstBits;

    // Fibonacci hashing: the high bits of the product mix every bit of the key.
    static std::size_t home(QRgb key, int shift)
    {
        return std::size_t((std::uint64_t(key) * 0x9E3779B97F4A7C15u) >> shift);
    }
    void grow()
    {
        m_slots.assign(m_slots.size() * 2, Slot{});
        --m_shift;
        const std::size_t mask = m_slots.size() - 1;
        for (std::size_t n = 1; n < m_colours.size(); ++n) {
            std::size_t i = home(m_colours[n], m_shift);
            while (i == 0 || m_slots[i].key != 0)
                i = (i + 1) & mask;
            m_slots[i] = {m_colours[n], std::uint32_t(n)};
        }
    }

    std::vector<Slot> m_slots;
    std::vector<QRgb> m_colours;
    int m_shift = 64 - kFirstBits;
};

// Numbers every pixel of `box` (row by row from its top-left) after its colour in `table`, 0
// for a transparent one or one outside the drawing.
LUMELLE_WIDE_VECTORS void numberPixels(const ColourImage& image, const QRect& box,
                                       ColourTable& table, std::vector<std::uint32_t>& numbers)
{
    const QRect part = box.intersected(image.box);
    // The buffer is reused from picture to picture: only what the drawing leaves out of the
    // box needs clearing.
    numbers.resize(std::size_t(area(box)));
    if (part != box)
        std::fill(numbers.begin(), numbers.end(), 0);
    for (int y = part.top(); y <= part.bottom(); ++y) {
        const auto* row =
            reinterpret_cast<const QRgb*>(image.argb.constScanLine(y - image.box.top())) +
            (part.left() - image.box.left());
        std::uint32_t* out = numbers.data() +
                             std::size_t(y - box.top()) * std::size_t(box.width()) +
                             std::size_t(part.left() - box.left());
        // Only the row's drawn span is looked up: its transparent ends are numbered 0 four
        // pixels at a time.
        const int w = part.width();
        int left = 0, right = w;
        while (left + 4 <= w && fourTransparent(row + left))
            left += 4;
        while (right - 4 >= left && fourTransparent(row + right - 4))
            right -= 4;
        std::fill(out, out + left, 0u);
        std::fill(out + right, out + w, 0u);
        table.numberRow(row + left, out + left, right - left);
    }
}

// Each number's index into `to`, through `indexOf`, and the pixels of each number added to
// `counts`. Four tallies, one per pixel of four, so that a run of one colour does not wait
// on its own count.
LUMELLE_WIDE_VECTORS void indexPixels(const std::vector<std::uint32_t>& numbers,
                                      const std::vector<std::uint8_t>& indexOf, std::uint8_t* to,
                                      std::vector<std::uint32_t>& counts)
{
    const std::size_t colours = indexOf.size();
    thread_local std::vector<std::uint32_t> tallies;
    tallies.assign(4 * colours, 0);
    std::uint32_t* t0 = tallies.data();
    std::uint32_t* t1 = t0 + colours;
    std::uint32_t* t2 = t1 + colours;
    std::uint32_t* t3 = t2 + colours;
    // Plain pointers: a byte store could alias the vectors, which would be read again for
    // every pixel.
    const std::uint32_t* from = numbers.data();
    const std::uint8_t* index = indexOf.data();
    const std::size_t n = numbers.size();
    std::size_t i = 0;
    for (; i + 4 <= n; i += 4) {
        to[i] = index[from[i]];
        to[i + 1] = index[from[i + 1]];
        to[i + 2] = index[from[i + 2]];
        to[i + 3] = index[from[i + 3]];
        ++t0[from[i]];
        ++t1[from[i + 1]];
        ++t2[from[i + 2]];
        ++t3[from[i + 3]];
    }
    for (; i < n; ++i) {
        to[i] = index[from[i]];
        ++t0[from[i]];
    }
    for (std::size_t c = 0; c < colours; ++c)
        counts[c] += t0[c] + t1[c] + t2[c] + t3[c];
}

// A colour of the picture, unpremultiplied, and its pixels. Two premultiplied colours may
// become one colour: it is then listed twice, which changes no group's count or average.
struct ColourUse
{
    QRgb colour;
    std::uint32_t count;
};

// The group of colour `c` when each channel leaves out its `drop` low bits.
QRgb groupOf(QRgb c, int drop)
{
    const QRgb mask = (0xFFu >> drop << drop) * 0x01010101u;
    return c & mask;
}

// The groups of a picture's colours, each with its palette index once they are ordered: open
// addressing in a power-of-two table at least four times the colours, so that few groups share
// a home; reused from picture to picture.
class GroupTable
{
public:
    void clear(std::size_t colours)
    {
        std::size_t size = 64;
        m_bits = 6;
        while (size < 4 * colours) {
            size *= 2;
            ++m_bits;
        }
        m_entries.assign(size, Entry{});
    }
    // Enters `group`; true when it is new.
    bool insert(QRgb group)
    {
        Entry& e = m_entries[place(group)];
        if (e.used)
            return false;
        e = {group, true, 0};
        return true;
    }
    void setIndex(QRgb group, std::uint8_t index) { m_entries[place(group)].index = index; }
    std::uint8_t index(QRgb group) const { return m_entries[place(group)].index; }

private:
    struct Entry
    {
        QRgb group = 0;
        bool used = false;
        std::uint8_t index = 0;
    };
    // The place of `group`, or the empty one where it would go.
    std::size_t place(QRgb group) const
    {
        const std::size_t mask = m_entries.size() - 1;
        std::size_t i = std::size_t(std::uint32_t(group * 0x9E3779B1u) >> (32 - m_bits));
        while (m_entries[i].used && m_entries[i].group != group)
            i = (i + 1) & mask;
        return i;
    }

    std::vector<Entry> m_entries;
    int m_bits = 6;
};

// The fewest low bits of each channel to leave out so that the colours fall into at most
// kMaxColours groups; `groups` gets the groups' keys in order and `table` their indexes (from
// 1). Only the last try's few keys are sorted.
int bitsToDrop(const std::vector<ColourUse>& uses, std::vector<QRgb>& groups, GroupTable& table)
{
    for (int drop = 0;; ++drop) {
        table.clear(uses.size());
        groups.clear();
        for (const ColourUse& use : uses) {
            const QRgb group = groupOf(use.colour, drop);
            if (table.insert(group))
                groups.push_back(group);
        }
        if (groups.size() <= std::size_t(kMaxColours)) {
            std::sort(groups.begin(), groups.end());
            for (std::size_t k = 0; k < groups.size(); ++k)
                table.setIndex(groups[k], std::uint8_t(k + 1));
            return drop;
        }
    }
}

// The palette of the groups after index 0 (transparent), in the order of the groups' keys so
// that the same picture gets the same palette: each group in the average of its colours,
// weighted by their pixels. `indexOf[n]` is the index of the group of uses[n - 1].
void paletteOfGroups(const std::vector<ColourUse>& uses, const std::vector<std::uint8_t>& indexOf,
                     std::size_t groups, bool highDefinition, std::vector<PaletteEntry>& palette)
{
    struct Sums
    {
        std::uint64_t a = 0, r = 0, g = 0, b = 0, n = 0;
    };
    std::vector<Sums> sums(groups + 1);
    for (std::size_t i = 0; i < uses.size(); ++i) {
        const ColourUse& use = uses[i];
        Sums& s = sums[indexOf[i + 1]];
        s.a += std::uint64_t(qAlpha(use.colour)) * use.count;
        s.r += std::uint64_t(qRed(use.colour)) * use.count;
        s.g += std::uint64_t(qGreen(use.colour)) * use.count;
        s.b += std::uint64_t(qBlue(use.colour)) * use.count;
        s.n += use.count;
    }
    for (std::size_t k = 1; k <= groups; ++k) {
        const Sums& s = sums[k];
        const std::uint64_t n = s.n;
        const auto mean = [n](std::uint64_t total) { return int((total + n / 2) / n); };
        PaletteEntry e =
            ToPaletteColour(mean(s.r), mean(s.g), mean(s.b), mean(s.a), highDefinition);
        e.id = std::uint8_t(k);
        palette.push_back(e);
    }
}

} // namespace

IndexedPicture IndexColours(const ColourImage& image, const std::vector<QRect>& boxes,
                            bool highDefinition)
{
    // Every colour the pixels use, numbered.
    ColourTable table;
    thread_local std::vector<std::vector<std::uint32_t>> numbers;
    numbers.resize(std::max(numbers.size(), boxes.size()));
    for (std::size_t k = 0; k < boxes.size(); ++k)
        numberPixels(image, boxes[k], table, numbers[k]);
    // The same colours unpremultiplied.
    const std::vector<QRgb>& colours = table.colours();
    std::vector<ColourUse> uses;
    uses.reserve(colours.size());
    for (std::size_t n = 1; n < colours.size(); ++n)
        uses.push_back({qUnpremultiply(colours[n]), 0});
    // Fewer bits per channel until the groups of colours that share them are few enough; each
    // group is one palette entry, in the order of the groups' keys.
    std::vector<QRgb> keys;
    thread_local GroupTable groups;
    const int drop = bitsToDrop(uses, keys, groups);
    // Each pixel's index, through its colour's number, and the pixels of each colour.
    std::vector<std::uint8_t> indexOfNumber(colours.size(), 0);
    for (std::size_t n = 1; n < colours.size(); ++n)
        indexOfNumber[n] = groups.index(groupOf(uses[n - 1].colour, drop));
    std::vector<std::uint32_t> counts(colours.size(), 0);
    IndexedPicture picture;
    for (std::size_t k = 0; k < boxes.size(); ++k) {
        IndexedObject object{boxes[k], std::vector<std::uint8_t>(numbers[k].size())};
        indexPixels(numbers[k], indexOfNumber, object.pixels.data(), counts);
        picture.objects.push_back(std::move(object));
    }
    for (std::size_t n = 1; n < colours.size(); ++n)
        uses[n - 1].count = counts[n];
    // Each group's colour, the average of its colours weighted by their pixels.
    picture.palette.push_back(PaletteEntry{}); // 0: transparent
    paletteOfGroups(uses, indexOfNumber, keys.size(), highDefinition, picture.palette);
    return picture;
}

} // namespace lumelle::pgs
