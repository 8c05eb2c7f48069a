#include "vobsub/ProgramStream.h"

#include "output/DeviceWriting.h"
#include "platform/ByteWriter.h"
#include "platform/Error.h"
#include "vobsub/Timing.h"

#include <QtGlobal>
#include <algorithm>

namespace lumelle {

namespace {

// The pack header's clock, the same in every pack: the system clock reference (a 33-bit base
// in 90 kHz ticks and a 9-bit extension in 27 MHz ticks) and the program mux rate (in units of
// 50 bytes a second).
constexpr std::uint64_t kSystemClockBase = 2887744;
constexpr unsigned kSystemClockExtension = 84;
constexpr unsigned kProgramMuxRate = 25200;
constexpr unsigned kPackHeaderPrefix = 0b01; // '01': an MPEG-2 pack header
constexpr unsigned kPtsPrefix = 0b0010;      // '0010': a PTS without a DTS
constexpr unsigned kMarker = 1;

constexpr std::uint8_t kPrivateStream1StartCode[4] = {0x00, 0x00, 0x01, 0xBD};
constexpr std::uint8_t kPaddingStartCode[4] = {0x00, 0x00, 0x01, 0xBE};
constexpr std::uint8_t kPesMarkerAndFlags = 0x81; // marker bits 10, flags 000001
constexpr std::uint8_t kPesPtsPresent = 0x80;
constexpr std::uint8_t kPesNothingPresent = 0x00;
constexpr std::uint8_t kPtsLength = 5;
constexpr std::uint8_t kSubpictureStream0 = 0x20; // substream 0x20 + N: subpicture stream N

// PES bytes after its length field besides the payload: flags (2), header data length (1),
// the optional PTS, the substream number (1).
constexpr std::size_t kPesFixedAfterLength = 4;
constexpr std::size_t kPaddingHeaderSize = 6; // start code + length
constexpr std::uint8_t kFill = 0xFF;

// Fields of a few bits each, most significant bit first, each the low `width` bits of its
// value (at most 33); the bytes go to `w` as they fill, so the fields of one use add up to whole
// bytes.
class BitFields
{
public:
    explicit BitFields(ByteWriter& w) : m_w(w) {}
    ~BitFields() { Q_ASSERT(m_count == 0); }

