// Reading one DVD subpicture unit back: its control sequences (when it shows and hides, the
// forced mark, palette entries, contrast, the display area and where each field's rows begin)
// and its two fields of run-length rows, decoded to one two-bit value per pixel.
#pragma once

#include "vobsub/DvdPicture.h"

#include <QString>
#include <cstddef>
#include <cstdint>

namespace lumelle {

// What was wrong with a unit, `at` counting from its first byte.
struct UnitFault
{
    std::size_t at = 0;
    QString what; // empty: the unit was read whole
};

// Decodes the unit of `size` bytes at `unit`. `start` and `end` of the picture come out as
// delays from the unit's presentation time, in 90 kHz ticks (`end` -1 when no sequence hides
// it). A damaged unit gives what could be read up to the fault and names the fault.
DvdPicture DecodeSubpicture(const std::uint8_t* unit, std::size_t size, UnitFault& fault);

// The size a unit gives itself in its first two bytes; 0 when fewer than two are there.
std::size_t UnitSizeOf(const std::uint8_t* unit, std::size_t available);

} // namespace lumelle
