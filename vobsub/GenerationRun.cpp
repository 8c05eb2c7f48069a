#include "vobsub/GenerationRun.h"

#include "platform/Error.h"
#include "render/TextBlock.h"
#include "vobsub/DeviceWriting.h"
#include "vobsub/HelpText.h"
#include "vobsub/IndexWriter.h"
#include "vobsub/OutputFiles.h"
#include "vobsub/ProgramStream.h"
#include "vobsub/ShowPlan.h"
#include "vobsub/SubpictureEncoder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
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

    void commit() { m_staged.commit(); }

private:
    StagedFile m_staged;
};

struct Frames
{
    int start;
    int end;
};

// One picture of the stream: when it shows and the subtitles in it, the first at the bottom.
// Their lines are laid out as each picture is drawn, so that a whole film's text is never
// held laid out at once.
struct Picture
{
    Frames frames;
    int number; // the subtitle named in messages: the last one stacked
    std::vector<const SubtitleLine*> entries;
};

QString tooTallMessage(int number)
{
    return QStringLiteral("Subtitle %1 is taller than the frame. Please use a smaller font size "
                          "or fewer lines.")
        .arg(number);
}

// Every subtitle's frame numbers are read, once, and its start time checked before any file
// is touched, so a list the .sub cannot hold is refused without leaving half a pair behind.
std::vector<Frames> checkedFrames(const TSubtitle& list, FrameRate rate)
{
    std::vector<Frames> frames;
    frames.reserve(std::size_t(list.Count()));
    for (int i = 1; i <= list.Count(); ++i) {
        const SubtitleLine& entry = list.line(i);
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

    // Draws, encodes and writes one picture.
    void add(const Picture& picture, const GenerationCallbacks& callbacks)
    {
        RenderSettings settings = m_request.gatherSettings();
        settings.fileEncoding = m_request.subtitles->Encoding();
        const int number = picture.number;
        const Frames frames = picture.frames;
        int anchor = 0;
        const std::vector<StyledText> lines = StackedLines(picture.entries, settings, anchor);
        if (!RenderSubtitleBlock(m_image, lines, anchor, settings))
            throw Error(tooTallMessage(number));
        if (callbacks.afterRender)
            callbacks.afterRender(m_image);
        // A band wholly outside the frame has nothing to show; two rows inside it keep the
        // subtitle's place in the stream as an empty picture.
        const int bandHeight = m_image.bandHeight >= 2 ? m_image.bandHeight : 2;
        const std::vector<std::uint8_t> unit =
            EncodeSubpicture(m_image.pixels, m_image.bandTop, bandHeight, m_request.colours,
                             frames.start, frames.end, m_request.frameRate, number);
        write(unit, frames.start, number);
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
    }

    const GenerationRequest& m_request;
    OutputFile m_idx;
    std::optional<OutputFile> m_sub; // created once the header is written
    std::uint32_t m_packCount = 0;
    SubtitleImage m_image;
};

ShowPlan planOf(const std::vector<Frames>& frames)
{
    std::vector<ShowTimes> times;
    times.reserve(frames.size());
    for (const Frames& f : frames)
        times.push_back({f.start, f.end});
    return PlanShowing(times);
}

// What the stream shows when. A picture taller than the frame in `settings` is refused here,
// before any file is touched.
std::vector<Picture> picturesToShow(const TSubtitle& list, const ShowPlan& plan,
                                    const RenderSettings& settings)
{
    std::vector<Picture> pictures;
    pictures.reserve(plan.segments.size());
    for (const ShowSegment& segment : plan.segments) {
        Picture picture{{segment.start, segment.end}, segment.entries.back() + 1, {}};
        for (int i : segment.entries)
            picture.entries.push_back(&list.line(i + 1));
        int anchor = 0;
        const std::vector<StyledText> lines = StackedLines(picture.entries, settings, anchor);
        if (!LayOutBlock(lines, anchor, settings).fits)
            throw Error(tooTallMessage(picture.number));
        pictures.push_back(std::move(picture));
    }
    return pictures;
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

GenerationResult RunGeneration(const GenerationRequest& request,
                               const GenerationCallbacks& callbacks)
{
    Q_ASSERT(request.subtitles && request.gatherSettings);
    const TSubtitle& list = *request.subtitles;
    const OutputPaths planned = OutputPathsFor(request.subtitleFile, request.outputFolder);
    const OutputLock lock(planned.idx);
    GenerationResult result;
    const OutputPaths paths = SafeOutputPaths(planned, request, result.notes);
    const ShowPlan plan = planOf(checkedFrames(list, request.frameRate));
    RenderSettings settings = request.gatherSettings();
    settings.fileEncoding = list.Encoding();
    const std::vector<Picture> pictures = picturesToShow(list, plan, settings);

    result.idxPath = paths.idx;
    result.subPath = paths.sub;
    result.merged = plan.merged;
    {
        OutputPair pair(paths, request);
        const int count = int(pictures.size());
        for (int i = 1; i <= count; ++i) {
            if (callbacks.beforeSubtitle && !callbacks.beforeSubtitle(i, count)) {
                result.aborted = true;
                break;
            }
            pair.add(pictures[std::size_t(i - 1)], callbacks);
            ++result.written;
        }
        // An aborted run still puts its finished subtitles in place; one that finished none
        // leaves the earlier pair as it was. On an error the temporary files go.
        if (!result.aborted || result.written > 0)
            pair.commit();
    }

    if (result.aborted)
        return result;

    const QString keepHelp = ReasonToKeep(paths.help, QStringLiteral("help"), inputsOf(request));
    if (!keepHelp.isEmpty()) {
        result.notes << QStringLiteral("%1 was left as it is: %2.")
                            .arg(QDir::toNativeSeparators(paths.help), keepHelp);
        return result;
    }
    result.helpPath = paths.help;
    result.helpText =
        HelpText(request.colours, QFileInfo(paths.idx).fileName(), QFileInfo(paths.sub).fileName(),
                 QDir::toNativeSeparators(paths.help));
    WriteHelpFile(paths.help, result.helpText);
    return result;
}

} // namespace lumelle