    void put(int width, std::uint64_t value)
    {
        Q_ASSERT(width > 0 && width <= 33);
        // Fewer than 8 bits wait from the fields before, so the 64 bits always hold them all.
        m_bits = (m_bits << width) | (value & ((std::uint64_t(1) << width) - 1));
        m_count += width;
        while (m_count >= 8) {
            m_count -= 8;
            m_w.u8(unsigned(m_bits >> m_count));
        }
    }

private:
    ByteWriter& m_w;
    std::uint64_t m_bits = 0;
    int m_count = 0; // bits in m_bits not yet written
};

// A 33-bit time as a pack header and a PES header both carry it: in three parts, each
// followed by a marker bit.
void putClock(BitFields& bits, std::uint64_t ticks)
{
    bits.put(3, ticks >> 30);  // 3: bits 32..30
    bits.put(1, kMarker);      // 1
    bits.put(15, ticks >> 15); // 15: bits 29..15
    bits.put(1, kMarker);      // 1
    bits.put(15, ticks);       // 15: bits 14..0
    bits.put(1, kMarker);      // 1
}

// The 10 bytes of a pack header after its start code.
void writePackClock(ByteWriter& w)
{
    BitFields bits(w);
    bits.put(2, kPackHeaderPrefix);     // 2: '01'
    putClock(bits, kSystemClockBase);   // 36: SCR base
    bits.put(9, kSystemClockExtension); // 9: SCR extension
    bits.put(1, kMarker);               // 1
    bits.put(22, kProgramMuxRate);      // 22: program mux rate
    bits.put(1, kMarker);               // 1
    bits.put(1, kMarker);               // 1
    bits.put(5, 0x1F);                  // 5: reserved, all ones
    bits.put(3, 0);                     // 3: pack stuffing length: none
}

void writePack(ByteWriter& w, const std::uint8_t* payload, std::size_t payloadSize,
               const std::array<std::uint8_t, 5>* pts, int stream)
{
    const std::size_t packStart = w.size();
    w.bytes(kPackStartCode.data(), 4); // 4: pack start code
    writePackClock(w);                 // 10: SCR, mux rate, stuffing length

    w.bytes(kPrivateStream1StartCode, 4); // 4: PES start code, private stream 1
    const std::size_t pesLength = kPesFixedAfterLength + (pts ? kPtsLength : 0) + payloadSize;
    w.u16(unsigned(pesLength));                      // 2: PES packet length
    w.u8(kPesMarkerAndFlags);                        // 1
    w.u8(pts ? kPesPtsPresent : kPesNothingPresent); // 1: PTS present or not
    w.u8(pts ? kPtsLength : 0);                      // 1: PES header data length
    if (pts)
        w.bytes(pts->data(), pts->size());       // 5: PTS
    w.u8(kSubpictureStream0 + unsigned(stream)); // 1: substream number
    w.bytes(payload, payloadSize);               // n: the unit's next bytes

    // Fill the rest of the pack: a padding packet when it has room for its header, otherwise
    // plain 0xFF bytes. Only the last pack of a unit has anything left.
    const std::size_t remaining = kPackSize - (w.size() - packStart);
    if (remaining >= kPaddingHeaderSize) {
        w.bytes(kPaddingStartCode, 4);                   // 4: padding start code
        w.u16(unsigned(remaining - kPaddingHeaderSize)); // 2: length
        w.fill(kFill, remaining - kPaddingHeaderSize);   // the padding itself
    } else {
        w.fill(kFill, remaining);
    }
}

} // namespace

std::size_t PackCountFor(std::size_t unitSize)
{
    if (unitSize <= kFirstPackPayload)
        return 1;
    return (unitSize - kFirstPackPayload - 1) / kLaterPackPayload + 2;
}

std::uint64_t PresentationTicks(std::int64_t startFrame, FrameRate rate, int subtitleNumber)
{
    const std::int64_t divisor = rate.divisor();
    std::int64_t ticks = -1;
    if (startFrame >= 0 && startFrame <= kFrameBound)
        ticks = DivideRoundHalfEven(startFrame * kTicksPerSecondTimesThousand, divisor);
    else if (startFrame > kFrameBound)
        ticks = std::int64_t(kPtsLimit);
    if (ticks < 0) {
        throw Error(
            QStringLiteral("Subtitle %1 starts before 00:00:00:000; the .sub file cannot hold it.")
                .arg(subtitleNumber));
    }
    if (std::uint64_t(ticks) >= kPtsLimit) {
        throw Error(QStringLiteral("Subtitle %1 starts too late: the .sub file can only hold "
                                   "start times before 26:30:43:717.")
                        .arg(subtitleNumber));
    }
    return std::uint64_t(ticks);
}

std::array<std::uint8_t, 5> PtsBytes(std::uint64_t ticks)
{
    std::array<std::uint8_t, 5> bytes{};
    std::vector<std::uint8_t> out;
    out.reserve(bytes.size());
    ByteWriter w(out);
    {
        BitFields bits(w);
        bits.put(4, kPtsPrefix); // 4: '0010'
        putClock(bits, ticks);   // 36: PTS
    }
    std::copy(out.begin(), out.end(), bytes.begin());
    return bytes;
}

std::vector<std::uint8_t> BuildSubtitlePacks(const std::vector<std::uint8_t>& unit,
                                             std::int64_t startFrame, FrameRate rate,
                                             int subtitleNumber, int stream)
{
    Q_ASSERT(stream >= 0 && stream < kMaxSubpictureStreams);
    const std::array<std::uint8_t, 5> pts =
        PtsBytes(PresentationTicks(startFrame, rate, subtitleNumber));
    const std::size_t packs = PackCountFor(unit.size());

    std::vector<std::uint8_t> out;
    out.reserve(packs * kPackSize);
    ByteWriter w(out);
    std::size_t position = 0;
    for (std::size_t pack = 0; pack < packs; ++pack) {
        const std::size_t capacity = pack == 0 ? kFirstPackPayload : kLaterPackPayload;
        const std::size_t take = std::min(capacity, unit.size() - position);
        writePack(w, unit.data() + position, take, pack == 0 ? &pts : nullptr, stream);
        position += take;
    }
    Q_ASSERT(position == unit.size());
    Q_ASSERT(out.size() == packs * kPackSize);
    return out;
}

void WriteSubtitlePacks(QIODevice& sub, const std::vector<std::uint8_t>& unit,
                        std::int64_t startFrame, FrameRate rate, int subtitleNumber,
                        std::uint32_t& PackCount, int stream)
{
    const std::vector<std::uint8_t> packs =
        BuildSubtitlePacks(unit, startFrame, rate, subtitleNumber, stream);
    WriteAll(sub, reinterpret_cast<const char*>(packs.data()), qint64(packs.size()),
             QStringLiteral("Cannot write the .sub file."));
    PackCount += std::uint32_t(packs.size() / kPackSize);
}

} // namespace lumelle
