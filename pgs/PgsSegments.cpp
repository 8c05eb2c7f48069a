#include "pgs/PgsSegments.h"

#include "platform/ByteWriter.h"

#include <QtGlobal>
#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>

namespace lumelle::pgs {

namespace {

// Run codes after the 00 escape byte: the two top bits say what follows.
constexpr std::uint8_t kShortTransparent = 0x00; // 00 0L: L (1-63) transparent pixels
constexpr std::uint8_t kLongTransparent = 0x40;  // 00 4L LL: L (64-16383) transparent pixels
constexpr std::uint8_t kShortColour = 0x80;      // 00 8L CC: L (3-63) pixels of CC
constexpr std::uint8_t kLongColour = 0xC0;       // 00 CL LL CC: L (64-16383) pixels of CC
constexpr int kLongestRun = 0x3FFF;

// Writes one run at `at` and returns the byte after it.
std::uint8_t* putRun(std::uint8_t* at, std::uint8_t index, int length)
{
    if (index != 0 && length <= 2) {
        for (int i = 0; i < length; ++i)
            *at++ = index; // 1: one pixel of a colour
        return at;
    }
    *at++ = 0x00; // 1: escape
    const std::uint8_t kind = index == 0 ? (length < 64 ? kShortTransparent : kLongTransparent)
                                         : (length < 64 ? kShortColour : kLongColour);
    if (length < 64) {
        *at++ = std::uint8_t(kind | length); // 1: kind and 6-bit length
    } else {
        *at++ = std::uint8_t(kind | (length >> 8)); // 2: kind and 14-bit length
        *at++ = std::uint8_t(length & 0xFF);
    }
    if (index != 0)
        *at++ = index; // 1: the colour
    return at;
}

void putHeader(ByteWriter& w, SegmentType type, std::uint32_t pts, std::uint32_t dts,
               std::size_t size)
{
    w.bytes(kSegmentMagic.data(), kSegmentMagic.size()); // 2: "PG"
    w.u16(pts >> 16);                                    // 4: PTS, 90 kHz
    w.u16(pts & 0xFFFF);
    w.u16(dts >> 16); // 4: DTS, 90 kHz
    w.u16(dts & 0xFFFF);
    w.u8(std::uint8_t(type)); // 1: segment type
    w.u16(unsigned(size));    // 2: payload size
}

// Appends one segment; returns where its payload starts in `out`.
std::size_t putSegment(Bytes& out, SegmentType type, std::uint32_t pts, std::uint32_t dts,
                       const Bytes& payload)
{
    Q_ASSERT(payload.size() <= kMaxSegmentPayload);
    ByteWriter w(out);
    putHeader(w, type, pts, dts, payload.size());
    const std::size_t payloadAt = w.size();
    w.bytes(payload.data(), payload.size());
    return payloadAt;
}

// The 90 kHz ticks the decoder model takes for a number of pixels: decoding an object runs at
// 128 Mbit/s (9/1600 tick a pixel), clearing the plane or a window at 256 Mbit/s (9/3200).
std::uint32_t decodeTicks(std::int64_t pixels)
{
    return std::uint32_t((pixels * 9 + 1599) / 1600);
}
std::uint32_t clearTicks(std::int64_t pixels)
{
    return std::uint32_t((pixels * 9 + 3199) / 3200);
}

// The composition segment's payload; `numberAt`, when given, learns where the composition
// number lies in it.
Bytes compositionPayload(const StreamFrame& frame, std::uint16_t composition, std::uint8_t state,
                         const std::vector<QRect>& objects, bool forced,
                         std::size_t* numberAt = nullptr)
{
    Bytes payload;
    ByteWriter w(payload);
    w.u16(unsigned(frame.size.width()));  // 2: video width
    w.u16(unsigned(frame.size.height())); // 2: video height
    w.u8(frame.rateCode);                 // 1: frame rate
    if (numberAt)
        *numberAt = w.size();
    w.u16(composition);             // 2: composition number
    w.u8(state);                    // 1: composition state
    w.u8(0x00);                     // 1: palette update flag: no
    w.u8(0);                        // 1: palette id
    w.u8(unsigned(objects.size())); // 1: number of composition objects
    for (std::size_t i = 0; i < objects.size(); ++i) {
        w.u16(unsigned(i));                  // 2: object id
        w.u8(unsigned(i));                   // 1: window id
        w.u8(forced ? kForcedObject : 0x00); // 1: flags (not cropped)
        w.u16(unsigned(objects[i].x()));     // 2: x
        w.u16(unsigned(objects[i].y()));     // 2: y
    }
    return payload;
}

Bytes windowPayload(const std::vector<QRect>& windows)
{
    Bytes payload;
    ByteWriter w(payload);
    w.u8(unsigned(windows.size())); // 1: number of windows
    for (std::size_t i = 0; i < windows.size(); ++i) {
        w.u8(unsigned(i));                    // 1: window id
        w.u16(unsigned(windows[i].x()));      // 2: x
        w.u16(unsigned(windows[i].y()));      // 2: y
        w.u16(unsigned(windows[i].width()));  // 2: width
        w.u16(unsigned(windows[i].height())); // 2: height
    }
    return payload;
}

Bytes palettePayload(const std::vector<PaletteEntry>& palette)
{
    Bytes payload;
    ByteWriter w(payload);
    w.u8(0); // 1: palette id
    w.u8(0); // 1: palette version
    for (const PaletteEntry& e : palette) {
        w.u8(e.id);    // 1: entry id
        w.u8(e.y);     // 1: Y
        w.u8(e.cr);    // 1: Cr
        w.u8(e.cb);    // 1: Cb
        w.u8(e.alpha); // 1: transparency (0 transparent)
    }
    return payload;
}

// An object's fragments: the first carries the data length and the size, the rest only data.
void putObject(Bytes& out, std::uint16_t id, const QSize& size, const Bytes& coded,
               std::uint32_t pts, std::uint32_t dts)
{
    constexpr std::size_t kFirstHeader = 11; // id 2, version 1, flags 1, length 3, w 2, h 2
    constexpr std::size_t kLaterHeader = 4;  // id 2, version 1, flags 1
    std::size_t at = 0;
    bool first = true;
    do {
        const std::size_t room = kMaxSegmentPayload - (first ? kFirstHeader : kLaterHeader);
        const std::size_t take = std::min(room, coded.size() - at);
        const bool last = at + take == coded.size();
        // The segment is written in place: its header, then the fragment's fields and data.
        ByteWriter w(out);
        putHeader(w, SegmentType::Object, pts, dts, (first ? kFirstHeader : kLaterHeader) + take);
        w.u16(id);                                                       // 2: object id
        w.u8(0);                                                         // 1: object version
        w.u8((first ? kFirstFragment : 0) | (last ? kLastFragment : 0)); // 1: sequence flags
        if (first) {
            const std::size_t length = coded.size() + 4; // the size fields count too
            w.u8(unsigned(length >> 16));                // 3: object data length
            w.u16(unsigned(length & 0xFFFF));
            w.u16(unsigned(size.width()));  // 2: width
            w.u16(unsigned(size.height())); // 2: height
        }
        w.bytes(coded.data() + at, take); // n: run-length rows
        at += take;
        first = false;
    } while (at < coded.size());
}

std::uint8_t tvRange(double value, int low, int range)
{
    return std::uint8_t(std::clamp(int(std::lround(low + range * value)), 0, 255));
}

} // namespace

PaletteEntry ToPaletteColour(int red, int green, int blue, int alpha, bool highDefinition)
{
    const double kr = highDefinition ? 0.2126 : 0.299;
    const double kb = highDefinition ? 0.0722 : 0.114;
    const double r = red / 255.0, g = green / 255.0, b = blue / 255.0;
    const double y = kr * r + (1 - kr - kb) * g + kb * b;
    PaletteEntry e;
    e.y = tvRange(y, 16, 219);
    e.cb = tvRange((b - y) / (2 * (1 - kb)), 128, 224);
    e.cr = tvRange((r - y) / (2 * (1 - kr)), 128, 224);
    e.alpha = std::uint8_t(alpha);
    return e;
}

bool IsHighDefinition(QSize frame)
{
    return frame.height() >= 720;
}

namespace {

// How many pixels from p[0] on (at most `left`, at most kLongestRun) hold p[0]'s index; eight
// pixels compared at a time.
int runLength(const std::uint8_t* p, int left)
{
    const int most = std::min(left, kLongestRun);
    const std::uint64_t same = 0x0101010101010101u * p[0];
    int length = 1;
    for (; length + 8 <= most; length += 8) {
        std::uint64_t eight;
        std::memcpy(&eight, p + length, 8);
        if (const std::uint64_t differ = eight ^ same; differ != 0) {
            // The first differing byte is the lowest in memory.
            const int equal = std::endian::native == std::endian::little
                                  ? std::countr_zero(differ) / 8
                                  : std::countl_zero(differ) / 8;
            return length + equal;
        }
    }
    while (length < most && p[length] == p[0])
        ++length;
    return length;
}

} // namespace

Bytes RunLengthRows(const std::vector<std::uint8_t>& pixels, int width, int height)
{
    // No run takes more than two bytes a pixel, and each row ends in two: the runs are written
    // into room enough without a check per byte, then copied out.
    thread_local std::vector<std::uint8_t> room;
    room.resize(std::max(room.size(),
                         2 * std::size_t(width) * std::size_t(height) + 2 * std::size_t(height)));
    std::uint8_t* at = room.data();
    for (int row = 0; row < height; ++row) {
        const std::uint8_t* p = pixels.data() + std::size_t(row) * std::size_t(width);
        for (int x = 0; x < width;) {
            // A lone pixel of a colour (most of an antialiased edge) is its own index.
            if (p[x] != 0 && (x + 1 == width || p[x + 1] != p[x])) {
                *at++ = p[x++];
                continue;
            }
            const int length = runLength(p + x, width - x);
            at = putRun(at, p[x], length);
            x += length;
        }
        *at++ = 0x00; // 2: end of the row
        *at++ = 0x00;
    }
    return Bytes(room.data(), at);
}

std::uint8_t FrameRateCode(std::int64_t framesPer1000Seconds)
{
    switch (framesPer1000Seconds) {
    case 23976:
        return 0x10;
    case 24000:
        return 0x20;
    case 25000:
        return 0x30;
    case 29970:
        return 0x40;
    case 50000:
        return 0x60;
    case 59940:
        return 0x70;
    default:
        return 0;
    }
}

DisplaySet ShowDisplaySet(const IndexedPicture& picture, const std::vector<Bytes>& coded,
                          const StreamFrame& frame, std::uint16_t composition, bool forced,
                          std::uint32_t ticks)
{
    Q_ASSERT(coded.size() == picture.objects.size());
    std::vector<QRect> boxes;
    std::int64_t decode = 0;
    for (const IndexedObject& object : picture.objects) {
        boxes.push_back(object.box);
        decode += decodeTicks(std::int64_t(object.box.width()) * object.box.height());
    }
    // Decoding starts when the plane has been cleared for the new epoch; the objects are
    // decoded one after the other and shown at `ticks`.
    const std::int64_t init = clearTicks(std::int64_t(frame.size.width()) * frame.size.height());
    const std::int64_t start = std::max<std::int64_t>(0, std::int64_t(ticks) - init - decode);
    const auto at = [ticks](std::int64_t t) {
        return std::uint32_t(std::min<std::int64_t>(t, ticks));
    };

    DisplaySet set;
    Bytes& out = set.bytes;
    std::size_t numberAt = 0;
    const Bytes pcs = compositionPayload(frame, composition, kEpochStart, boxes, forced, &numberAt);
    set.compositionNumberAt =
        putSegment(out, SegmentType::Composition, ticks, at(start), pcs) + numberAt;
    putSegment(out, SegmentType::Window, at(start), at(start), windowPayload(boxes));
    putSegment(out, SegmentType::Palette, at(start), at(start), palettePayload(picture.palette));
    std::int64_t decoded = start + init;
    for (std::size_t i = 0; i < picture.objects.size(); ++i) {
        const QRect& box = picture.objects[i].box;
        const std::int64_t done = decoded + decodeTicks(std::int64_t(box.width()) * box.height());
        putObject(out, std::uint16_t(i), box.size(), coded[i], at(done), at(decoded));
        decoded = done;
    }
    putSegment(out, SegmentType::End, at(decoded), at(decoded), {});
    return set;
}

std::int64_t DecodeDuration(const std::vector<QRect>& objects, std::int64_t clearedPixels)
{
    std::int64_t ticks = clearTicks(clearedPixels);
    for (const QRect& box : objects)
        ticks += decodeTicks(std::int64_t(box.width()) * box.height());
    return ticks;
}

namespace {

// One segment of a display set: its type and where its payload lies in the set's bytes.
struct ParsedSegment
{
    SegmentType type;
    std::size_t payloadAt;
    std::size_t size;
};

// The segments of one of our display sets; empty when the bytes are not whole segments.
std::vector<ParsedSegment> parseSet(const Bytes& set)
{
    std::vector<ParsedSegment> out;
    for (std::size_t at = 0; at < set.size();) {
        if (set.size() - at < kSegmentHeaderSize || set[at] != kSegmentMagic[0] ||
            set[at + 1] != kSegmentMagic[1])
            return {};
        const std::size_t size = std::size_t(set[at + 11]) << 8 | set[at + 12];
        const std::size_t payloadAt = at + kSegmentHeaderSize;
        if (size > set.size() - payloadAt)
            return {};
        out.push_back({SegmentType(set[at + 10]), payloadAt, size});
        at = payloadAt + size;
    }
    return out;
}

// Appends a segment whose payload is `size` bytes of `set` from `payloadAt`; returns where the
// payload starts in `out`, so that the caller can change its fields there.
std::size_t copySegment(Bytes& out, SegmentType type, std::uint32_t pts, std::uint32_t dts,
                        const Bytes& set, std::size_t payloadAt, std::size_t size)
{
    ByteWriter w(out);
    putHeader(w, type, pts, dts, size);
    const std::size_t at = w.size();
    w.bytes(set.data() + payloadAt, size);
    return at;
}

} // namespace

Bytes PlaceDisplaySet(const Bytes& set, const Placement& p, std::int64_t clearedPixels)
{
    const std::vector<ParsedSegment> segments = parseSet(set);
    if (segments.size() < 2 || segments.front().type != SegmentType::Composition ||
        segments.front().size < 11 || segments.back().type != SegmentType::End)
        return {};
    const std::uint32_t start = p.decodeStart;
    const auto at = [&p](std::int64_t t) {
        return std::uint32_t(std::min<std::int64_t>(t, p.pts));
    };
    std::int64_t decoded = start + clearTicks(clearedPixels);
    std::int64_t objectStart = decoded;
    Bytes out;
    out.reserve(set.size());
    // Each segment is copied with its new times; the fields that change are then set in the
    // copy.
    for (const ParsedSegment& s : segments) {
        const std::uint8_t* d = set.data() + s.payloadAt;
        switch (s.type) {
        case SegmentType::Composition: {
            const std::size_t c = copySegment(out, s.type, p.pts, start, set, s.payloadAt, s.size);
            out[c + 5] = std::uint8_t(p.composition >> 8); // composition number
            out[c + 6] = std::uint8_t(p.composition);
            out[c + 7] = p.epochStart ? kEpochStart : kNormalCase;
            break;
        }
        case SegmentType::Window:
            if (p.epochStart)
                copySegment(out, s.type, start, start, set, s.payloadAt, s.size);
            break;
        case SegmentType::Palette: {
            const std::size_t c = copySegment(out, s.type, start, start, set, s.payloadAt, s.size);
            if (s.size >= 2)
                out[c + 1] = p.version; // palette version
            break;
        }
        case SegmentType::Object: {
            if (s.size < 4)
                return {};
            // Every fragment of an object carries its decoding's start and end.
            if ((d[3] & kFirstFragment) && s.size >= 11) {
                objectStart = decoded;
                decoded += decodeTicks(std::int64_t(d[7] << 8 | d[8]) * (d[9] << 8 | d[10]));
            }
            const std::size_t c =
                copySegment(out, s.type, at(decoded), at(objectStart), set, s.payloadAt, s.size);
            out[c + 2] = p.version; // object version
            break;
        }
        default:
            copySegment(out, s.type, at(decoded), at(decoded), set, s.payloadAt, s.size);
        }
    }
    return out;
}

Bytes ClearDisplaySet(const std::vector<QRect>& windows, const StreamFrame& frame,
                      std::uint16_t composition, std::uint32_t ticks)
{
    std::int64_t area = 0;
    for (const QRect& window : windows)
        area += std::int64_t(window.width()) * window.height();
    const auto dts =
        std::uint32_t(std::max<std::int64_t>(0, std::int64_t(ticks) - clearTicks(area)));
    Bytes out;
    putSegment(out, SegmentType::Composition, ticks, dts,
               compositionPayload(frame, composition, kNormalCase, {}, false));
    putSegment(out, SegmentType::Window, dts, dts, windowPayload(windows));
    putSegment(out, SegmentType::End, dts, dts, {});
    return out;
}

} // namespace lumelle::pgs
