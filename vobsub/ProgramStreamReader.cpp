#include "vobsub/ProgramStreamReader.h"

#include "vobsub/SubpictureDecoder.h"

#include <map>

namespace lumelle {

namespace {

constexpr std::uint8_t kPackId = 0xBA;
constexpr std::uint8_t kEndCodeId = 0xB9;
constexpr std::uint8_t kPrivateStream1 = 0xBD;
constexpr std::uint8_t kFirstSubpicture = 0x20; // substreams 0x20 to 0x3F
constexpr std::size_t kMpeg2PackHeader = 14;    // the last 3 bits add stuffing
constexpr std::size_t kMpeg1PackHeader = 12;

bool startCodeAt(const std::uint8_t* d, std::size_t size, std::size_t p)
{
    return p + 4 <= size && d[p] == 0 && d[p + 1] == 0 && d[p + 2] == 1;
}

bool packAt(const std::uint8_t* d, std::size_t size, std::size_t p)
{
    return startCodeAt(d, size, p) && d[p + 3] == kPackId;
}

// The 33-bit time of the five time-stamp bytes at `p`.
long long ptsAt(const std::uint8_t* p)
{
    return (static_cast<long long>(p[0] & 0x0E) << 29) | (p[1] << 22) | ((p[2] >> 1) << 15) |
           (p[3] << 7) | (p[4] >> 1);
}

QString byteText(std::size_t offset)
{
    return QStringLiteral("byte %1").arg(offset);
}

class Demuxer
{
public:
    Demuxer(const std::uint8_t* data, std::size_t size) : m_data(data), m_size(size) {}
    DemuxedStream run();

private:
    std::size_t pack(std::size_t pos);
    void privatePacket(std::size_t from, std::size_t end, std::size_t packPos);
    void piece(int stream, const std::uint8_t* bytes, std::size_t n, long long pts,
               std::size_t packPos);
    void close(RawUnit& unit, std::size_t where);
    void problem(std::size_t offset, const QString& message)
    {
        m_out.problems.push_back({QString(), offset, message});
    }

    const std::uint8_t* m_data;
    std::size_t m_size;
    DemuxedStream m_out;
    std::map<int, RawUnit> m_open; // per stream: the unit being joined
};

DemuxedStream Demuxer::run()
{
    std::size_t pos = 0;
    while (pos < m_size) {
        if (packAt(m_data, m_size, pos)) {
            pos = pack(pos);
            continue;
        }
        // Damage between packs: read on from the next pack start code.
        std::size_t next = pos + 1;
        while (next < m_size && !packAt(m_data, m_size, next))
            ++next;
        problem(
            pos,
            QStringLiteral("no pack at %1: %2 bytes skipped").arg(byteText(pos)).arg(next - pos));
        pos = next;
    }
    for (auto& [stream, unit] : m_open)
        close(unit, m_size);
    return std::move(m_out);
}

// Reads the pack at `pos` and its packets; returns where the next pack should begin.
std::size_t Demuxer::pack(std::size_t pos)
{
    std::size_t header = 0;
    if (pos + kMpeg2PackHeader <= m_size && (m_data[pos + 4] & 0xC0) == 0x40)
        header = kMpeg2PackHeader + (m_data[pos + 13] & 0x07);
    else if (pos + kMpeg1PackHeader <= m_size && (m_data[pos + 4] & 0xF0) == 0x20)
        header = kMpeg1PackHeader;
    if (header == 0 || pos + header > m_size) {
        problem(pos, QStringLiteral("the pack at %1 is cut off or damaged").arg(byteText(pos)));
        return pos + 4;
    }
    std::size_t p = pos + header;
    while (startCodeAt(m_data, m_size, p) && m_data[p + 3] != kPackId) {
        if (m_data[p + 3] == kEndCodeId) {
            p += 4;
            continue;
        }
        if (p + 6 > m_size) {
            problem(p, QStringLiteral("the packet at %1 is cut off").arg(byteText(p)));
            return m_size;
        }
        const std::size_t end = p + 6 + std::size_t((m_data[p + 4] << 8) | m_data[p + 5]);
        if (end > m_size) {
            problem(p, QStringLiteral("the packet at %1 is cut off").arg(byteText(p)));
            return m_size;
        }
        if (m_data[p + 3] == kPrivateStream1)
            privatePacket(p + 6, end, pos);
        p = end;
    }
    // A pack may end in a few 0xFF bytes too short for a padding packet.
    while (p < m_size && m_data[p] == 0xFF && !packAt(m_data, m_size, p))
        ++p;
    return p;
}

// A private-stream-1 packet: its MPEG-2 PES header, then the substream number and the piece.
void Demuxer::privatePacket(std::size_t from, std::size_t end, std::size_t packPos)
{
    if (end - from < 3 || (m_data[from] & 0xC0) != 0x80 || from + 3 + m_data[from + 2] >= end) {
        problem(from,
                QStringLiteral("the packet at %1 has no readable header").arg(byteText(from - 6)));
        return;
    }
    const bool hasPts = (m_data[from + 1] & 0x80) != 0 && m_data[from + 2] >= 5;
    const long long pts = hasPts ? ptsAt(m_data + from + 3) : -1;
    const std::size_t payload = from + 3 + m_data[from + 2];
    const std::uint8_t substream = m_data[payload];
    if ((substream & 0xE0) != kFirstSubpicture)
        return; // audio of a DVD: not ours to read
    piece(substream & 0x1F, m_data + payload + 1, end - payload - 1, pts, packPos);
}

void Demuxer::piece(int stream, const std::uint8_t* bytes, std::size_t n, long long pts,
                    std::size_t packPos)
{
    auto found = m_open.find(stream);
    // A time stamp opens the next unit; one still short of its size lost its last packs.
    if (found != m_open.end() && pts >= 0) {
        close(found->second, packPos);
        m_open.erase(found);
        found = m_open.end();
    }
    if (found == m_open.end())
        found = m_open.emplace(stream, RawUnit{stream, packPos, pts, {}, true}).first;
    RawUnit& unit = found->second;
    unit.bytes.insert(unit.bytes.end(), bytes, bytes + n);
    const std::size_t wanted = UnitSizeOf(unit.bytes.data(), unit.bytes.size());
    if (wanted != 0 && unit.bytes.size() >= wanted) {
        unit.bytes.resize(wanted);
        m_out.units.push_back(std::move(unit));
        m_open.erase(found);
    }
}

// Hands on a unit that never reached its size, named as damaged.
void Demuxer::close(RawUnit& unit, std::size_t where)
{
    problem(unit.offset, QStringLiteral("the subtitle at %1 is cut off before %2")
                             .arg(byteText(unit.offset), byteText(where)));
    unit.whole = false;
    m_out.units.push_back(std::move(unit));
}

} // namespace

bool LooksLikeProgramStream(const std::uint8_t* head, std::size_t size)
{
    return packAt(head, size, 0);
}

DemuxedStream DemuxProgramStream(const std::uint8_t* data, std::size_t size)
{
    return Demuxer(data, size).run();
}

} // namespace lumelle
