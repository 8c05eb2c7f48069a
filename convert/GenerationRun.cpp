#include "convert/GenerationRun.h"

#include "platform/Error.h"
#include "render/TextBlock.h"
#include "output/DeviceWriting.h"
#include "vobsub/HelpText.h"
#include "vobsub/IndexWriter.h"
#include "output/OutputFiles.h"
#include "vobsub/ProgramStream.h"
#include "convert/ShowPlan.h"
#include "vobsub/SubpictureEncoder.h"
#include "convert/UnitPipeline.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <optional>

namespace lumelle {

namespace {

// An output file of the run, written under a temporary name and put in place by commit().
// Opening failures carry the file's name. It is unbuffered: every write goes straight to the
// system, so a full disk shows at the subtitle that filled it.
class OutputFile
{
public:
    explicit OutputFile(const QString& path) : m_staged(path) {}

    QFile& device() { return m_staged.device(); }
    qint64 size() { return m_staged.device().size(); }

    // Cuts the file back to `size` bytes after a failed write, so it keeps whole entries only.
    void truncate(qint64 size) { m_staged.device().resize(size); }

    // The message for a failed write, naming the file and giving the system's reason.
    QString writeError(const Error& cause) const
    {
        return CannotWriteFileMessage(m_staged.finalPath(), cause.message());
    }

    void startWriteback(qint64 written) { m_staged.startWriteback(written); }
    void commit() { m_staged.commit(); }

private:
    StagedFile m_staged;
};

// One picture of the stream: when it shows and the subtitles in it, the first at the bottom.
// Made from its segment of the plan as it is needed, and its lines laid out as it is drawn,
// so that a whole film is never held twice, nor its text laid out at once.
struct Picture
{
    ShowTimes frames;
    int number; // the subtitle named in messages: the last one stacked
    std::vector<SubtitleLine> entries;
};

// The subtitle a picture is named by in messages and the .sub's numbering.
int numberOf(const ShowSegment& segment)
{
    return segment.entries.back() + 1;
}

Picture pictureOf(const TSubtitle& list, const ShowSegment& segment)
{
    Picture picture{{segment.start, segment.end}, numberOf(segment), {}};
    picture.entries.reserve(segment.entries.size());
    for (int i : segment.entries)
        picture.entries.push_back(list.line(i + 1));
    return picture;
}

QString tooTallMessage(int number)
{
    return QStringLiteral("Subtitle %1 is taller than the frame. Please use a smaller font size "
                          "or fewer lines.")
        .arg(number);
}

// Every subtitle's frame numbers are read, once, and its start time checked before any file
// is touched, so a list the .sub cannot hold is refused without leaving half a pair behind.
std::vector<ShowTimes> checkedFrames(const TSubtitle& list, FrameRate rate)
{
    std::vector<ShowTimes> frames;
    frames.reserve(std::size_t(list.Count()));
    for (int i = 1; i <= list.Count(); ++i) {
        const SubtitleLine entry = list.line(i);
        const int end = StrToInt(entry.EndFrame);
        const int start = StrToInt(entry.StartFrame);
        PresentationTicks(start, rate, i);
        frames.push_back({start, end});
    }
    return frames;
}

// The .idx and .sub files of one run, the index header written as the pair is opened.
class OutputPair
{
public:
    OutputPair(const OutputPaths& paths, const GenerationRequest& request)
        : m_request(request), m_idx(paths.idx)
    {
        try {
            WriteIndexHeader(m_idx.device(), request.frameRate, request.mode, request.colours,
                             request.languageText);
        } catch (const Error& e) {
            throw Error(m_idx.writeError(e));
        }
        m_sub.emplace(paths.sub);
    }

    // Writes the unit of one picture.
    void add(const std::vector<std::uint8_t>& unit, int startFrame, int number)
    {
        write(unit, startFrame, number);
    }

    // Puts both files in place, the .sub first so that the index never names missing packs.
    void commit()
    {
        m_sub->commit();
        m_idx.commit();
    }

private:
    // The packs go out first and the index line only once they are on disk, so that after a
    // failure every index line points at a whole subtitle.
    void write(const std::vector<std::uint8_t>& unit, int startFrame, int number)
    {
        OutputFile& sub = *m_sub;
        const std::uint32_t packsBefore = m_packCount;
        const qint64 subSize = qint64(packsBefore) * qint64(kPackSize);
        try {
            WriteSubtitlePacks(sub.device(), unit, startFrame, m_request.frameRate, number,
                               m_packCount);
        } catch (const Error& e) {
            sub.truncate(subSize);
            throw Error(sub.writeError(e));
        }
        const qint64 idxSize = m_idx.size();
        try {
            WriteIndexEntry(m_idx.device(), startFrame, m_request.frameRate, packsBefore);
        } catch (const Error& e) {
            m_idx.truncate(idxSize);
            sub.truncate(subSize);
            throw Error(m_idx.writeError(e));
        }
        sub.startWriteback(qint64(m_packCount) * qint64(kPackSize));
    }

