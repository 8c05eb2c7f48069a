// Cuts subpicture units into 2048-byte MPEG-2 program-stream packs for the .sub file: one
// private-stream-1 PES packet of one subpicture stream per pack, the first pack of a subtitle
// carrying its presentation time stamp, the last filled up with padding. A unit's packs are
// always written together: players lose subtitles whose packs alternate with another's.
#pragma once

#include "subtitle/FrameRate.h"

#include <QIODevice>
#include <array>
#include <cstdint>
#include <vector>

namespace lumelle {

// Every pack opens with this start code, so every .sub file we write does.
inline constexpr std::array<std::uint8_t, 4> kPackStartCode = {0x00, 0x00, 0x01, 0xBA};

constexpr std::size_t kPackSize = 2048;
constexpr std::size_t kFirstPackPayload = 2019; // 2048 - 29 header bytes
constexpr std::size_t kLaterPackPayload = 2024; // 2048 - 24 header bytes
// Subpicture streams 0 to 31: substreams 0x20 to 0x3F.
constexpr int kMaxSubpictureStreams = 32;

// Number of packs a unit of `unitSize` bytes needs (any size; at least 1).
std::size_t PackCountFor(std::size_t unitSize);

// Start time of a subtitle in 90 kHz ticks: StartFrame x 90 000 000 / frames per 1000 s, exact,
// rounded half to even. A rate of 0 throws Error("0 Fps !!!"). A start before 0 or at 2^33 ticks
// (about 26.5 hours) or later does not fit the time stamp and is refused with a message naming
// `subtitleNumber`.
std::uint64_t PresentationTicks(std::int64_t startFrame, FrameRate rate, int subtitleNumber);

// The five time-stamp bytes of a PES header that carries a PTS only.
std::array<std::uint8_t, 5> PtsBytes(std::uint64_t ticks);

// All packs of one subtitle of subpicture stream `stream`, exactly PackCountFor(unit.size()) x
// 2048 bytes. Throws Error (see PresentationTicks) before building anything.
std::vector<std::uint8_t> BuildSubtitlePacks(const std::vector<std::uint8_t>& unit,
                                             std::int64_t startFrame, FrameRate rate,
                                             int subtitleNumber, int stream = 0);

// Appends the subtitle's packs to `sub` and adds their number to `PackCount`. Everything is
// checked before the first byte is written; a failed write throws Error with the device's
// error text (PackCount is then left as it was).
void WriteSubtitlePacks(QIODevice& sub, const std::vector<std::uint8_t>& unit,
                        std::int64_t startFrame, FrameRate rate, int subtitleNumber,
                        std::uint32_t& PackCount, int stream = 0);

} // namespace lumelle
