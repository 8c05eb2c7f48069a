// The output forms the window offers, one row each: the key lumelle-convert's --format names
// it by (and the settings file keeps), the list's text, whether one output holds several
// languages, and how its writer is made from the window's choices. A new writer is offered by
// adding its row.
#pragma once

#include "convert/PictureWriter.h"
#include "render/RenderSettings.h"
#include "subtitle/FrameRate.h"
#include "vobsub/Palette.h"
#include "vobsub/VobSubWriter.h"

#include <QSize>
#include <QString>
#include <memory>
#include <vector>

namespace lumelle {

// What the window's controls say about the output, for any form's writer.
struct OutputChoices
{
    FrameRate frameRate;
    QString frameRateText; // as the frame-rate list shows it ("25000")
    VideoStandard videoStandard = VideoStandard::PAL;
    PaletteMode paletteMode = PaletteMode::PcDvdTwoPalettes;
    QString languageText;  // the Language list's entry, for an output of one stream
    QSize frame;           // the frame a Blu-ray form is written at
    OutputColours colours; // antialias, outline and text colours
    // One entry per file when files were added (the loaded file first); empty for the loaded
    // file alone.
    std::vector<VobSubStream> streams;
};

struct OutputForm
{
    const char* key;     // as --format names it
    QString (*name)();   // the list's text, in the user's language
    bool severalStreams; // one output may hold the streams of several files
    bool bluRay;         // drawn in full colour at the chosen Blu-ray frame size
    std::shared_ptr<PictureWriter> (*writer)(const OutputChoices& choices);
};

// Every form with a writer, in the order the list shows them.
const std::vector<OutputForm>& OutputForms();

// The row of `key`; an unknown key (a form of a later version, a damaged settings file) gives
// the first row, the VobSub pair.
const OutputForm& OutputFormOf(const QString& key);

// Why a Blu-ray form cannot be written at `frame` and the frame rate `rateText` ("25000"), in
// the user's language with the sizes and rates Blu-ray video has; empty when it can.
QString BluRayFormatRefusal(QSize frame, const QString& rateText);

} // namespace lumelle