    const GenerationRequest& m_request;
    OutputFile m_idx;
    std::optional<OutputFile> m_sub; // created once the header is written
    std::uint32_t m_packCount = 0;
};

// Draws `picture` into `image` as `settings` say; false when it is taller than the frame.
bool drawPicture(SubtitleImage& image, const Picture& picture, const RenderSettings& settings)
{
    int anchor = 0;
    const std::vector<StyledText> lines = StackedLines(picture.entries, settings, anchor);
    return RenderSubtitleBlock(image, lines, anchor, settings);
}

// Draws and encodes one picture; `image` is the worker's own drawing space.
std::vector<std::uint8_t> encodePicture(const Picture& picture, const RenderSettings& settings,
                                        const GenerationRequest& request, SubtitleImage& image)
{
    if (!drawPicture(image, picture, settings))
        throw Error(tooTallMessage(picture.number));
    // A band wholly outside the frame has nothing to show; two rows inside it keep the
    // subtitle's place in the stream as an empty picture.
    const int bandHeight = image.bandHeight >= 2 ? image.bandHeight : 2;
    return EncodeSubpictureFromMasks(image.masks, image.bandTop, bandHeight, request.colours,
                                     picture.frames.start, picture.frames.end, request.frameRate,
                                     picture.number);
}

// Refuses, before any file is touched, a picture taller than the frame in `settings`.
void checkHeights(const TSubtitle& list, const ShowPlan& plan, const RenderSettings& settings)
{
    for (const ShowSegment& segment : plan.segments) {
        const Picture picture = pictureOf(list, segment);
        int anchor = 0;
        if (!BlockFitsFrame(StackedLines(picture.entries, settings, anchor), settings))
            throw Error(tooTallMessage(picture.number));
    }
}

} // namespace

QString ReplaceExtension(const QString& fileName, const QString& suffix)
{
    if (fileName.size() <= 3)
        return fileName + suffix;
    return fileName.left(fileName.size() - 4) + suffix;
}

OutputPaths OutputPathsFor(const QString& subtitleFile, const QString& folder)
{
    const QFileInfo input(subtitleFile);
    const QDir dir(folder.isEmpty() ? input.absolutePath() : folder);
    const QString base = input.fileName();
    OutputPaths paths;
    paths.idx = dir.filePath(ReplaceExtension(base, QStringLiteral(".idx")));
    paths.sub = dir.filePath(ReplaceExtension(base, QStringLiteral(".sub")));
    const QString canonicalInput = input.canonicalFilePath();
    if (QFileInfo(paths.sub).absoluteFilePath() == input.absoluteFilePath() ||
        (!canonicalInput.isEmpty() && QFileInfo(paths.sub).canonicalFilePath() == canonicalInput)) {
        const QString stem = ReplaceExtension(base, QStringLiteral("_vobsub"));
        paths.idx = dir.filePath(stem + QStringLiteral(".idx"));
        paths.sub = dir.filePath(stem + QStringLiteral(".sub"));
    }
    paths.help = dir.filePath(QString::fromLatin1(kHelpFileName));
    return paths;
}

namespace {

QStringList inputsOf(const GenerationRequest& request)
{
    return QStringList{request.subtitleFile} + request.otherInputs;
}

// The file a path names, its symbolic links followed, so that a link keeps pointing at the
// new file.
QString followLinks(const QString& path)
{
    const QFileInfo info(path);
    if (!info.isSymLink())
        return path;
    const QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? info.symLinkTarget() : canonical;
}

// Why the pair must not replace the files at `paths`, naming the file; empty when it may.
QString reasonToKeepPair(const OutputPaths& paths, const QStringList& inputs)
{
    for (const auto& [path, kind] : {std::pair{paths.idx, QStringLiteral("idx")},
                                     std::pair{paths.sub, QStringLiteral("sub")}}) {
        if (!IsRegularOrAbsent(path))
            throw Error(CannotCreateFileMessage(path, QStringLiteral("It is not a regular file.")));
        const QString why = ReasonToKeep(path, kind, inputs);
        if (!why.isEmpty())
            return QStringLiteral("%1 was left as it is: %2.")
                .arg(QDir::toNativeSeparators(path), why);
    }
    return QString();
}

} // namespace

OutputPaths SafeOutputPaths(const OutputPaths& planned, const GenerationRequest& request,
                            QStringList& notes)
{
    const QStringList inputs = inputsOf(request);
    const auto followed = [](const OutputPaths& p) {
        return OutputPaths{followLinks(p.idx), followLinks(p.sub), followLinks(p.help)};
    };
    const QString why = reasonToKeepPair(planned, inputs);
    if (why.isEmpty())
        return followed(planned);
    OutputPaths other = planned;
    other.idx = ReplaceExtension(planned.idx, QStringLiteral("_vobsub.idx"));
    other.sub = ReplaceExtension(planned.sub, QStringLiteral("_vobsub.sub"));
    const QString whyOther = reasonToKeepPair(other, inputs);
    if (!whyOther.isEmpty())
        throw Error(CannotCreateFileMessage(other.idx, why + QLatin1Char(' ') + whyOther));
    notes << QStringLiteral("%1 The pair was written as %2 and %3.")
                 .arg(why, QDir::toNativeSeparators(other.idx),
                      QDir::toNativeSeparators(other.sub));
    return followed(other);
}

namespace {

// Writes the help file beside the pair, unless its name is taken by a file that is not ours.
void writeHelp(const GenerationRequest& request, const OutputPaths& paths, GenerationResult& result)
{
    const QString keepHelp = ReasonToKeep(paths.help, QStringLiteral("help"), inputsOf(request));
    if (!keepHelp.isEmpty()) {
        result.notes << QStringLiteral("%1 was left as it is: %2.")
                            .arg(QDir::toNativeSeparators(paths.help), keepHelp);
        return;
    }
    result.helpPath = paths.help;
    result.helpText =
        HelpText(request.colours, QFileInfo(paths.idx).fileName(), QFileInfo(paths.sub).fileName(),
                 QDir::toNativeSeparators(paths.help));
    WriteHelpFile(paths.help, result.helpText);
}

} // namespace

GenerationResult RunGeneration(const GenerationRequest& request,
                               const GenerationCallbacks& callbacks)
{
    Q_ASSERT(request.subtitles && request.gatherSettings);
    const TSubtitle& list = *request.subtitles;
    const OutputPaths planned = OutputPathsFor(request.subtitleFile, request.outputFolder);
    const OutputLock lock(planned.idx);
    GenerationResult result;
    const OutputPaths paths = SafeOutputPaths(planned, request, result.notes);
    // A pair moved aside (NAME_vobsub.*) may be another run's planned pair: hold it too.
    std::optional<OutputLock> movedLock;
    if (paths.idx != planned.idx)
        movedLock.emplace(paths.idx);
    const ShowPlan plan = PlanShowing(checkedFrames(list, request.frameRate));
    RenderSettings settings = request.gatherSettings();
    checkHeights(list, plan, settings);

    result.idxPath = paths.idx;
    result.subPath = paths.sub;
    result.merged = plan.merged;
    {
        OutputPair pair(paths, request);
        const int count = int(plan.segments.size());
        const int jobs = std::min(WorkerCount(request.jobs), std::max(count, 1));
        std::vector<SubtitleImage> images(static_cast<std::size_t>(jobs));
        for (SubtitleImage& image : images)
            image.paintPixels = false; // the encoder reads the layers only
        SubtitleImage shown;           // the pictures handed to afterRender
        PipelineSteps steps;
        steps.before = [&](int k) {
            return !callbacks.beforeSubtitle || callbacks.beforeSubtitle(k + 1, count);
        };
        steps.make = [&](int k, int worker) {
            return encodePicture(pictureOf(list, plan.segments[std::size_t(k)]), settings, request,
                                 images[std::size_t(worker)]);
        };
        steps.take = [&](int k, std::vector<std::uint8_t>& unit) {
            const ShowSegment& segment = plan.segments[std::size_t(k)];
            if (callbacks.afterRender &&
                (!callbacks.pictureWanted || callbacks.pictureWanted(k + 1, count))) {
                drawPicture(shown, pictureOf(list, segment), settings);
                callbacks.afterRender(shown);
            }
            pair.add(unit, segment.start, numberOf(segment));
            ++result.written;
        };
        result.aborted = RunInOrder(count, jobs, steps).stopped;
        // An aborted run still puts its finished subtitles in place; one that finished none
        // leaves the earlier pair as it was. On an error the temporary files go.
        if (!result.aborted || result.written > 0)
            pair.commit();
    }

    if (result.aborted)
        return result;

    writeHelp(request, paths, result);
    return result;
}

} // namespace lumelle
