#include "vobsub/DvdSup.h"

#include "output/DeviceWriting.h"
#include "vobsub/ProgramStream.h"

namespace lumelle {

std::vector<std::uint8_t> SupPacket(const std::vector<std::uint8_t>& unit, std::uint64_t ticks)
{
    std::vector<std::uint8_t> packet;
    packet.reserve(kSupHeaderSize + unit.size());
    for (std::uint8_t magic : kSupMagic) // 2: "SP"
        packet.push_back(magic);
    for (int byte = 0; byte < 8; ++byte) // 8: the time, lowest byte first
        packet.push_back(std::uint8_t(ticks >> (8 * byte)));
    packet.insert(packet.end(), unit.begin(), unit.end()); // n: the unit
    return packet;
}

void WriteSupPacket(QIODevice& sup, const std::vector<std::uint8_t>& unit, std::int64_t startFrame,
                    FrameRate rate, int subtitleNumber)
{
    const std::vector<std::uint8_t> packet =
        SupPacket(unit, PresentationTicks(startFrame, rate, subtitleNumber));
    WriteAll(sup, reinterpret_cast<const char*>(packet.data()), qint64(packet.size()),
             QStringLiteral("Cannot write the .sup file."));
}

} // namespace lumelle
