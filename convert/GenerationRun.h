// One generation run: every subtitle of a list drawn, encoded and written as an .idx/.sub
// pair, then the help file. UI-free; the window and lumelle-convert drive it through callbacks.
#pragma once

#include "render/RenderSettings.h"
#include "render/Renderer.h"
#include "subtitle/Subtitle.h"
#include "vobsub/Palette.h"

#include <QString>
#include <QStringList>
#include <functional>

namespace lumelle {

struct GenerationRequest
{
    const TSubtitle* subtitles = nullptr;
    QString subtitleFile; // the loaded subtitle file; names the outputs
    FrameRate frameRate;  // the rate the frame numbers count at
    PaletteMode mode = PaletteMode::PcDvdTwoPalettes;
    QString languageText;  // a language list entry such as "el GREEK"
    OutputColours colours; // captured once for the whole run
    // Gathers the render settings, once, on the calling thread, as the run starts.
    std::function<RenderSettings()> gatherSettings;
    QString outputFolder;    // empty: the subtitle file's folder
    QStringList otherInputs; // files of the same run that must never be written over
    // Threads drawing and encoding the pictures: 0 one per core, 1 everything on the calling
    // thread. The output is the same for any number.
    int jobs = 0;
};

struct GenerationCallbacks
{
    // Called before subtitle `index` (1-based) of `count`; false stops the run (abort): the
    // remaining subtitles are skipped and no help file is written.
    std::function<bool(int index, int count)> beforeSubtitle;
    // Called with a subtitle's picture, after beforeSubtitle and before it is written. The
    // picture is drawn for it on the calling thread (the output itself is drawn on workers).
    std::function<void(const SubtitleImage&)> afterRender;
    // Which pictures afterRender is called for (index and count as for beforeSubtitle); unset,
    // every one. A preview showing a few pictures a second saves drawing the others twice.
    std::function<bool(int index, int count)> pictureWanted;
};

struct GenerationResult
{
    bool aborted = false;
    int written = 0; // pictures in the pair: one per subtitle, fewer or more with overlaps
    int merged = 0;  // subtitles shown together with another for part of their time
    QString idxPath;
    QString subPath;
    QString helpPath; // empty after an abort
    std::string helpText;
    QStringList notes; // files left as they were and where the output went instead
};

// The output names: the subtitle file's name with its last four characters replaced by the
// extension ("movie.srt" -> "movie.idx"); a name of three characters or fewer is kept whole.
QString ReplaceExtension(const QString& fileName, const QString& suffix);

// Paths of the .idx and .sub files for `subtitleFile` in `folder` (empty: the file's own
// folder). When the .sub would be the input file itself (a MicroDVD .sub), both are named
// <name>_vobsub.idx / <name>_vobsub.sub so that the input is never overwritten.
struct OutputPaths
{
    QString idx;
    QString sub;
    QString help;
};
OutputPaths OutputPathsFor(const QString& subtitleFile, const QString& folder = QString());

// The paths a run writes: `planned` with links followed, or the NAME_vobsub pair (with a note
// saying why) when a planned file is an input or not a VobSub file. Throws Error when neither
// pair may be written or a path is not a regular file.
OutputPaths SafeOutputPaths(const OutputPaths& planned, const GenerationRequest& request,
                            QStringList& notes);

// Runs the whole generation. Every start time is checked before a file is opened, so a list
// the .sub cannot hold is refused with no file touched. The pair is written under temporary
// names and renamed into place at the end, also after an abort with finished subtitles; a
// second run on the same pair meanwhile is refused. Throws Error with the message on any
// failure; the earlier files then stay as they were and the temporary ones are removed.
GenerationResult RunGeneration(const GenerationRequest& request,
                               const GenerationCallbacks& callbacks);

} // namespace lumelle
