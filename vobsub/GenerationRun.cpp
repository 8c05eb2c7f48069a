#include "vobsub/GenerationRun.h"

#include "platform/Error.h"
#include "vobsub/HelpText.h"
#include "vobsub/IndexWriter.h"
#include "vobsub/ProgramStream.h"
#include "vobsub/SubpictureEncoder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace lumelle {

namespace {

// An output file of the run. Opening failures carry the file's name; the file is closed when
// the run ends, however it ends. It is unbuffered: every write goes straight to the system, so
// a full disk shows at the subtitle that filled it and nothing is left waiting in a buffer
// that a later cut could not reach.
class OutputFile
{
public:
    explicit OutputFile(const QString& path) : m_file(path)
    {
        if (!m_file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered))
            throw Error(QStringLiteral("Cannot create file \"%1\". %2")
                            .arg(QDir::toNativeSeparators(path), m_file.errorString()));
    }

    QFile& device() { return m_file; }
    qint64 size() const { return m_file.size(); }

    // Cuts the file back to `size` bytes after a failed write, so it keeps whole entries only.
    void truncate(qint64 size) { m_file.resize(size); }

    // The message for a failed write, naming the file and giving the system's reason.
    QString writeError(const Error& cause) const
    {
        return QStringLiteral("Cannot write file \"%1\". %2")
            .arg(QDir::toNativeSeparators(m_file.fileName()), cause.message());
    }

private:
    QFile m_file;
};

int frameRateValue(const QString& fpsText)
{
    bool ok = false;
    const int value = fpsText.toInt(&ok);
    if (!ok)
        throw ConversionError(fpsText);
    return value;
}

// Every subtitle's frame numbers are read and its start time checked before any file is
// touched, so a list the .sub cannot hold is refused without leaving half a pair behind.
void checkTimes(const TSubtitle& list, int rateValue)
{
    for (int i = 1; i <= list.Count(); ++i) {
        const SubtitleLine& entry = list.line(i);
        (void)StrToInt(entry.EndFrame);
        PresentationTicks(StrToInt(entry.StartFrame), rateValue, i);
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

GenerationResult RunGeneration(const GenerationRequest& request,
                               const GenerationCallbacks& callbacks)
{
    Q_ASSERT(request.subtitles && request.gatherSettings);
    const TSubtitle& list = *request.subtitles;
    const int rateValue = frameRateValue(request.fpsText);
    const OutputPaths paths = OutputPathsFor(request.subtitleFile, request.outputFolder);
    checkTimes(list, rateValue);

    GenerationResult result;
    result.idxPath = paths.idx;
    result.subPath = paths.sub;

    {
        OutputFile idx(paths.idx);
        try {
            WriteIndexHeader(idx.device(), request.fpsText, request.mode, request.colours,
                             request.languageText);
        } catch (const Error& e) {
            throw Error(idx.writeError(e));
        }
        OutputFile sub(paths.sub);

        std::uint32_t packCount = 0;
        SubtitleImage image;
        const int count = list.Count();
        for (int i = 1; i <= count; ++i) {
            if (callbacks.beforeSubtitle && !callbacks.beforeSubtitle(i, count)) {
                result.aborted = true;
                break;
            }
            const SubtitleLine& entry = list.line(i);
            RenderSubtitleImage(image, entry.Line1, entry.Line2, request.gatherSettings());
            if (callbacks.afterRender)
                callbacks.afterRender(image);

            const int startFrame = StrToInt(entry.StartFrame);
            const int endFrame = StrToInt(entry.EndFrame);
            // A band wholly outside the frame has nothing to show; two rows inside it keep the
            // subtitle's place in the stream as an empty picture.
            const int bandHeight = image.bandHeight >= 2 ? image.bandHeight : 2;
            const std::vector<std::uint8_t> unit =
                EncodeSubpicture(image.pixels, image.bandTop, bandHeight, request.colours,
                                 startFrame, endFrame, rateValue, i);

            // The packs go out first and the index line only once they are on disk, so that
            // after a failure every index line points at a whole subtitle.
            const std::uint32_t packsBefore = packCount;
            const qint64 subSize = qint64(packsBefore) * qint64(kPackSize);
            try {
                WriteSubtitlePacks(sub.device(), unit, startFrame, rateValue, i, packCount);
            } catch (const Error& e) {
                sub.truncate(subSize);
                throw Error(sub.writeError(e));
            }
            const qint64 idxSize = idx.size();
            try {
                WriteIndexEntry(idx.device(), startFrame, request.fpsText, packsBefore);
            } catch (const Error& e) {
                idx.truncate(idxSize);
                sub.truncate(subSize);
                throw Error(idx.writeError(e));
            }
            ++result.written;
        }
    } // both files closed here, also when an error leaves the loop

    if (result.aborted)
        return result;

    result.helpPath = paths.help;
    result.helpText =
        HelpText(request.colours, QFileInfo(paths.idx).fileName(), QFileInfo(paths.sub).fileName(),
                 QDir::toNativeSeparators(paths.help));
    WriteHelpFile(paths.help, result.helpText);
    return result;
}

} // namespace lumelle
