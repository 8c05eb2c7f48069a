#include "cli/StreamConversion.h"

#include "cli/ExitStatus.h"
#include "cli/InputReading.h"
#include "cli/LanguageClassStreams.h"
#include "cli/OutputForm.h"
#include "cli/StoppableRun.h"
#include "cli/TerminalText.h"
#include "convert/JoinedSource.h"
#include "platform/SystemNames.h"

#include <memory>
#include <vector>

namespace lumelle {

namespace {

// The --stream files read so far, in the order given.
struct ReadStreams
{
    std::vector<std::unique_ptr<TSubtitle>> lists;
    std::vector<JoinedPictureSource::Input> inputs;
    std::vector<std::shared_ptr<PictureSource>> sources; // the same, to count after the run
    QStringList files;
    int skipped = 0;
    bool anySubtitle = false;
};

// Reads and checks the file of `stream` into `read`; false, after saying why, when it refuses
// the whole pair. A file that is empty, or holds no subtitle, joins as a stream left out.
bool readStream(const StreamInput& stream, const RunState& run, ReadStreams& read)
{
    const QString& file = stream.file;
    const QString name = run.inputs.shownName(file);
    read.files << file;
    TSubtitle& list = *read.lists.emplace_back(std::make_unique<TSubtitle>());
    // Each file's own language tells its code page apart.
    PrepareReading(list, run.options, stream.code.toStdString());
    list.SetLanguageClass(stream.languageClass);
    // "--stream ko:film.smi" takes the Korean class of a SAMI file of several languages.
    if (stream.languageClass.empty()) {
        for (const StreamInput& ofClass : LanguageClassStreams(file, run)) {
            if (ofClass.code == stream.code) {
                list.SetLanguageClass(ofClass.languageClass);
                break;
            }
        }
    }
    bool emptyRead = false;
    if (KindOfName(file) == NameKind::File && SizeOfName(file) == 0) {
        PrintLine(stderr, QStringLiteral("%1: empty: its stream is left out").arg(name));
    } else if (!ReadInput(list, file, run, &emptyRead)) {
        if (!emptyRead)
            return false;
        PrintLine(stderr, QStringLiteral("%1: its stream is left out").arg(name));
    }
    const QString tooWide = TooWideIn(list, run.options);
    if (!tooWide.isEmpty()) {
        PrintError(QStringLiteral("%1: %2").arg(name, tooWide));
        return false;
    }
    read.skipped += int(list.Skipped().size());
    read.anySubtitle = read.anySubtitle || list.Count() > 0;
    read.sources.push_back(SourceFor(list, file, run.options, stream.forced));
    read.inputs.push_back({read.sources.back(), name});
    return true;
}

} // namespace

int ConvertStreams(const RunState& run, FileReport& report)
{
    ReadStreams read;
    for (const StreamInput& stream : run.options.streams) {
        if (!readStream(stream, run, read))
            return 1;
    }
    if (!read.anySubtitle) {
        PrintError(QStringLiteral("lumelle-convert: no stream has a subtitle to show"));
        return 1;
    }

    GenerationRequest request;
    request.source = std::make_shared<JoinedPictureSource>(std::move(read.inputs));
    request.writer = WriterFor(run, run.options.languageText);
    request.subtitleFile = JoinedPairNameFile(read.files.front());
    request.outputFolder = OutputFolderFor(run, read.files.front());
    request.otherInputs = read.files;
    request.jobs = run.options.jobs;

    const GenerationResult result = RunStoppable(request, request.subtitleFile, run.options);
    int subtitles = 0;
    for (const auto& list : read.lists)
        subtitles += list->Count();
    for (const auto& source : read.sources)
        subtitles -= LeftOutByTiming(*source);
    subtitles = std::max(0, subtitles - result.skipped);
    read.skipped += result.skipped;
    FillReport(report, result, subtitles, read.skipped);
    QStringList shown;
    for (const QString& file : read.files)
        shown << run.inputs.shownName(file);
    const int rc = ReportRun(shown.join(QStringLiteral(" + ")), subtitles, result, run);
    return rc != 0 || read.skipped == 0 ? rc : kEntriesSkipped;
}

} // namespace lumelle
