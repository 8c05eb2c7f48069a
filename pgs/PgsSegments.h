// The Blu-ray presentation graphics stream (PGS, the .sup file of Blu-ray authoring and
// Matroska): indexed pictures of up to 256 colours with alpha, their run-length rows, and the
// segments of one display set (composition, windows, palette, objects, end), built field by
// field in memory.
#pragma once

#include <QRect>
#include <QSize>
#include <array>
#include <cstdint>
#include <vector>

namespace lumelle::pgs {

using Bytes = std::vector<std::uint8_t>;

// Every segment opens with "PG".
inline constexpr std::array<std::uint8_t, 2> kSegmentMagic = {0x50, 0x47};
constexpr std::size_t kSegmentHeaderSize = 13; // "PG", PTS 4, DTS 4, type 1, size 2
constexpr std::size_t kMaxSegmentPayload = 0xFFFF;

enum class SegmentType : std::uint8_t {
    Palette = 0x14,
    Object = 0x15,
    Composition = 0x16,
    Window = 0x17,
    End = 0x80,
};

// Presentation composition states: a display set that starts a new epoch (everything it needs
// is in it) or one that changes the screen within the epoch.
constexpr std::uint8_t kEpochStart = 0x80;
constexpr std::uint8_t kNormalCase = 0x00;
// Flags of a composition object.
constexpr std::uint8_t kForcedObject = 0x40;
// ODS sequence flags: the first and the last fragment of an object.
constexpr std::uint8_t kFirstFragment = 0x80;
constexpr std::uint8_t kLastFragment = 0x40;

// The player's buffers (Blu-ray decoder model): the coded objects of an epoch and the decoded
// objects (one byte a pixel) must fit them.
constexpr std::size_t kCodedObjectBuffer = 1 << 20;
constexpr std::size_t kDecodedObjectBuffer = 4 << 20;
// At most two objects, each in a window of its own, are shown at once.
constexpr int kMaxObjects = 2;

// A palette entry: Y, Cr, Cb in TV range and the opacity (0 transparent, 255 opaque).
struct PaletteEntry
{
    std::uint8_t id = 0;
    std::uint8_t y = 16;
    std::uint8_t cr = 128;
    std::uint8_t cb = 128;
    std::uint8_t alpha = 0;

    bool operator==(const PaletteEntry&) const = default;
};

// A colour in TV-range Y/Cr/Cb: BT.709 for high-definition frames, BT.601 for standard ones.
PaletteEntry ToPaletteColour(int red, int green, int blue, int alpha, bool highDefinition);
// High definition: 720 rows and more.
bool IsHighDefinition(QSize frame);

// One object: `box` (its place in the frame) and box.width() x box.height() palette indexes,
// row after row.
struct IndexedObject
{
    QRect box;
    std::vector<std::uint8_t> pixels;
};

// One picture as the stream shows it: the palette entries its pixels use (index 0 transparent)
// and one or two objects.
struct IndexedPicture
{
    std::vector<PaletteEntry> palette;
    std::vector<IndexedObject> objects;
};

// The run-length rows of an object: each row as runs of one index, ended by 00 00.
Bytes RunLengthRows(const std::vector<std::uint8_t>& pixels, int width, int height);

// The code of the frame rate in the composition segment; 0 for a rate Blu-ray has not.
std::uint8_t FrameRateCode(std::int64_t framesPer1000Seconds);

// The fixed values of every composition of a stream.
struct StreamFrame
{
    QSize size;
    std::uint8_t rateCode = 0x10;
};

// A display set's bytes, and where in them its composition number lies (two bytes,
// big-endian), for a writer that learns the number only once the sets are in show order.
struct DisplaySet
{
    Bytes bytes;
    std::size_t compositionNumberAt = 0;
};

// The display set that shows `picture` at `ticks` (90 kHz) as a new epoch: composition,
// windows, palette, objects (in fragments when larger than a segment holds) and end. Every
// segment has its PTS; each DTS lies at or before its PTS, counted back from `ticks` by the
// decoder model's times for clearing the plane and decoding the objects.
DisplaySet ShowDisplaySet(const IndexedPicture& picture, const std::vector<Bytes>& coded,
                          const StreamFrame& frame, std::uint16_t composition, bool forced,
                          std::uint32_t ticks);
// Where and how a display set is placed in the stream, once the writer knows the sets before
// it: its composition number, whether it starts an epoch or shows new objects in the windows of
// the epoch it goes on (then palette and objects carry the epoch's next `version`), when it is
// shown and when its decoding starts.
struct Placement
{
    std::uint16_t composition = 0;
    bool epochStart = true;
    std::uint8_t version = 0;
    std::uint32_t pts = 0;
    std::uint32_t decodeStart = 0;
};
// The ticks the decoder model takes from the start of decoding to showing `objects`: clearing
// `clearedPixels` (the whole plane for an epoch start, the epoch's windows otherwise), then
// decoding the objects one after the other.
std::int64_t DecodeDuration(const std::vector<QRect>& objects, std::int64_t clearedPixels);
// `set` (made by ShowDisplaySet) placed as `placement` says, every segment's time stamps
// derived again; a set that goes on in an epoch leaves its window segment out, as the epoch's
// windows stay. Empty when `set` is not a display set of that form.
Bytes PlaceDisplaySet(const Bytes& set, const Placement& placement, std::int64_t clearedPixels);
// The display set that empties the windows of `windows` at `ticks`: a composition without
// objects, the same windows, end.
Bytes ClearDisplaySet(const std::vector<QRect>& windows, const StreamFrame& frame,
                      std::uint16_t composition, std::uint32_t ticks);

} // namespace lumelle::pgs
