#include "vobsub/SubpictureDecoder.h"

#include "vobsub/Timing.h"

#include <algorithm>

namespace lumelle {

namespace {

// Subpicture commands of a control sequence.
constexpr std::uint8_t kForcedStart = 0x00;
constexpr std::uint8_t kStartDisplay = 0x01;
constexpr std::uint8_t kStopDisplay = 0x02;
constexpr std::uint8_t kSetColour = 0x03;     // 2 bytes: entries of values 3, 2, 1, 0
constexpr std::uint8_t kSetContrast = 0x04;   // 2 bytes: contrast of values 3, 2, 1, 0
constexpr std::uint8_t kSetArea = 0x05;       // 6 bytes: x1, x2, y1, y2, 12 bits each
constexpr std::uint8_t kSetOffsets = 0x06;    // 4 bytes: top and bottom field offsets
constexpr std::uint8_t kChangeColours = 0x07; // 2 bytes of size, then that many less two
constexpr std::uint8_t kEndOfSequence = 0xFF;

constexpr QSize kLargestArea(1920, 1080);

// A unit holds no more sequences than this; more means its offsets run in a circle.
constexpr int kMaxSequences = 256;

int u16(const std::uint8_t* p)
{
    return (p[0] << 8) | p[1];
}

// The four nibbles of a colour or contrast command, for pixel values 0 to 3.
std::array<std::uint8_t, 4> nibblesOf(const std::uint8_t* p)
{
    return {std::uint8_t(p[1] & 0x0F), std::uint8_t(p[1] >> 4), std::uint8_t(p[0] & 0x0F),
            std::uint8_t(p[0] >> 4)};
}

struct Controls
{
    long long start = 0;
    long long end = -1;
    bool forced = false;
    bool area = false;
    int x1 = 0, x2 = 0, y1 = 0, y2 = 0;
    bool offsets = false;
    std::size_t top = 0, bottom = 0;
    std::array<std::uint8_t, 4> colour{0, 1, 2, 3};
    std::array<std::uint8_t, 4> contrast{0, 15, 15, 15};
};

// The bytes a command takes after its code; -1 for a code no unit holds.
int argumentBytes(std::uint8_t command, const std::uint8_t* next, std::size_t left)
{
    switch (command) {
    case kForcedStart:
    case kStartDisplay:
    case kStopDisplay:
        return 0;
    case kSetColour:
    case kSetContrast:
        return 2;
    case kSetArea:
        return 6;
    case kSetOffsets:
        return 4;
    case kChangeColours:
        return left < 2 ? 2 : std::max(2, u16(next)); // the size counts its own two bytes
    default:
        return -1;
    }
}

void apply(std::uint8_t command, const std::uint8_t* a, long long date, Controls& c)
{
    if (command == kForcedStart) {
        c.forced = true;
        c.start = date;
    } else if (command == kStartDisplay) {
        c.start = date;
    } else if (command == kStopDisplay) {
        c.end = date;
    } else if (command == kSetColour) {
        c.colour = nibblesOf(a);
    } else if (command == kSetContrast) {
        c.contrast = nibblesOf(a);
    } else if (command == kSetArea) {
        c.area = true;
        c.x1 = (a[0] << 4) | (a[1] >> 4);
        c.x2 = ((a[1] & 0x0F) << 8) | a[2];
        c.y1 = (a[3] << 4) | (a[4] >> 4);
        c.y2 = ((a[4] & 0x0F) << 8) | a[5];
    } else if (command == kSetOffsets) {
        c.offsets = true;
        c.top = std::size_t(u16(a));
        c.bottom = std::size_t(u16(a + 2));
    }
}

// Reads the control sequences from the one at `first`, following each one's link to the next
// until one links to itself. Stops at the first fault.
Controls readControls(const std::uint8_t* unit, std::size_t size, std::size_t first,
                      UnitFault& fault)
{
    Controls c;
    std::size_t pos = first;
    for (int n = 0; n < kMaxSequences; ++n) {
        if (pos + 4 > size) {
            fault = {pos, QStringLiteral("its control sequence is cut off")};
            return c;
        }
        const long long date = u16(unit + pos) * kTicksPerDelayUnit;
        const std::size_t next = std::size_t(u16(unit + pos + 2));
        std::size_t i = pos + 4;
        while (true) {
            if (i >= size) {
                fault = {i, QStringLiteral("its control sequence is cut off")};
                return c;
            }
            const std::uint8_t command = unit[i++];
            if (command == kEndOfSequence)
                break;
            const int bytes = argumentBytes(command, unit + i, size - i);
            if (bytes < 0 || i + std::size_t(bytes) > size) {
                fault = {i - 1, bytes < 0 ? QStringLiteral("unknown command 0x%1")
                                                .arg(command, 2, 16, QLatin1Char('0'))
                                          : QStringLiteral("its control sequence is cut off")};
                return c;
            }
            apply(command, unit + i, date, c);
            i += std::size_t(bytes);
        }
        // The last sequence links to itself; a link backwards would read sequences again.
        if (next <= pos)
            return c;
        pos = next;
    }
    return c;
}

// Reads nibbles from a field's rows, never past `end`.
class Nibbles
{
public:
    Nibbles(const std::uint8_t* unit, std::size_t from, std::size_t end)
        : m_unit(unit), m_at(from * 2), m_end(end * 2)
    {}
    bool next(int& nibble)
    {
        if (m_at >= m_end)
            return false;
        const std::uint8_t byte = m_unit[m_at / 2];
        nibble = (m_at % 2 == 0) ? byte >> 4 : byte & 0x0F;
        ++m_at;
        return true;
    }
    void alignToByte() { m_at += m_at % 2; }
    std::size_t byte() const { return m_at / 2; }

private:
    const std::uint8_t* m_unit;
    std::size_t m_at;
    std::size_t m_end;
};

// One run: 1 to 4 nibbles, as many as the leading zero nibbles say; a length of 0 fills the
// row to its end.
bool nextRun(Nibbles& in, int& length, int& value)
{
    int code = 0, nibble = 0;
    if (!in.next(nibble))
        return false;
    code = nibble;
    for (int limit : {0x4, 0x10, 0x40}) {
        if (code >= limit)
            break;
        if (!in.next(nibble))
            return false;
        code = (code << 4) | nibble;
    }
    length = code >> 2;
    value = code & 3;
    return true;
}

// Decodes the rows of one field (rows `field`, `field` + 2, ...) into `picture`.
bool decodeField(const std::uint8_t* unit, std::size_t from, std::size_t end, int field,
                 DvdPicture& picture, UnitFault& fault)
{
    const int width = picture.area.width(), height = picture.area.height();
    Nibbles in(unit, from, end);
    for (int y = field; y < height; y += 2) {
        std::uint8_t* row = picture.pixels.data() + std::size_t(y) * std::size_t(width);
        int x = 0;
        while (x < width) {
            int length = 0, value = 0;
            if (!nextRun(in, length, value)) {
                fault = {in.byte(), QStringLiteral("its rows break off at row %1").arg(y)};
                return false;
            }
            if (length == 0)
                length = width - x;
            length = std::min(length, width - x);
            std::fill(row + x, row + x + length, std::uint8_t(value));
            x += length;
        }
        in.alignToByte();
    }
    return true;
}

} // namespace

std::size_t UnitSizeOf(const std::uint8_t* unit, std::size_t available)
{
    return available < 2 ? 0 : std::size_t(u16(unit));
}

DvdPicture DecodeSubpicture(const std::uint8_t* unit, std::size_t size, UnitFault& fault)
{
    fault = {};
    DvdPicture picture;
    if (size < 4) {
        fault = {0, QStringLiteral("it is cut off")};
        return picture;
    }
    const std::size_t controlsAt = std::size_t(u16(unit + 2));
    const Controls c = readControls(unit, size, controlsAt, fault);
    picture.start = c.start;
    picture.end = c.end;
    picture.forced = c.forced;
    picture.colour = c.colour;
    picture.contrast = c.contrast;
    if (!fault.what.isEmpty() && !(c.area && c.offsets))
        return picture;
    if (!c.area || !c.offsets || c.x2 < c.x1 || c.y2 < c.y1) {
        fault = {controlsAt, QStringLiteral("it gives no picture area")};
        return picture;
    }
    picture.area = QRect(c.x1, c.y1, c.x2 - c.x1 + 1, c.y2 - c.y1 + 1);
    // No DVD frame is larger than a high-definition one; a damaged area could ask for 16 MB
    // a picture, so only what any frame can show is kept.
    if (picture.area.width() > kLargestArea.width() ||
        picture.area.height() > kLargestArea.height()) {
        fault = {controlsAt, QStringLiteral("its area (%1x%2) is larger than any frame")
                                 .arg(picture.area.width())
                                 .arg(picture.area.height())};
        picture.area.setSize(picture.area.size().boundedTo(kLargestArea));
    }
    picture.pixels.assign(std::size_t(picture.area.width()) * std::size_t(picture.area.height()),
                          0);
    // The rows end where the control sequences begin (or at the unit's end, if they lie before).
    const std::size_t rowsEnd =
        controlsAt > std::max(c.top, c.bottom) && controlsAt <= size ? controlsAt : size;
    UnitFault rows;
    if (!decodeField(unit, c.top, rowsEnd, 0, picture, rows) ||
        !decodeField(unit, c.bottom, rowsEnd, 1, picture, rows)) {
        if (fault.what.isEmpty())
            fault = rows;
    }
    return picture;
}

} // namespace lumelle
