// One generation run: every picture of a source handed, in show order, to a writer that makes
// the files of one output form. The run knows neither: it plans and guards the output files,
// checks everything it can before a file is touched, draws and encodes on every core and
// writes on the calling thread. UI-free; the window and lumelle-convert drive it through
// callbacks.
#pragma once

#include "convert/PictureSource.h"
#include "convert/PictureWriter.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

namespace lumelle {

struct GenerationRequest
{
    std::shared_ptr<PictureSource> source; // the pictures
    std::shared_ptr<PictureWriter> writer; // the output form
    QString subtitleFile;                  // the subtitle file read; names the outputs
    QString outputFolder;                  // empty: the subtitle file's folder
    QStringList otherInputs;               // files of the same run that must never be written over
    // Threads drawing and encoding the pictures: 0 one per core, 1 everything on the calling
    // thread. The output is the same for any number.
    int jobs = 0;
};

struct GenerationCallbacks
{
    // Called before picture `index` (1-based) of `count`; false stops the run (abort): the
    // remaining pictures are skipped and nothing is written beside the output.
    std::function<bool(int index, int count)> beforeSubtitle;
    // After a stop with `written` pictures finished: true puts them in place, false removes
    // them and leaves the earlier files as they were. `replacesEarlier` tells whether files
    // are there to be replaced. Unset, the finished pictures are put in place.
    std::function<bool(int written, bool replacesEarlier)> keepFinished;
    // Called with a picture as it is to be shown, after beforeSubtitle and before it is
    // written. It is drawn for this on the calling thread (the output itself is drawn on
    // workers).
    std::function<void(const SubtitleImage&)> afterRender;
    // Which pictures afterRender is called for (index and count as for beforeSubtitle); unset,
    // every one. A preview showing a few pictures a second saves drawing the others twice.
    std::function<bool(int index, int count)> pictureWanted;
};

// The planned output files of `request` before the run: where its writer's set goes unless
// the names are taken.
OutputPlan PlannedOutputs(const GenerationRequest& request);

// Runs the whole generation. Every start time and picture is checked before a file is opened,
// so a list the output cannot hold is refused with no file touched. The files are written
// under temporary names and renamed into place at the end, also after an abort with finished
// pictures unless keepFinished says no; a second run on the same files meanwhile is refused. Throws
// Error with the message on any failure; the earlier files then stay as they were and the temporary
// ones are removed.
GenerationResult RunGeneration(const GenerationRequest& request,
                               const GenerationCallbacks& callbacks);

} // namespace lumelle
