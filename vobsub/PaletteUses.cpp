#include "vobsub/PaletteUses.h"

#include <algorithm>
#include <iterator>

namespace lumelle {

const std::vector<PaletteUse>& PaletteUses()
{
    // mpv, VLC and ffmpeg read only the palette line and take it for RGB: a Y/Cr/Cb palette
    // there shows white text pink. DVD players read it as Y/Cr/Cb.
    static const std::vector<PaletteUse> uses = {
        {PlayerUse::StandAlonePlayers,
         "stand-alone DVD and DivX players",
         {PaletteMode::PcDvdTwoPalettes, PaletteMode::DvdOnly}},
        {PlayerUse::DvdAuthoring,
         "DVD authoring",
         {PaletteMode::DvdOnly, PaletteMode::PcDvdTwoPalettes}},
        {PlayerUse::SoftwarePlayers,
         "mpv, VLC, ffmpeg-based players, Matroska files made with mkvmerge",
         {PaletteMode::PcOnly, PaletteMode::PcDvdSafePalette}},
        {PlayerUse::CustomColourPlayers,
         "players with the custom-colour extension",
         {PaletteMode::PcDvdTwoPalettes, PaletteMode::PcOnly}},
    };
    return uses;
}

bool ShowsRight(const PaletteUse& use, PaletteMode mode)
{
    return std::find(std::begin(use.modes), std::end(use.modes), mode) != std::end(use.modes);
}

} // namespace lumelle
