#include "cli/BitmapConversion.h"

#include "bdn/PictureFile.h"
#include "cli/DvdConversion.h"
#include "cli/ExitStatus.h"
#include "cli/OutputForm.h"
#include "cli/StoppableRun.h"
#include "cli/TerminalText.h"
#include "pgs/BluRayForm.h"
#include "platform/Error.h"

namespace lumelle {

namespace {

// The Blu-ray frame pictures are written at: the one asked for, else their own when a Blu-ray
// frame, so that a stream converted into its own form keeps its size.
QSize bluRayFrameFor(QSize own, const ConvertOptions& options)
{
    if (!options.frameSizeText.isEmpty() || own.isEmpty())
        return QSize();
    const QString text = QStringLiteral("%1x%2").arg(own.width()).arg(own.height());
    return BluRayFrameSizeTexts().contains(text) ? own : QSize();
}

} // namespace

bool IsPictureFile(const QString& file)
{
    return pgs::IsPictureFile(file);
}

int ConvertPictureFile(const QString& file, const RunState& run, FileReport& report,
                       QList<Produced>& produced)
{
    if (IsDvdPictureFile(file))
        return ConvertDvdFile(file, run, report, produced);
    const QString name = run.inputs.shownName(file);
    pgs::PictureFile read;
    try {
        read = pgs::ReadPictureFile(file);
    } catch (const Error& e) {
        PrintLine(stderr, QStringLiteral("%1: %2").arg(name, e.message()));
        return 1;
    }
    for (const QString& problem : read.problems)
        PrintLine(stderr, QStringLiteral("%1: warning: %2").arg(name, problem));
    // A stream made for a DVD frame keeps its video's rate unless --fps says otherwise.
    const ConvertOptions options = WithInputRate(run.options, read.frame);
    const int pictures = read.pictures->count();
    if (pictures == 0) {
        PrintLine(stderr, QStringLiteral("%1: no subtitle could be read").arg(name));
        return 1;
    }

    GenerationRequest request;
    request.source = WithTiming(
        std::make_shared<pgs::PgsPictureSource>(read.pictures, PictureSourceSettings(options)),
        options);
    request.writer =
        WriterFor(run, options, options.languageText, bluRayFrameFor(read.frame, options));
    request.subtitleFile = file;
    request.outputFolder = OutputFolderFor(run, file);
    request.otherInputs = options.files;
    for (const Produced& earlier : produced)
        request.otherInputs << earlier.outputs;
    request.jobs = options.jobs;

    const GenerationResult result = RunStoppable(request, file, options);
    const int damaged = int(read.problems.size());
    const int written = std::max(0, pictures - result.skipped - LeftOutByTiming(*request.source));
    FillReport(report, result, written, damaged + result.skipped);
    produced.append({result.outputs, file});
    const int rc = ReportRun(file, written, result, run);
    return rc != 0 || damaged + result.skipped == 0 ? rc : kEntriesSkipped;
}

} // namespace lumelle
