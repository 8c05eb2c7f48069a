// The .sup form that DVD authoring programs import: the subpicture units one after another,
// each behind a 10-byte header that gives its presentation time.
#pragma once

#include "subtitle/FrameRate.h"

#include <QIODevice>
#include <array>
#include <cstdint>
#include <vector>

namespace lumelle {

// Every header, so every .sup file of this form, opens with "SP".
inline constexpr std::array<std::uint8_t, 2> kSupMagic = {0x53, 0x50};
constexpr std::size_t kSupHeaderSize = 10; // "SP", then the time in 8 bytes

// One unit with its header: "SP", the start in 90 kHz ticks as a 64-bit little-endian number,
// then the unit as it stands (its own size field says where the next header begins).
std::vector<std::uint8_t> SupPacket(const std::vector<std::uint8_t>& unit, std::uint64_t ticks);

// Appends the packet of a unit that starts at `startFrame`. Start times the time stamp cannot
// hold are refused as PresentationTicks refuses them, naming `subtitleNumber`; a failed write
// throws Error with the device's error text.
void WriteSupPacket(QIODevice& sup, const std::vector<std::uint8_t>& unit, std::int64_t startFrame,
                    FrameRate rate, int subtitleNumber);

} // namespace lumelle
