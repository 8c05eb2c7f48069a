// The subtitle file the main window has loaded and what the width checks said of it: shared by
// the loading, the preview and the run.
#pragma once

#include "ass/AssSource.h"
#include "subtitle/Subtitle.h"
#include "ui/LoadedPictures.h"

#include <memory>

namespace lumelle {

struct LoadedSubtitle
{
    // A file is loaded and every line of it passed the width check.
    bool SubtitleLoaded = false;
    // The most recent width check or preview drawing passed.
    bool LinesFit = false;

    // The current subtitle list; none before the first load.
    std::unique_ptr<TSubtitle> Subtitle;
    // When the loaded file is an ASS/SSA script: its text, drawn by libass, and the preview's
    // renderer. Its styles decide fonts, sizes, places and text colours.
    std::shared_ptr<const AssScript> assScript;
    std::unique_ptr<AssPreview> assPreview;
    // When the loaded file holds pictures (a PGS stream, DVD subtitles, a BDN index): they,
    // and `Subtitle` an empty list. Its pictures are converted as they are drawn, so neither
    // the fonts nor the width check apply.
    std::shared_ptr<LoadedPictures> pictures;
};

} // namespace lumelle
