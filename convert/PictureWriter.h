// What a run writes to: the files of one output form, made from timed pictures in show order.
#pragma once

#include "convert/EncodedPicture.h"
#include "convert/PalettePlan.h"
#include "convert/TimedPicture.h"
#include "output/OutputPlan.h"

#include <QStringList>
#include <string>
#include <vector>

namespace lumelle {

// What a run did, for the window and the converter to report.
struct GenerationResult
{
    bool aborted = false;
    int written = 0;        // pictures written: one per subtitle, fewer or more with overlaps
    bool committed = false; // the files were put in place (after an abort too, when kept)
    int merged = 0;         // subtitles shown together with another for part of their time
    int skipped = 0;        // subtitles the source could not draw, named in the notes
    QStringList outputs;    // the files of the output set, in the writer's order
    QString helpPath;       // a help file written beside them; empty when none (or aborted)
    std::string helpText;
    std::string helpShown; // the help text in the user's language, for the window's box
    QStringList notes;     // files left as they were and where the output went instead
};

class PictureWriter
{
public:
    virtual ~PictureWriter() = default;

    // The files this form makes from one input.
    virtual const OutputSet& outputs() const = 0;
    // How the pictures are to be drawn for this form.
    virtual PictureForm form() const { return {}; }
    // The palette the source planned, before open(): a form without a palette ignores it.
    virtual void usePalette(const PalettePlan& plan) { (void)plan; }
    // Refuses, with a message naming subtitle `number`, a start time the form cannot hold.
    virtual void checkStart(int startFrame, int number) const = 0;
    // Before open(): how many pictures each stream will bring (PictureTimes::stream), so that a
    // form can leave out a stream without any. Refuses, with a message, streams it cannot hold.
    virtual void planStreams(const std::vector<int>& picturesPerStream) { (void)picturesPerStream; }
    // Creates the files at `paths` (in the order of outputs().files) under temporary names and
    // writes what comes before the first picture.
    virtual void open(const QStringList& paths) = 0;
    // Encodes one picture. Called on several threads at once: it changes nothing.
    virtual EncodedPicture encode(const TimedPicture& picture) const = 0;
    // Appends one encoded picture, in show order, on the run's thread.
    virtual void write(const PictureTimes& times, const EncodedPicture& encoded) = 0;
    // Puts the files in place of the earlier ones.
    virtual void commit() = 0;
    // Removes the temporary files of a run that ends without commit(); the earlier files stay
    // as they were. Safe to call when nothing is open.
    virtual void discard() = 0;
    // After a finished run: writes what goes beside the files into `folder` (a help file),
    // never replacing one of `inputs`, and names it in `result`.
    virtual void finish(const QDir& folder, const QStringList& inputs, GenerationResult& result)
    {
        (void)folder, (void)inputs, (void)result;
    }
};

} // namespace lumelle
