// The form a conversion writes, as the options ask for it: its writer, the files it makes and
// where, the settings its pictures are drawn with, and the width check those allow.
#pragma once

#include "cli/RunState.h"
#include "convert/PictureSource.h"
#include "convert/PictureWriter.h"
#include "output/OutputPlan.h"
#include "pgs/PgsPictureSource.h"
#include "render/RenderSettings.h"
#include "subtitle/Subtitle.h"
#include "vobsub/VobSubWriter.h"

#include <QString>
#include <memory>

namespace lumelle {

// Where the pair of `file` goes: --output, else the file's own folder (for a name reached
// through a private link, the folder of the name as given).
QString OutputFolderFor(const RunState& run, const QString& file);

// The writer of the form the options ask for; a stream of one file is labelled `languageText`
// (an entry of the Language list); a Blu-ray form draws at `frame` when one is given, else at
// the frame the options name.
std::shared_ptr<PictureWriter> WriterFor(const RunState& run, const QString& languageText,
                                         QSize frame = QSize());
// The same with `options` in place of the run's own (a file's rate, see WithInputRate).
std::shared_ptr<PictureWriter> WriterFor(const RunState& run, const ConvertOptions& options,
                                         const QString& languageText, QSize frame = QSize());

// The writer of a VobSub pair of `streams` (read from a pair of several), `defaultStream`
// the one players pick first.
std::shared_ptr<PictureWriter> PairWriterFor(const RunState& run, const ConvertOptions& options,
                                             const std::vector<VobSubStream>& streams,
                                             int defaultStream);

// The options a file of pictures made for `frame` is converted with: without --fps, the rate of
// its own video, 29.97 for a 720x480 frame and 25 for 720x576, so that an NTSC track stays NTSC
// (a Blu-ray form only where its frame has video at that rate); `options` as they are else.
ConvertOptions WithInputRate(const ConvertOptions& options, QSize frame);

// The files a conversion writes.
const OutputSet& OutputSetOf(const RunState& run);

// The pictures of `file`, read into `list`: an ASS/SSA script is drawn by libass from its own
// text, every other kind by the text renderer from the list. The timing options apply.
std::shared_ptr<PictureSource> SourceFor(const TSubtitle& list, const QString& file,
                                         const ConvertOptions& options, bool forced);

// How a file of pictures is drawn again for the options: the rate, the DVD frame, the inks,
// forced, the DVD shape and the placement.
pgs::PgsSourceSettings PictureSourceSettings(const ConvertOptions& options);

// `source` with --brightness and the timing options applied (--shift, --speed, --forced-only,
// --drop-forced); `source` itself when they change nothing.
std::shared_ptr<PictureSource> WithTiming(std::shared_ptr<PictureSource> source,
                                          const ConvertOptions& options);
// The pictures of a planned source that the forced choice left out.
int LeftOutByTiming(const PictureSource& source);

// The first line too wide for the frame, as a message; empty when none is or when libass
// places the lines (an ASS/SSA script wraps and places its own).
QString TooWideIn(const TSubtitle& list, const ConvertOptions& options);

} // namespace lumelle
