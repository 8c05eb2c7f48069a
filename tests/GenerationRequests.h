// A generation run as the tests start it: the text of `list` drawn with `settings` into a
// VobSub pair, 25 frames per second unless told otherwise, English, the settings' colours.
#pragma once

#include "convert/GenerationRun.h"
#include "convert/TextSource.h"
#include "render/RenderSettings.h"
#include "subtitle/Subtitle.h"
#include "vobsub/VobSubWriter.h"

inline lumelle::GenerationRequest
defaultRequest(const lumelle::TSubtitle& list, const QString& subtitleFile,
               const lumelle::RenderSettings& settings,
               lumelle::FrameRate rate = lumelle::FrameRate(25000),
               lumelle::PaletteMode mode = lumelle::PaletteMode::PcDvdTwoPalettes)
{
    lumelle::GenerationRequest r;
    r.source = std::make_shared<lumelle::TextPictureSource>(list, settings);
    lumelle::VobSubOptions pair;
    pair.frameRate = rate;
    pair.mode = mode;
    pair.languageText = QStringLiteral("en ENGLISH");
    pair.colours = {settings.antialiasColor, settings.outlineColor, settings.textColor};
    r.writer = std::make_shared<lumelle::VobSubWriter>(pair);
    r.subtitleFile = subtitleFile;
    return r;
}

// The two files of a VobSub pair a run wrote.
inline QString idxOf(const lumelle::GenerationResult& result)
{
    return result.outputs.value(0);
}
inline QString subOf(const lumelle::GenerationResult& result)
{
    return result.outputs.value(1);
}
