#include "reference/PixelEncoder.h"

#include <cstring>

namespace lumelle {

namespace {

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

// Nibbles of one code by run length: 1 for 1-3, 2 for 4-15, 3 for 16-63, 4 for 64-255.
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

std::vector<std::uint8_t> EncodeSubpicture(const QImage& image, int bandTop, int bandHeight,
                                           const OutputColours& colours, int startFrame,
                                           int endFrame, FrameRate rate, int subtitleNumber)
{
    rate.divisor(); // a zero rate is refused before any work
    QImage converted;
    const QImage* source = &image;
    int bytesPerPixel = directBytesPerPixel(image.format());
    if (bytesPerPixel == 0) {
        converted = image.convertToFormat(QImage::Format_BGR888);
        source = &converted;
        bytesPerPixel = 3;
    }
    CheckSubpictureBand(source->width(), source->height(), bandTop, bandHeight);

    // The top field holds rows bandTop, bandTop + 2, ..., the bottom field the others.
    std::vector<std::uint8_t> top;
    std::vector<std::uint8_t> bottom;
    for (int row = bandTop; row < bandTop + bandHeight; ++row) {
        const std::vector<std::uint8_t> coded =
            EncodeRow(RowRuns(source->constScanLine(row), source->width(), bytesPerPixel, colours));
        std::vector<std::uint8_t>& field = (row - bandTop) % 2 == 0 ? top : bottom;
        field.insert(field.end(), coded.begin(), coded.end());
    }
    const std::size_t topSize = top.size();
    top.insert(top.end(), bottom.begin(), bottom.end());
    return SubpictureUnit(top, topSize, source->width(), bandTop, bandHeight, startFrame, endFrame,
                          rate, subtitleNumber);
}

} // namespace lumelle
