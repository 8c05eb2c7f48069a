#include "cli/FileConversion.h"

#include "cli/BitmapConversion.h"
#include "cli/ExitStatus.h"
#include "cli/InputReading.h"
#include "cli/OutputForm.h"
#include "cli/StoppableRun.h"
#include "cli/TerminalText.h"
#include "subtitle/ForcedMarks.h"

#include <QFileInfo>

namespace lumelle {

int ConvertFile(const QString& file, const RunState& run, FileReport& report,
                QList<Produced>& produced)
{
    const ConvertOptions& options = run.options;
    if (IsPictureFile(file))
        return ConvertPictureFile(file, run, report, produced);
    TSubtitle list;
    PrepareReading(list, options, ReadingLanguage(file, options));
    if (!ReadInput(list, file, run))
        return 1;
    const StreamLanguage language = LanguageOfInput(file, list, run);
    if (!options.placement.isNone())
        PrintLine(stderr, QStringLiteral("%1: warning: --move and --keep-inside place pictures "
                                         "read from PGS files; text is placed by --align and "
                                         "--offset")
                              .arg(run.inputs.shownName(file)));
    // A name like film.de.forced.srt marks every subtitle of its file forced.
    const bool forced = options.forced || ReadStreamFileName(QFileInfo(file).fileName()).forced;

    // Like the window: every line is checked against the frame width first, and a file with a
    // line too wide is refused before anything is written.
    const QString tooWide = TooWideIn(list, options);
    if (!tooWide.isEmpty()) {
        PrintError(QStringLiteral("%1: %2").arg(run.inputs.shownName(file), tooWide));
        return 1;
    }

    GenerationRequest request;
    request.source = SourceFor(list, file, options, forced);
    request.writer = WriterFor(run, language.languageText);
    request.subtitleFile = file;
    request.outputFolder = OutputFolderFor(run, file);
    request.otherInputs = options.files;
    for (const Produced& earlier : produced)
        request.otherInputs << earlier.outputs;
    request.jobs = options.jobs;

    const GenerationResult result = RunStoppable(request, file, options);
    const int skipped = int(list.Skipped().size()) + result.skipped;
    const int subtitles =
        std::max(0, list.Count() - result.skipped - LeftOutByTiming(*request.source));
    FillReport(report, result, subtitles, skipped);
    produced.append({result.outputs, file});
    const int rc = ReportRun(file, subtitles, result, run);
    return rc != 0 || skipped == 0 ? rc : kEntriesSkipped;
}

} // namespace lumelle
