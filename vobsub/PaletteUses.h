// Which palette modes show the colours right where a pair is played: the one table the
// converter's help and the window's colour options both say.
#pragma once

#include "vobsub/Palette.h"

#include <vector>

namespace lumelle {

// The places a pair is shown, each named by the front end in its own words.
enum class PlayerUse { StandAlonePlayers, DvdAuthoring, SoftwarePlayers, CustomColourPlayers };

struct PaletteUse
{
    PlayerUse use;
    const char* name;     // in English, as the converter's help says it
    PaletteMode modes[2]; // the modes that show it right, the better first
};

// Every use, in the order the help lists them.
const std::vector<PaletteUse>& PaletteUses();

// Whether `mode` shows the colours right in `use`.
bool ShowsRight(const PaletteUse& use, PaletteMode mode);

} // namespace lumelle
