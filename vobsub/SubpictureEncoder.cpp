#include "vobsub/SubpictureEncoder.h"

#include "platform/Error.h"
#include "vobsub/ByteWriter.h"
#include "vobsub/Timing.h"

#include <QtGlobal>
#include <algorithm>
#include <cstring>

namespace lumelle {

namespace {

// Subpicture control commands.
constexpr std::uint8_t kCmdStartDisplay = 0x01;
constexpr std::uint8_t kCmdStopDisplay = 0x02;
constexpr std::uint8_t kCmdSetColour = 0x03;
constexpr std::uint8_t kCmdSetContrast = 0x04;
constexpr std::uint8_t kCmdSetDisplayArea = 0x05;
constexpr std::uint8_t kCmdSetFieldOffsets = 0x06;
constexpr std::uint8_t kCmdEnd = 0xFF;

// Pixel values 3, 2, 1, 0 -> palette slots 0, 1, 2, 3 (one nibble each).
constexpr std::uint8_t kColourSlots[2] = {0x01, 0x23};
// Pixel values 3, 2, 1 fully opaque, 0 fully transparent.
constexpr std::uint8_t kContrast[2] = {0xFF, 0xF0};

// Lengths a single code can carry, and the nibble widths by length.
constexpr int kMaxCodeLength = 255;
constexpr int kMaxCoordinate = 0xFFF; // 12-bit display-area fields

// Size of the parts of the unit around the pixel-data area (see EncodeSubpicture).
constexpr std::size_t kUnitHeaderSize = 4;    // size + offset of the first control sequence
constexpr std::size_t kFieldStartInArea = 2;  // the area opens with two zero bytes
constexpr std::size_t kControlAfterArea = 28; // from the last area byte's end to the unit end

// The ways an image can hand us blue, green, red as the first three bytes of a pixel.
int directBytesPerPixel(QImage::Format format)
{
    switch (format) {
    case QImage::Format_BGR888:
        return 3;
#if Q_BYTE_ORDER == Q_LITTLE_ENDIAN
    case QImage::Format_RGB32:
    case QImage::Format_ARGB32:
    case QImage::Format_ARGB32_Premultiplied:
        return 4;
#endif
    default:
        return 0;
    }
}

// Row access that refuses a row outside the picture instead of reading past it.
const std::uint8_t* checkedScanLine(const QImage& image, int row)
{
    if (row < 0 || row >= image.height())
        throw Error(QStringLiteral("Scan line index out of range"));
    return image.constScanLine(row);
}

int nibbleCount(int length)
{
    if (length <= 3)
        return 1;
    if (length <= 15)
        return 2;
    if (length <= 63)
        return 3;
    return 4;
}

// One code: length x 4 + value, most significant nibble first.
void appendCode(std::vector<std::uint8_t>& nibbles, int length, int value)
{
    const unsigned code = unsigned(length) * 4 + unsigned(value & 3);
    for (int i = nibbleCount(length) - 1; i >= 0; --i)
        nibbles.push_back(std::uint8_t((code >> (4 * i)) & 0xF));
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

std::vector<Run> RowRuns(const std::uint8_t* row, int width, int bytesPerPixel,
                         const OutputColours& colours)
{
    auto pixel = [&](int x) { return row + std::size_t(x) * std::size_t(bytesPerPixel); };
    auto sameRaw = [&](int a, int b) { return std::memcmp(pixel(a), pixel(b), 3) == 0; };
    auto classOf = [&](int x) {
        const std::uint8_t* p = pixel(x);
        return ClassifyPixel(p[2], p[1], p[0], colours);
    };

    std::vector<Run> runs;
    runs.push_back(Run{0, kPixelBackground});
    if (width < 2)
        return runs;
    if (!sameRaw(0, 1))
        runs.back().value = classOf(0);
    for (int x = 1; x <= width - 2; ++x) {
        if (sameRaw(x, x - 1)) {
            runs.back().length += 1;
            runs.back().value = classOf(x);
        } else {
            runs.push_back(Run{1, classOf(x)});
        }
    }
    runs.back().length += 1;
    return runs;
}

void AppendRunNibbles(std::vector<std::uint8_t>& nibbles, const Run& run)
{
    // A zero-length run has no code of its own: it writes nothing, which keeps the row
    // decodable. Only a first run can be empty, when columns 0 and 1 differ; a left-aligned
    // italic line whose outline reaches the frame's left edge draws exactly that.
    int remaining = run.length;
    while (remaining > 2 * kMaxCodeLength) {
        appendCode(nibbles, kMaxCodeLength, run.value);
        remaining -= kMaxCodeLength;
    }
    if (remaining > kMaxCodeLength) {
        appendCode(nibbles, kMaxCodeLength, run.value);
        remaining -= kMaxCodeLength;
    }
    if (remaining > 0)
        appendCode(nibbles, remaining, run.value);
}

std::vector<std::uint8_t> EncodeRow(const std::vector<Run>& runs)
{
    std::vector<std::uint8_t> nibbles;
    nibbles.reserve(runs.size() * 4 + 1);
    for (const Run& run : runs)
        AppendRunNibbles(nibbles, run);
    if (nibbles.size() % 2 != 0)
        nibbles.push_back(0);

    std::vector<std::uint8_t> bytes;
    bytes.reserve(nibbles.size() / 2 + 2);
    for (std::size_t i = 0; i < nibbles.size(); i += 2)
        bytes.push_back(std::uint8_t((nibbles[i] << 4) | nibbles[i + 1]));
    // End-of-line code: fourteen zero bits and pixel value 0, filling the line as background.
    bytes.push_back(0);
    bytes.push_back(0);
    return bytes;
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

std::vector<std::uint8_t> EncodeSubpicture(const QImage& image, int bandTop, int bandHeight,
                                           const OutputColours& colours, int startFrame,
                                           int endFrame, FrameRate rate, int subtitleNumber)
{
    // The renderer always starts the band on an even row. Fields are taken relative to
    // bandTop, so even an odd start would still give decodable fields.
    Q_ASSERT(bandTop % 2 == 0);
    rate.divisor(); // a zero rate is refused before any work
    if (bandHeight < 1)
        throw Error(QStringLiteral("Scan line index out of range"));

    QImage converted;
    const QImage* source = &image;
    int bytesPerPixel = directBytesPerPixel(image.format());
    if (bytesPerPixel == 0) {
        converted = image.convertToFormat(QImage::Format_BGR888);
        source = &converted;
        bytesPerPixel = 3;
    }
    const int width = source->width();
    if (width < 2 || width - 1 > kMaxCoordinate)
        throw Error(QStringLiteral("The subtitle picture must be 2 to 4096 pixels wide."));
    const int bandBottom = bandTop + bandHeight - 1;
    if (bandBottom > kMaxCoordinate) // beyond the 12-bit display-area field
        throw Error(QStringLiteral("Scan line index out of range"));

    // Pixel-data area: two zero bytes, the top field (rows bandTop, bandTop + 2, ...), the
    // bottom field (rows bandTop + 1, bandTop + 3, ...), two zero bytes.
    std::vector<std::uint8_t> topField;
    std::vector<std::uint8_t> bottomField;
    for (int row = bandTop; row <= bandBottom; ++row) {
        const std::uint8_t* pixels = checkedScanLine(*source, row);
        const std::vector<std::uint8_t> coded =
            EncodeRow(RowRuns(pixels, width, bytesPerPixel, colours));
        std::vector<std::uint8_t>& field = (row - bandTop) % 2 == 0 ? topField : bottomField;
        field.insert(field.end(), coded.begin(), coded.end());
    }
    const std::size_t areaSize = kFieldStartInArea + topField.size() + bottomField.size() + 2;
    const bool oddArea = areaSize % 2 != 0;
    const std::size_t unitSize = kUnitHeaderSize + areaSize + kControlAfterArea + (oddArea ? 1 : 0);
    if (unitSize > kMaxSubpictureSize) {
        throw Error(QStringLiteral("Subtitle %1 needs %2 bytes, more than a subpicture can hold "
                                   "(%3). Please use smaller font.")
                        .arg(subtitleNumber)
                        .arg(qulonglong(unitSize))
                        .arg(qulonglong(kMaxSubpictureSize)));
    }

    const unsigned topFieldOffset = unsigned(kUnitHeaderSize + kFieldStartInArea);
    const unsigned bottomFieldOffset = topFieldOffset + unsigned(topField.size());
    // The first control sequence starts on the last two (zero) bytes of the area: they are its
    // delay. The second follows the 24 bytes of the first.
    const unsigned firstControl = unsigned(kUnitHeaderSize + areaSize - 2);
    const unsigned secondControl = firstControl + 24;

    std::vector<std::uint8_t> unit;
    unit.reserve(unitSize);
    ByteWriter w(unit);
    w.u16(unsigned(unitSize)); // 2: unit size
    w.u16(firstControl);       // 2: offset of the first control sequence
    w.u16(0);                  // 2: the area's two opening zero bytes
    w.bytes(topField.data(), topField.size());
    w.bytes(bottomField.data(), bottomField.size());
    w.u16(0); // 2: closing zero bytes of the area = delay 0 of the first sequence

    // First control sequence: show at once.
    w.u16(secondControl);   // 2: offset of the next sequence
    w.u8(kCmdStartDisplay); // 1
    w.u8(kCmdSetColour);    // 1 + 2
    w.bytes(kColourSlots, 2);
    w.u8(kCmdSetContrast); // 1 + 2
    w.bytes(kContrast, 2);
    w.u8(kCmdSetDisplayArea); // 1 + 6: x1, x2, y1, y2 as 12-bit numbers
    const unsigned x1 = 0;
    const unsigned x2 = unsigned(width - 1);
    const unsigned y1 = unsigned(bandTop);
    const unsigned y2 = unsigned(bandBottom);
    w.u8(x1 >> 4);
    w.u8(((x1 & 0xF) << 4) | (x2 >> 8));
    w.u8(x2 & 0xFF);
    w.u8(y1 >> 4);
    w.u8(((y1 & 0xF) << 4) | (y2 >> 8));
    w.u8(y2 & 0xFF);
    w.u8(kCmdSetFieldOffsets); // 1 + 4
    w.u16(topFieldOffset);
    w.u16(bottomFieldOffset);
    w.u8(kCmdEnd); // 1

    // Second control sequence: hide after the duration; it points at itself, so it is last.
    w.u16(StopDelay(startFrame, endFrame, rate)); // 2: delay
    w.u16(secondControl);                         // 2: offset of the next sequence
    w.u8(kCmdStopDisplay);                        // 1
    w.u8(kCmdEnd);                                // 1
    if (oddArea)
        w.u8(0xFF); // 1: keeps the unit's size even

    Q_ASSERT(unit.size() == unitSize);
    return unit;
}

} // namespace lumelle
