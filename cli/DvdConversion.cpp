#include "cli/DvdConversion.h"

#include "bdn/PictureFile.h"
#include "cli/ExitStatus.h"
#include "cli/OutputForm.h"
#include "cli/StoppableRun.h"
#include "cli/TerminalText.h"
#include "convert/JoinedSource.h"
#include "pgs/BluRayForm.h"
#include "pgs/DvdPictureSource.h"
#include "platform/Error.h"
#include "vobsub/Languages.h"
#include "vobsub/VobSubReader.h"

#include <QDir>
#include <QFileInfo>

namespace lumelle {

namespace {

struct ReadFile
{
    std::shared_ptr<DvdRead> read;
    QStringList files; // every file read, so that none is replaced by an output
};

// A file without a palette is taken to hold our own entries, in the colours the options name.
void useOurPalette(DvdRead& read, const ConvertOptions& options)
{
    const RenderSettings& s = options.settings;
    pgs::UseOwnPalette(read, {s.textColor, s.outlineColor, s.antialiasColor});
}

ReadFile readDvdFile(const QString& file)
{
    const pgs::PictureFile read = pgs::ReadPictureFile(file);
    return {read.dvd, read.files};
}

// Whether the form asked for holds one stream only.
bool oneStreamForm(const ConvertOptions& options)
{
    return WritesBluRay(options) || options.writeSup;
}

// The streams of `read` to convert, as positions in read.streams; empty, after saying why,
// when the one asked for is not there.
std::vector<int> chosenStreams(const DvdRead& read, const QString& name,
                               const ConvertOptions& options)
{
    if (options.streamIndex >= 0) {
        for (std::size_t i = 0; i < read.streams.size(); ++i)
            if (read.streams[i].index == options.streamIndex)
                return {int(i)};
        PrintError(QStringLiteral("%1: no stream %2; its streams: %3")
                       .arg(name)
                       .arg(options.streamIndex)
                       .arg(DvdStreamNames(read)));
        return {};
    }
    if (read.streams.size() > 1 && oneStreamForm(options)) {
        const DvdStream& chosen = read.streams[std::size_t(read.defaultStream)];
        PrintLine(stderr, QStringLiteral("%1: warning: its streams are %2; the default one, %3, "
                                         "is converted (--stream-index N takes another)")
                              .arg(name, DvdStreamNames(read), DvdStreamName(chosen)));
        return {read.defaultStream};
    }
    std::vector<int> all;
    for (std::size_t i = 0; i < read.streams.size(); ++i)
        all.push_back(int(i));
    return all;
}

pgs::PgsSourceSettings sourceSettings(const ConvertOptions& options)
{
    pgs::PgsSourceSettings s = PictureSourceSettings(options);
    // The DVD pictures read show at the shape --aspect names, as the ones written do.
    s.sourceShape = options.wideDvd ? 16.0 / 9.0 : 4.0 / 3.0;
    return s;
}

// The language list entry of a stream: its own code unless --language names one.
QString languageTextOf(const DvdStream& stream, const ConvertOptions& options)
{
    if (options.languageGiven || stream.code.size() != 2)
        return options.languageText;
    return QStringLiteral("%1 %2").arg(stream.code, LanguageName(stream.code).toUpper());
}

// The source and writer of the chosen streams: one stream alone, several joined into a pair.
void plan(const ReadFile& in, const std::vector<int>& chosen, const QString& name,
          const RunState& run, const ConvertOptions& options, GenerationRequest& request)
{
    const DvdRead& read = *in.read;
    if (chosen.size() == 1) {
        auto source =
            std::make_shared<pgs::DvdPictureSource>(in.read, chosen[0], sourceSettings(options));
        // A Blu-ray form keeps the DVD frame unless --frame-size names another (or the frame
        // is none Blu-ray has).
        const QString own =
            QStringLiteral("%1x%2").arg(source->frame().width()).arg(source->frame().height());
        const QSize frame = options.frameSizeText.isEmpty() && BluRayFrameSizeTexts().contains(own)
                                ? source->frame()
                                : QSize();
        request.source = WithTiming(source, options);
        request.writer = WriterFor(
            run, options, languageTextOf(read.streams[std::size_t(chosen[0])], options), frame);
        return;
    }
    std::vector<JoinedPictureSource::Input> inputs;
    std::vector<VobSubStream> streams;
    int defaultStream = 0;
    for (int i : chosen) {
        const DvdStream& s = read.streams[std::size_t(i)];
        const QString shown = QStringLiteral("%1 stream %2").arg(name).arg(s.index);
        inputs.push_back(
            {std::make_shared<pgs::DvdPictureSource>(in.read, i, sourceSettings(options)), shown});
        const QString code = s.code.size() == 2 ? s.code : languageTextOf(s, options).left(2);
        if (i == read.defaultStream)
            defaultStream = int(streams.size());
        streams.push_back({code, s.alt, shown});
    }
    request.source = WithTiming(std::make_shared<JoinedPictureSource>(std::move(inputs)), options);
    request.writer = PairWriterFor(run, options, streams, defaultStream);
}

int picturesOf(const DvdRead& read, const std::vector<int>& chosen)
{
    int n = 0;
    for (int i : chosen)
        n += int(read.streams[std::size_t(i)].pictures.size());
    return n;
}

} // namespace

bool IsDvdPictureFile(const QString& file)
{
    return pgs::IsDvdPictureFile(file);
}

int ConvertDvdFile(const QString& file, const RunState& run, FileReport& report,
                   QList<Produced>& produced)
{
    const QString name = run.inputs.shownName(file);
    ReadFile in;
    try {
        in = readDvdFile(file);
        useOurPalette(*in.read, run.options);
    } catch (const Error& e) {
        PrintLine(stderr, QStringLiteral("%1: %2").arg(name, e.message()));
        return 1;
    }
    // An NTSC track stays NTSC unless --fps says otherwise.
    const ConvertOptions options = WithInputRate(run.options, in.read->frame);
    for (const DvdProblem& problem : in.read->problems) {
        const QString where = problem.file.isEmpty() || problem.file == file
                                  ? QString()
                                  : QFileInfo(problem.file).fileName() + QStringLiteral(": ");
        PrintLine(stderr, QStringLiteral("%1: warning: %2%3").arg(name, where, problem.message));
    }
    const std::vector<int> chosen = chosenStreams(*in.read, name, options);
    if (chosen.empty())
        return 1;
    const int pictures = picturesOf(*in.read, chosen);
    if (pictures == 0) {
        PrintLine(stderr, QStringLiteral("%1: no subtitle could be read").arg(name));
        return 1;
    }

    GenerationRequest request;
    plan(in, chosen, name, run, options, request);
    request.subtitleFile = file;
    request.outputFolder = OutputFolderFor(run, file);
    request.otherInputs = options.files + in.files;
    for (const Produced& earlier : produced)
        request.otherInputs << earlier.outputs;
    request.jobs = options.jobs;

    const GenerationResult result = RunStoppable(request, file, options);
    const int damaged = int(in.read->problems.size());
    const int written = std::max(0, pictures - result.skipped - LeftOutByTiming(*request.source));
    FillReport(report, result, written, damaged + result.skipped);
    produced.append({result.outputs, file});
    const int rc = ReportRun(file, written, result, run);
    return rc != 0 || damaged + result.skipped == 0 ? rc : kEntriesSkipped;
}

} // namespace lumelle
