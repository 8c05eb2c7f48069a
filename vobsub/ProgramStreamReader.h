// Demultiplexing the .sub file of a VobSub pair: an MPEG-2 program stream whose packs carry
// private-stream-1 PES packets, one subpicture substream each (0x20 + stream). The pieces of
// each stream's units are joined back into whole units, each with the position of its first
// pack and its presentation time.
#pragma once

#include "vobsub/DvdPicture.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace lumelle {

struct RawUnit
{
    int stream = 0;         // the subpicture stream, 0 to 31
    std::size_t offset = 0; // of the pack its first piece lies in
    long long pts = -1;     // 90 kHz ticks; -1 when its first packet carries none
    std::vector<std::uint8_t> bytes;
    bool whole = true; // false: the stream lost part of it
};

struct DemuxedStream
{
    std::vector<RawUnit> units; // in file order
    // Damage, each with its byte position; `file` is left empty for the caller to fill in.
    std::vector<DvdProblem> problems;
};

// Whether `head` opens a program stream: the pack start code.
bool LooksLikeProgramStream(const std::uint8_t* head, std::size_t size);

DemuxedStream DemuxProgramStream(const std::uint8_t* data, std::size_t size);

} // namespace lumelle
