#include "vobsub/SubpictureEncoder.h"

#include "platform/ByteWriter.h"
#include "platform/Error.h"
#include "vobsub/Timing.h"

#include <QtGlobal>
#include <algorithm>
#include <bit>
#include <cstring>

namespace lumelle {

namespace {

// Subpicture control commands.
constexpr std::uint8_t kCmdForcedStartDisplay = 0x00; // shown even with subtitles turned off
constexpr std::uint8_t kCmdStartDisplay = 0x01;
constexpr std::uint8_t kCmdStopDisplay = 0x02;
constexpr std::uint8_t kCmdSetColour = 0x03;
constexpr std::uint8_t kCmdSetContrast = 0x04;
constexpr std::uint8_t kCmdSetDisplayArea = 0x05;
constexpr std::uint8_t kCmdSetFieldOffsets = 0x06;
constexpr std::uint8_t kCmdEnd = 0xFF;

// Pixel value 0 shows in the background's slot 3.
constexpr std::uint8_t kBackgroundSlot = 3;

constexpr int kMaxCoordinate = 0xFFF; // 12-bit display-area fields

// Sizes of the parts of the unit around the pixel-data area (see finishUnit).
constexpr std::size_t kUnitHeaderSize = 4;   // size + offset of the first control sequence
constexpr std::size_t kFieldStartInArea = 2; // the area opens with two zero bytes
constexpr std::size_t kAreaEndSize = 2;      // and closes with two more
// The first control sequence: delay 2, next offset 2, start display 1, colours 1 + 2,
// contrast 1 + 2, display area 1 + 6, field offsets 1 + 4, end 1.
constexpr std::size_t kFirstControlSize = 2 + 2 + 1 + 3 + 3 + 7 + 5 + 1;
// The second: delay 2, next offset 2, stop display 1, end 1.
constexpr std::size_t kSecondControlSize = 2 + 2 + 1 + 1;
// The area's two closing zero bytes double as the first sequence's delay, so after the area
// come the rest of the first sequence and the whole second one.
constexpr std::size_t kControlAfterArea = kFirstControlSize - kAreaEndSize + kSecondControlSize;
static_assert(kFirstControlSize == 24 && kControlAfterArea == 28);

// A band row outside the picture or beyond the 12-bit display-area field.
Error scanLineOutOfRange()
{
    return Error(QStringLiteral("Scan line index out of range"));
}

// What the first control sequence says besides its fixed commands.
struct DisplayArea
{
    unsigned x1, x2, y1, y2;
};
struct FirstControl
{
    unsigned secondControl = 0;
    DisplayArea area{};
    unsigned topFieldOffset = 0;
    unsigned bottomFieldOffset = 0;
    InkSlots inkSlots;
    bool forced = false;
    std::uint16_t contrast = kOpaqueContrast;
};

// The first control sequence, shown at once: from its delay (the area's closing zero bytes)
// to its end command.
void writeFirstControl(ByteWriter& w, const FirstControl& c)
{
    w.u16(0);               // 2: delay 0, also the closing zero bytes of the area
    w.u16(c.secondControl); // 2: offset of the next sequence
    w.u8(c.forced ? kCmdForcedStartDisplay : kCmdStartDisplay); // 1
    w.u8(kCmdSetColour);                                        // 1 + 2: a nibble each for
    w.u8(std::uint8_t((c.inkSlots.antialias & 0xF) << 4 |
                      (c.inkSlots.outline & 0xF)));                       // values 3, 2
    w.u8(std::uint8_t(((c.inkSlots.text & 0xF) << 4) | kBackgroundSlot)); // 1, 0
    w.u8(kCmdSetContrast);                                                // 1 + 2
    w.u16(c.contrast);
    w.u8(kCmdSetDisplayArea); // 1 + 6: x1, x2, y1, y2 as 12-bit numbers
    const DisplayArea& a = c.area;
    w.u8(a.x1 >> 4);
    w.u8(((a.x1 & 0xF) << 4) | (a.x2 >> 8));
    w.u8(a.x2 & 0xFF);
    w.u8(a.y1 >> 4);
    w.u8(((a.y1 & 0xF) << 4) | (a.y2 >> 8));
    w.u8(a.y2 & 0xFF);
    w.u8(kCmdSetFieldOffsets); // 1 + 4
    w.u16(c.topFieldOffset);
    w.u16(c.bottomFieldOffset);
    w.u8(kCmdEnd); // 1
}

} // namespace

std::uint8_t ClassifyPixel(int r, int g, int b, const OutputColours& colours)
{
    const ColorValue pixel = makeColor(r, g, b);
    std::uint8_t value = kPixelBackground;
    if (pixel == colours.antialias)
        value = kPixelAntialias;
    if (pixel == colours.outline)
        value = kPixelOutline;
    if (pixel == colours.text)
        value = kPixelText;
    if (pixel == kBackgroundBlue)
        value = kPixelBackground;
    return value;
}

std::uint16_t StopDelay(std::int64_t startFrame, std::int64_t endFrame, FrameRate rate)
{
    // Duration in 90 kHz ticks divided by 1024: (frames x 90 000 000) / (rate x 1024). A
    // difference beyond 10^11 frames saturates the field anyway; bounding it keeps the product
    // inside 64 bits.
    const std::int64_t divisor = rate.divisor() * kTicksPerDelayUnit;
    const std::int64_t frames = std::clamp(endFrame - startFrame, -kFrameBound, kFrameBound);
    const std::int64_t delay = DivideRoundHalfEven(frames * kTicksPerSecondTimesThousand, divisor);
    return std::uint16_t(std::clamp<std::int64_t>(delay, 0, 0xFFFF));
}

void CheckSubpictureBand(int width, int height, int bandTop, int bandHeight)
{
    if (bandHeight < 1)
        throw scanLineOutOfRange();
    if (width < 2 || width - 1 > kMaxCoordinate)
        throw Error(QStringLiteral("The subtitle picture must be 2 to 4096 pixels wide."));
    const int bandBottom = bandTop + bandHeight - 1;
    if (bandBottom > kMaxCoordinate) // beyond the 12-bit display-area field
        throw scanLineOutOfRange();
    if (bandTop < 0 || bandBottom >= height)
        throw scanLineOutOfRange();
}

namespace {

// Completes a unit whose first six bytes are reserved and whose fields follow them (the top
// field `topSize` bytes long): fills in the header, adds the control sequences.
void finishUnit(std::vector<std::uint8_t>& unit, std::size_t topSize, int width, int bandTop,
                int bandHeight, int startFrame, int endFrame, FrameRate rate, int subtitleNumber,
                InkSlots inkSlots, bool forced, std::uint16_t contrast)
{
    const std::size_t fieldsSize = unit.size() - kUnitHeaderSize - kFieldStartInArea;
    // Pixel-data area: two zero bytes, the top field, the bottom field, two zero bytes.
    const std::size_t areaSize = kFieldStartInArea + fieldsSize + kAreaEndSize;
    const bool oddArea = areaSize % 2 != 0;
    const std::size_t unitSize = kUnitHeaderSize + areaSize + kControlAfterArea + (oddArea ? 1 : 0);
    if (unitSize > kMaxSubpictureSize) {
        throw Error(QStringLiteral("Subtitle %1 needs %2 bytes, more than a subpicture can hold "
                                   "(%3). Please use smaller font.")
                        .arg(subtitleNumber)
                        .arg(qulonglong(unitSize))
                        .arg(qulonglong(kMaxSubpictureSize)));
    }

    FirstControl first;
    first.inkSlots = inkSlots;
    first.forced = forced;
    first.contrast = contrast;
    first.topFieldOffset = unsigned(kUnitHeaderSize + kFieldStartInArea);
    first.bottomFieldOffset = first.topFieldOffset + unsigned(topSize);
    first.area = {0, unsigned(width - 1), unsigned(bandTop), unsigned(bandTop + bandHeight - 1)};
    // The first control sequence starts on the area's closing zero bytes: they are its delay.
    const unsigned firstControl = unsigned(kUnitHeaderSize + areaSize - kAreaEndSize);
    first.secondControl = firstControl + unsigned(kFirstControlSize);

    unit.reserve(unitSize);
    unit[0] = std::uint8_t(unitSize >> 8); // 2: unit size
    unit[1] = std::uint8_t(unitSize);
    unit[2] = std::uint8_t(firstControl >> 8); // 2: offset of the first control sequence
    unit[3] = std::uint8_t(firstControl);
    unit[4] = unit[5] = 0; // 2: the area's two opening zero bytes
    ByteWriter w(unit);
    writeFirstControl(w, first);

    // Second control sequence: hide after the duration; it points at itself, so it is last.
    // A delay of 0 would leave the picture up until the next one: at least one unit.
    w.u16(std::max<std::uint16_t>(1, StopDelay(startFrame, endFrame, rate))); // 2: delay
    w.u16(first.secondControl); // 2: offset of the next sequence
    w.u8(kCmdStopDisplay);      // 1
    w.u8(kCmdEnd);              // 1
    if (oddArea)
        w.u8(0xFF); // 1: keeps the unit's size even

    Q_ASSERT(unit.size() == unitSize);
}

// Writes codes nibble by nibble into a buffer, two to a byte. The caller makes the buffer
// large enough: a row of `width` pixels takes at most width / 2 + 3 bytes, since no code has
// more nibbles than the pixels it covers.
class NibbleWriter
{
public:
    explicit NibbleWriter(std::uint8_t* out) : m_out(out) {}

