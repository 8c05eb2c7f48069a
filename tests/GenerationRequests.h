// A generation run as the tests start it: 25 frames per second, English, the colours of the
// given settings, gathered as the run starts.
#pragma once

#include "render/RenderSettings.h"
#include "subtitle/Subtitle.h"
#include "convert/GenerationRun.h"

inline lumelle::GenerationRequest defaultRequest(const lumelle::TSubtitle& list,
                                                 const QString& subtitleFile,
                                                 const lumelle::RenderSettings& settings)
{
    lumelle::GenerationRequest r;
    r.subtitles = &list;
    r.subtitleFile = subtitleFile;
    r.frameRate = lumelle::FrameRate(25000);
    r.languageText = QStringLiteral("en ENGLISH");
    r.colours = {settings.antialiasColor, settings.outlineColor, settings.textColor};
    r.gatherSettings = [&settings] { return settings; };
    return r;
}
