#include "cli/BitmapConversion.h"

#include "cli/ExitStatus.h"
#include "cli/OutputForm.h"
#include "cli/StoppableRun.h"
#include "cli/TerminalText.h"
#include "pgs/BluRayForm.h"
#include "pgs/PgsPictureSource.h"
#include "platform/Error.h"

namespace lumelle {

namespace {

// The Blu-ray frame a stream is written at: the one asked for, else its own when a Blu-ray
// frame, so that a stream converted into its own form keeps its size.
QSize bluRayFrameFor(const pgs::ReadStream& stream, const ConvertOptions& options)
{
    if (!options.frameSizeText.isEmpty() || stream.frame.isEmpty())
        return QSize();
    const QString own =
        QStringLiteral("%1x%2").arg(stream.frame.width()).arg(stream.frame.height());
    return BluRayFrameSizeTexts().contains(own) ? stream.frame : QSize();
}

pgs::PgsSourceSettings sourceSettings(const ConvertOptions& options)
{
    pgs::PgsSourceSettings s;
    s.rate = RunFrameRate(options);
    s.dvdFrame = QSize(frameWidth(options.settings.videoStandard),
                       frameHeight(options.settings.videoStandard));
    s.inks = {options.settings.textColor, options.settings.outlineColor,
              options.settings.antialiasColor};
    s.forced = options.forced;
    s.wide = options.wideDvd;
    return s;
}

} // namespace

bool IsPictureFile(const QString& file)
{
    return pgs::IsPgsFile(file);
}

int ConvertPictureFile(const QString& file, const RunState& run, FileReport& report,
                       QList<Produced>& produced)
{
    const ConvertOptions& options = run.options;
    const QString name = run.inputs.shownName(file);
    std::shared_ptr<pgs::ReadStream> stream;
    try {
        stream = std::make_shared<pgs::ReadStream>(pgs::ReadPgsFile(file));
    } catch (const Error& e) {
        PrintLine(stderr, QStringLiteral("%1: %2").arg(name, e.message()));
        return 1;
    }
    for (const pgs::ReadProblem& problem : stream->problems)
        PrintLine(stderr, QStringLiteral("%1: warning: %2").arg(name, problem.message));
    const int pictures = int(stream->displays.size());
    if (pictures == 0) {
        PrintLine(stderr, QStringLiteral("%1: no subtitle could be read").arg(name));
        return 1;
    }

    GenerationRequest request;
    request.source = std::make_shared<pgs::PgsPictureSource>(stream, sourceSettings(options));
    request.writer = WriterFor(run, options.languageText, bluRayFrameFor(*stream, options));
    request.subtitleFile = file;
    request.outputFolder = OutputFolderFor(run, file);
    request.otherInputs = options.files;
    for (const Produced& earlier : produced)
        request.otherInputs << earlier.outputs;
    request.jobs = options.jobs;

    const GenerationResult result = RunStoppable(request, file, options);
    const int damaged = int(stream->problems.size());
    FillReport(report, result, pictures, damaged);
    produced.append({result.outputs, file});
    const int rc = ReportRun(file, pictures, result, run);
    return rc != 0 || damaged == 0 ? rc : kEntriesSkipped;
}

} // namespace lumelle