    std::uint8_t* position() const { return m_out; }

    void code(unsigned length, unsigned value)
    {
        // 1 nibble for 1-3 pixels, 2 for 4-15, 3 for 16-63, 4 for 64-255.
        const int nibbles = (std::bit_width(length) + 1) / 2;
        m_bits = (m_bits << (4 * nibbles)) | (length * 4 + (value & 3));
        m_count += nibbles;
        if (m_count >= 8) {
            // Eight nibbles out at once, most significant first.
            m_count -= 8;
            const auto word = std::uint32_t(m_bits >> (4 * m_count));
            const std::uint8_t bytes[4] = {std::uint8_t(word >> 24), std::uint8_t(word >> 16),
                                           std::uint8_t(word >> 8), std::uint8_t(word)};
            std::memcpy(m_out, bytes, sizeof bytes);
            m_out += 4;
        }
    }

    // A run cut into codes of at most kMaxCodeLength pixels; a zero-length run writes nothing.
    void run(int length, unsigned value)
    {
        for (; length > kMaxCodeLength; length -= kMaxCodeLength)
            code(kMaxCodeLength, value);
        if (length > 0)
            code(unsigned(length), value);
    }

    // Pads the row to a whole byte with a 0 nibble and adds the end-of-line code.
    void endRow()
    {
        if (m_count % 2 != 0) {
            m_bits <<= 4;
            ++m_count;
        }
        for (; m_count > 0; m_count -= 2)
            *m_out++ = std::uint8_t(m_bits >> (4 * (m_count - 2)));
        m_bits = 0;
        *m_out++ = 0;
        *m_out++ = 0;
    }

private:
    std::uint8_t* m_out;
    std::uint64_t m_bits = 0; // the waiting nibbles in the lowest 4 x m_count bits
    int m_count = 0;          // nibbles waiting: at most 7 between codes
};

// What the layers mean for the coder. Pixels are compared by colour, so layers painted in one
// colour form one run: `same[l]` is the lowest layer of layer l's colour. `value[l]` is the
// pixel value of layer l's colour.
struct LayerCoding
{
    int same[4];
    std::uint8_t value[4];
};

LayerCoding layerCoding(const LayerMasks& masks, const OutputColours& colours)
{
    LayerCoding coding{};
    for (int l = 0; l < 4; ++l) {
        const ColorValue c = masks.colours[l];
        coding.value[l] = ClassifyPixel(redOf(c), greenOf(c), blueOf(c), colours);
        coding.same[l] = l;
        for (int m = 0; m < l; ++m) {
            if (masks.colours[m] == c) {
                coding.same[l] = m;
                break;
            }
        }
    }
    return coding;
}

// One of the two bits (`bit`) of the colour classes of 64 pixels with layer bits low, high.
std::uint64_t sameBit(const LayerCoding& coding, int bit, std::uint64_t low, std::uint64_t high)
{
    const std::uint64_t layer[4] = {~high & ~low, ~high & low, high & ~low, high & low};
    std::uint64_t out = 0;
    for (int l = 0; l < 4; ++l) {
        if ((coding.same[l] >> bit) & 1)
            out |= layer[l];
    }
    return out;
}

// Codes one row of layers as the runs of the pixels it stands for: runs of one colour over
// columns 0 .. width - 2, the first one pixel shorter and the last one pixel longer, then the
// end-of-line code.
void encodeMaskRow(const std::uint64_t* low, const std::uint64_t* high, int width,
                   const LayerCoding& coding, bool distinctColours, NibbleWriter& writer)
{
    // The writer's state is copied here and back: its byte stores could otherwise alias it
    // (and the layers), so that every code would reload them from memory.
    NibbleWriter out = writer;
    struct WriteBack
    {
        NibbleWriter& to;
        const NibbleWriter& from;
        ~WriteBack() { to = from; }
    } writeBack{writer, out};
    // The pixel value of each layer, two bits each.
    const unsigned values = unsigned(coding.value[0]) | unsigned(coding.value[1]) << 2 |
                            unsigned(coding.value[2]) << 4 | unsigned(coding.value[3]) << 6;
    const auto layerAt = [&](int x) {
        return int((low[x >> 6] >> (x & 63)) & 1) | (int((high[x >> 6] >> (x & 63)) & 1) << 1);
    };
    const auto valueAt = [&](int x) { return coding.value[layerAt(x)]; };
    if (width == 2) {
        // A lone run: background unless columns 0 and 1 differ.
        const bool differ = coding.same[layerAt(0)] != coding.same[layerAt(1)];
        out.run(1, differ ? valueAt(0) : unsigned(kPixelBackground));
        out.endRow();
        return;
    }
    const int last = width - 2; // the last column examined
    // The first run counts one pixel less: it is coded as if it started at column 1.
    int runStart = 1;
    unsigned value = valueAt(0);
    std::uint64_t carryLow = 0, carryHigh = 0;
    const int words = last / 64 + 1;
    for (int k = 0; k < words; ++k) {
        const std::uint64_t layerLow = low[k], layerHigh = high[k];
        std::uint64_t c0 = layerLow, c1 = layerHigh;
        if (!distinctColours) {
            const std::uint64_t s0 = sameBit(coding, 0, c0, c1);
            c1 = sameBit(coding, 1, c0, c1);
            c0 = s0;
        }
        // Bit x set: column x has another colour than column x - 1.
        std::uint64_t changes = (c0 ^ ((c0 << 1) | carryLow)) | (c1 ^ ((c1 << 1) | carryHigh));
        carryLow = c0 >> 63;
        carryHigh = c1 >> 63;
        if (k == 0)
            changes &= ~std::uint64_t(1);
        if (k == last / 64 && (last & 63) != 63)
            changes &= (std::uint64_t(2) << (last & 63)) - 1;
        while (changes) {
            const int bit = std::countr_zero(changes);
            changes &= changes - 1;
            const int x = k * 64 + bit;
            out.run(x - runStart, value);
            runStart = x;
            const unsigned layer =
                unsigned((layerLow >> bit) & 1) | unsigned((layerHigh >> bit) & 1) << 1;
            value = (values >> (2 * layer)) & 3;
        }
    }
    out.run(last + 2 - runStart, value);
    out.endRow();
}

} // namespace

std::vector<std::uint8_t> SubpictureUnit(std::span<const std::uint8_t> fields, std::size_t topSize,
                                         int width, int bandTop, int bandHeight, int startFrame,
                                         int endFrame, FrameRate rate, int subtitleNumber,
                                         InkSlots inkSlots, bool forced, std::uint16_t contrast)
{
    std::vector<std::uint8_t> unit;
    unit.reserve(kUnitHeaderSize + kFieldStartInArea + fields.size() + kControlAfterArea + 3);
    unit.resize(kUnitHeaderSize + kFieldStartInArea);
    unit.insert(unit.end(), fields.begin(), fields.end());
    finishUnit(unit, topSize, width, bandTop, bandHeight, startFrame, endFrame, rate,
               subtitleNumber, inkSlots, forced, contrast);
    return unit;
}

std::vector<std::uint8_t> EncodeSubpictureFromMasks(const LayerMasks& masks, int bandTop,
                                                    int bandHeight, const OutputColours& colours,
                                                    int startFrame, int endFrame, FrameRate rate,
                                                    int subtitleNumber, InkSlots inkSlots,
                                                    bool forced, std::uint16_t contrast)
{
    // The renderer always starts the band on an even row. Fields are taken relative to
    // bandTop, so even an odd start would still give decodable fields.
    Q_ASSERT(bandTop % 2 == 0);
    rate.divisor(); // a zero rate is refused before any work
    CheckSubpictureBand(masks.width, masks.height, bandTop, bandHeight);
    const int bandBottom = bandTop + bandHeight - 1;

    const LayerCoding coding = layerCoding(masks, colours);
    const bool distinct = coding.same[1] == 1 && coding.same[2] == 2 && coding.same[3] == 3;
    // The fields are coded into this thread's scratch buffer, sized for the worst case, then
    // copied into a unit of their exact size.
    thread_local std::vector<std::uint8_t> scratch;
    const std::size_t rowBound = std::size_t(masks.width) / 2 + 3;
    scratch.resize(std::max(scratch.size(), rowBound * std::size_t(bandHeight)));
    NibbleWriter out(scratch.data());
    for (int row = bandTop; row <= bandBottom; row += 2)
        encodeMaskRow(masks.lowRow(row), masks.highRow(row), masks.width, coding, distinct, out);
    const std::size_t topSize = std::size_t(out.position() - scratch.data());
    for (int row = bandTop + 1; row <= bandBottom; row += 2)
        encodeMaskRow(masks.lowRow(row), masks.highRow(row), masks.width, coding, distinct, out);
    const std::size_t fieldsSize = std::size_t(out.position() - scratch.data());
    return SubpictureUnit({scratch.data(), fieldsSize}, topSize, masks.width, bandTop, bandHeight,
                          startFrame, endFrame, rate, subtitleNumber, inkSlots, forced, contrast);
}

} // namespace lumelle
