// lumelle-convert: converts subtitle files to VobSub pairs without the window, with the same
// readers, renderer and writer.
#include "ass/AssSource.h"
#include "cli/ConvertOptions.h"
#include "cli/ProgressBar.h"
#include "convert/GenerationRun.h"
#include "convert/JoinedSource.h"
#include "convert/TextSource.h"
#include "convert/UnitPipeline.h"
#include "output/OutputFiles.h"
#include "pgs/BdnXmlWriter.h"
#include "pgs/PgsWriter.h"
#include "platform/Error.h"
#include "platform/Licence.h"
#include "platform/SystemNames.h"
#include "render/FontMatch.h"
#include "settings/SettingsTable.h"
#include "subtitle/CodePageGuess.h"
#include "subtitle/FileKind.h"
#include "subtitle/Subtitle.h"
#include "vobsub/Languages.h"
#include "vobsub/VobSubWriter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <list>
#include <memory>
#include <new>
#include <sys/stat.h>
#include <unistd.h>

using namespace lumelle;

namespace {

volatile std::sig_atomic_t g_stopRequested = 0;
// Set while a pair is being written and until the batch has taken its outcome: a stop then
// ends the run after the subtitle in hand and removes the temporary files, so that the earlier
// pair stays as it was. Before that (reading and checking) nothing is open and a stop ends the
// program at once.
volatile std::sig_atomic_t g_writing = 0;

// What a stop that ends the program at once prints: made ready before each file, because a
// signal handler can only write bytes that are already there.
struct StopText
{
    QByteArray toStderr; // "Operation Aborted" and the files not converted
    QByteArray toStdout; // the --json summary with those files marked
};
std::atomic<const StopText*> g_stopText{nullptr};

void writeAll(int fd, const QByteArray& bytes)
{
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.constData() + done, std::size_t(bytes.size() - done));
        if (n <= 0)
            return;
        done += n;
    }
}

void requestStop(int)
{
    g_stopRequested = 1;
    if (!g_writing) {
        if (const StopText* text = g_stopText.load()) {
            writeAll(2, text->toStderr);
            writeAll(1, text->toStdout);
        } else {
            writeAll(2, QByteArrayLiteral("Operation Aborted\n"));
        }
        ::_exit(1);
    }
}

// Standard output closed by the caller: /dev/full stands in for it, so that no file opened
// later takes its number (and the printed lines), and the first write fails as it should.
bool g_stdoutClosed = false;
// The system's reason for the first failed write to standard output; 0 while none failed.
int g_stdoutError = 0;

// Standard input, output and error each hold an open file before anything else is opened.
void guardStandardFiles()
{
    for (int fd = 0; fd <= 2; ++fd) {
        if (::fcntl(fd, F_GETFD) != -1 || errno != EBADF)
            continue;
        if (fd == 1)
            g_stdoutClosed = true;
        const int stand =
            ::open(fd == 1 ? "/dev/full" : "/dev/null", fd == 0 ? O_RDONLY : O_WRONLY);
        if (stand >= 0 && stand != fd) {
            ::dup2(stand, fd);
            ::close(stand);
        }
    }
}

// Puts what was printed on standard output out now, noting the first failure.
void flushStandardOutput()
{
    if ((std::fflush(stdout) != 0 || std::ferror(stdout)) && g_stdoutError == 0)
        g_stdoutError = g_stdoutClosed ? EBADF : errno != 0 ? errno : EIO;
}

// Control characters of a text shown on a terminal, as \xHH, so that escape sequences from a
// subtitle file are seen and not obeyed. Line feeds and tabs stay when `keepLayout` is set.
QString escapedControls(const QString& text, bool keepLayout)
{
    QString shown;
    shown.reserve(text.size());
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        const bool layout = u == u'\n' || u == u'\t';
        if ((u < 0x20 && !(keepLayout && layout)) || (u >= 0x7F && u <= 0x9F))
            shown += QStringLiteral("\\x") +
                     QString::number(u, 16).toUpper().rightJustified(2, QLatin1Char('0'));
        else
            shown += c;
    }
    return shown;
}

// A line as printed: control characters shown, a line end added.
QByteArray lineBytes(const QString& text)
{
    QString shown = text;
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    shown = escapedControls(shown, true);
    return shown.toLocal8Bit() + '\n';
}

void printLine(FILE* to, const QString& text)
{
    // Written by length: a NUL byte quoted from a subtitle file must not cut the message.
    const QByteArray bytes = lineBytes(text);
    std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), to);
}

// Standard input, kept in a private file so that it is read like any other input.
class PrivateInputs
{
public:
    PrivateInputs() = default;
    PrivateInputs(const PrivateInputs&) = delete;
    PrivateInputs& operator=(const PrivateInputs&) = delete;
    // The copies go by their own bytes (named after --output, they may not be UTF-8, and the
    // temporary folder removes only names it can decode); then the folder goes.
    ~PrivateInputs()
    {
        for (auto copy = m_shown.keyBegin(); copy != m_shown.keyEnd(); ++copy)
            ::unlink(ToSystemName(*copy).constData());
    }
    // A private copy of what standard input holds, named `name` with the extension of the kind
    // its text shows, so that its pair is named NAME.idx/.sub; shown as "-". Empty, with
    // `error` set, when it cannot be made.
    QString standardInput(const QString& name, QString& error)
    {
        QByteArray bytes;
        char buffer[65536];
        std::size_t n = 0;
        while ((n = std::fread(buffer, 1, sizeof buffer, stdin)) > 0)
            bytes.append(buffer, qsizetype(n));
        if (std::ferror(stdin)) {
            error = QStringLiteral("cannot read standard input: %1")
                        .arg(QString::fromLocal8Bit(std::strerror(errno)));
            return QString();
        }
        const std::string text = bytes.left(64 * 1024).toStdString();
        const QString extension = KindOfText(QStringLiteral("-.srt"), text) == FileKind::SubRip
                                      ? QStringLiteral(".srt")
                                  : KindOfText(QStringLiteral("-.sub"), text) == FileKind::MicroDvd
                                      ? QStringLiteral(".sub")
                                      : QStringLiteral(".srt");
        const QString copy =
            QDir(m_folder.path()).filePath(QStringLiteral("stdin/") + name + extension);
        QFile file;
        QString reason;
        if (!m_folder.isValid() || !MakeFolders(QFileInfo(copy).path()) ||
            !OpenNamed(file, copy, QIODevice::WriteOnly, &reason) ||
            file.write(bytes) != bytes.size() || !file.flush()) {
            error = QStringLiteral("cannot keep standard input in a temporary file: %1")
                        .arg(reason.isEmpty() ? file.errorString() : reason);
            return QString();
        }
        m_shown.insert(copy, QLatin1String(kStandardInput));
        return copy;
    }
    // The name to show for `file`, and the folder its pair goes to by default: the working
    // folder for standard input.
    QString shown(const QString& file) const { return m_shown.value(file, file); }
    QString folderOf(const QString& file) const
    {
        return m_shown.contains(file) ? CurrentFolder() : QString();
    }

private:
    QTemporaryDir m_folder;
    QHash<QString, QString> m_shown;
};

PrivateInputs* g_privateInputs = nullptr;

// The name of `file` as given on the command line, for --json (which escapes controls itself):
// a byte of the name that is not UTF-8 as \xHH.
QString givenName(const QString& file)
{
    return ReadableName(g_privateInputs ? g_privateInputs->shown(file) : file);
}

// A path in a printed line: a line feed or carriage return in it is shown as \x0A or \x0D,
// so that a file name cannot make a line of its own, and a byte that is not UTF-8 as \xHH.
QString shownPath(const QString& path)
{
    return escapedControls(ReadableName(path), false);
}

// The name of `file` as given, for a printed line.
QString shownName(const QString& file)
{
    return shownPath(givenName(file));
}

// Exit status of a file that was converted (or listed) with entries skipped.
constexpr int kEntriesSkipped = 3;

// Says on standard error how `file` was read: its encoding, a frame-rate conversion, one
// warning per skipped entry and their count. False, after saying why, when no entry at all
// could be read.
bool reportLoad(const TSubtitle& list, const QString& file, const ConvertOptions& options)
{
    // A listing always names the encoding; a conversion when it was declared or detected.
    const FileEncoding& encoding = list.Encoding();
    const quint8 charset = options.settings.charset;
    if (encoding.guessedUnder(charset))
        printLine(stderr, QStringLiteral("%1: warning: the encoding could not be detected; read "
                                         "as %2 (name the right one with --charset)")
                              .arg(shownName(file), QString::fromStdString(encoding.codePage)));
    else if (options.listOnly || encoding.worthNaming(charset))
        printLine(
            stderr,
            QStringLiteral("%1: read as %2").arg(shownName(file), encoding.description(charset)));
    if (!list.RateNote().isEmpty())
        printLine(stderr, QStringLiteral("%1: %2").arg(shownName(file), list.RateNote()));
    for (const QString& note : list.ReadNotes())
        printLine(stderr, QStringLiteral("%1: %2").arg(shownName(file), note));
    for (const SkippedEntry& skipped : list.Skipped())
        printLine(stderr,
                  QStringLiteral("%1:%2: warning: skipped: %3")
                      .arg(shownName(file), QString::number(skipped.lineNumber), skipped.reason));
    if (!list.Skipped().empty())
        printLine(stderr, QStringLiteral("%1: %2 entries skipped")
                              .arg(shownName(file), QString::number(list.Skipped().size())));
    for (const SkippedEntry& changed : list.Changed())
        printLine(stderr,
                  QStringLiteral("%1:%2: warning: %3")
                      .arg(shownName(file), QString::number(changed.lineNumber), changed.reason));
    if (list.HiddenCount() == 1)
        printLine(
            stderr,
            QStringLiteral("%1: 1 entry ends where it starts: not shown").arg(shownName(file)));
    else if (list.HiddenCount() > 1)
        printLine(stderr, QStringLiteral("%1: %2 entries end where they start: not shown")
                              .arg(shownName(file), QString::number(list.HiddenCount())));
    if (list.Count() > 0)
        return true;
    printLine(stderr, QStringLiteral("%1: no subtitle could be read").arg(shownName(file)));
    return false;
}

// The progress bar of a run on `file`, drawn on standard error when it is a terminal and the
// run is not quiet.
ProgressBar terminalBar(const QString& file, const ConvertOptions& options)
{
    return ProgressBar(shownPath(QFileInfo(file).fileName()), !options.quiet && isatty(2),
                       [](const QByteArray& bytes) {
                           std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), stderr);
                           std::fflush(stderr);
                       });
}

// Runs `request` with a progress bar for `file`. Ctrl+C or SIGTERM stops it and keeps nothing:
// only the window's Abort keeps the finished subtitles.
GenerationResult runStoppable(const GenerationRequest& request, const QString& file,
                              const ConvertOptions& options)
{
    ProgressBar bar = terminalBar(file, options);
    GenerationCallbacks callbacks;
    callbacks.beforeSubtitle = [&bar](int index, int count) {
        g_writing = 1;
        if (g_stopRequested)
            return false;
        bar.show(index, count);
        return true;
    };
    callbacks.keepFinished = [](int, bool) { return false; };
    // From here the temporary files may be open: a stop ends the run, which removes them.
    g_writing = 1;
    GenerationResult result = RunGeneration(request, callbacks);
    bar.finish();
    return result;
}

// Reads `file` into `list`; false, after saying so, when it is no subtitle file or holds no
// readable subtitle (then `emptyRead`, when given, says whether it was read all the same).
// The list's language hint is the caller's to set.
bool load(TSubtitle& list, const QString& file, const ConvertOptions& options,
          bool* emptyRead = nullptr)
{
    const NameKind kind = KindOfName(file);
    if (kind == NameKind::Missing) {
        printLine(stderr, QStringLiteral("%1: No such file").arg(shownName(file)));
        return false;
    }
    if (kind != NameKind::File) {
        printLine(stderr, QStringLiteral("%1: %2").arg(
                              shownName(file), kind == NameKind::Folder
                                                   ? QStringLiteral("is a folder")
                                                   : QStringLiteral("is not a regular file")));
        return false;
    }
    if (list.LoadFromFile(file, true, FrameRate::fromText(options.fpsText), 0,
                          options.settings.charset) == LoadOutcome::Read) {
        if (emptyRead)
            *emptyRead = list.Count() == 0;
        return reportLoad(list, file, options);
    }
    printLine(stderr, QStringLiteral("%1: %2").arg(shownName(file),
                                                   QString::fromLatin1(kUnsupportedFormatMessage)));
    return false;
}

// What became of one file, for the --json summary.
struct FileReport
{
    QString file;
    int status = 1;
    int written = 0;
    int skipped = 0;
    QStringList outputs;  // the .idx, .sub and help file written
    bool aborted = false; // a stop came before the file was converted
};

void fillReport(FileReport& report, const GenerationResult& result, const TSubtitle& list)
{
    // Overlapping subtitles share pictures: a finished run wrote every subtitle of the list.
    report.aborted = result.aborted;
    report.written = !result.committed ? 0 : result.aborted ? result.written : list.Count();
    report.skipped = int(list.Skipped().size());
    if (result.committed)
        report.outputs = result.outputs;
    if (!result.helpPath.isEmpty())
        report.outputs << result.helpPath; // none when its name was taken by a file not ours
    for (QString& output : report.outputs)
        output = ReadableName(output);
}

// The summary of --json: one object per file, in the order given; a file a stop left
// unconverted is marked "aborted".
QByteArray jsonSummary(const QList<FileReport>& reports)
{
    QJsonArray files;
    for (const FileReport& r : reports) {
        QJsonObject file{{QStringLiteral("file"), r.file},
                         {QStringLiteral("status"), r.status},
                         {QStringLiteral("subtitles"), r.written},
                         {QStringLiteral("skipped"), r.skipped},
                         {QStringLiteral("outputs"), QJsonArray::fromStringList(r.outputs)}};
        if (r.aborted)
            file.insert(QStringLiteral("aborted"), true);
        files.append(file);
    }
    return QJsonDocument(QJsonObject{{QStringLiteral("files"), files}})
        .toJson(QJsonDocument::Indented);
}

// `reports` followed by a report for each of `files` from `first` on, marked as left
// unconverted by a stop.
QList<FileReport> withUnconverted(QList<FileReport> reports, const QStringList& files,
                                  qsizetype first)
{
    for (qsizetype i = first; i < files.size(); ++i) {
        FileReport& r = reports.emplace_back(FileReport{givenName(files[i])});
        r.aborted = true;
    }
    return reports;
}

// The lines naming the files from `first` on as not converted.
QByteArray unconvertedLines(const QStringList& files, qsizetype first)
{
    QByteArray lines;
    for (qsizetype i = first; i < files.size(); ++i)
        lines += lineBytes(QStringLiteral("%1: not converted").arg(shownName(files[i])));
    return lines;
}

// Qt's messages. The warnings about XDG_RUNTIME_DIR (unset under cron, ssh or a container,
// owned by another user under sudo -E) are dropped: the converter never uses that folder. The
// others are held while the application starts and the options are read; then -q drops
// Qt's warnings and notes, and otherwise they are passed on.
QtMessageHandler g_defaultMessageHandler = nullptr;
enum class QtMessages { Held, Shown, Quiet };
QtMessages g_qtMessages = QtMessages::Held;
struct HeldMessage
{
    QtMsgType type;
    QByteArray category;
    QString text;
};
QList<HeldMessage> g_heldMessages;

bool isRuntimeDirWarning(const QString& text)
{
    return text.startsWith(QLatin1String("QStandardPaths: ")) &&
           (text.contains(QLatin1String("XDG_RUNTIME_DIR")) ||
            text.contains(QLatin1String("runtime directory")));
}

void handleQtMessage(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    if (type == QtWarningMsg && isRuntimeDirWarning(text))
        return;
    const bool problem = type == QtCriticalMsg || type == QtFatalMsg;
    if (g_qtMessages == QtMessages::Held && !problem)
        g_heldMessages.append({type, QByteArray(context.category), text});
    else if (g_qtMessages != QtMessages::Quiet || problem)
        g_defaultMessageHandler(type, context, text);
}

// Once the options are read: the held messages are dropped under -q, otherwise passed on.
void releaseQtMessages(bool quiet)
{
    g_qtMessages = quiet ? QtMessages::Quiet : QtMessages::Shown;
    if (!quiet) {
        for (const HeldMessage& m : std::as_const(g_heldMessages)) {
            const QMessageLogContext context(nullptr, 0, nullptr, m.category.constData());
            g_defaultMessageHandler(m.type, context, m.text);
        }
    }
    g_heldMessages.clear();
}

// An unknown font name is refused with the nearest installed names, rather than silently
// drawn with another font; a known one takes the installed spelling.
bool checkFont(ConvertOptions& options)
{
    const QStringList names = FontListNames();
    const QString match = MatchFontName(options.settings.fontName, names);
    if (!match.isEmpty()) {
        options.settings.fontName = match;
        return true;
    }
    printLine(
        stderr,
        QStringLiteral("lumelle-convert: no installed font is named '%1'; nearest: %2")
            .arg(options.settings.fontName,
                 NearestFontNames(options.settings.fontName, names, 5).join(QStringLiteral(", "))));
    return false;
}

// A subtitle read from standard input is converted from a private copy named after --output:
// "-o out/film" writes out/film.idx and out/film.sub (and the help file in out/).
bool readStandardInput(ConvertOptions& options, PrivateInputs& inputs)
{
    QString name = QStringLiteral("stdin"); // --list needs no name
    if (!options.outputFolder.isEmpty()) {
        const QFileInfo given(options.outputFolder);
        if (given.fileName().isEmpty() || KindOfName(options.outputFolder) == NameKind::Folder) {
            printLine(stderr, QStringLiteral("lumelle-convert: --output %1 is a folder; for - "
                                             "(standard input) it names the pair, as in out/film")
                                  .arg(shownPath(options.outputFolder)));
            return false;
        }
        name = given.fileName();
        if (name.endsWith(QLatin1String(".idx"), Qt::CaseInsensitive))
            name.chop(4);
        options.outputFolder = given.path();
    }
    QString error;
    const QString copy = inputs.standardInput(name, error);
    if (copy.isEmpty()) {
        printLine(stderr, QStringLiteral("lumelle-convert: %1").arg(error));
        return false;
    }
    options.files = QStringList{copy};
    return true;
}

// --output names a folder that is created when missing.
bool prepareOutputFolder(const ConvertOptions& options)
{
    if (options.outputFolder.isEmpty() || options.listOnly || MakeFolders(options.outputFolder))
        return true;
    printLine(stderr, QStringLiteral("lumelle-convert: cannot create the output folder %1")
                          .arg(shownPath(options.outputFolder)));
    return false;
}

// Sets how `list` reads a file: the language that tells code pages apart (a two-letter
// code) and the WebVTT choices of the command line.
void prepareReading(TSubtitle& list, const ConvertOptions& options, std::string languageCode)
{
    list.SetLanguageHint(std::move(languageCode));
    list.SetRollingCaptions(options.rollingCaptions);
    list.SetSpeakerNames(options.speakerNames);
    list.SetTimestampMap(options.timestampMap);
}

// Lists a file as read, one line per subtitle.
int listFile(const QString& file, const ConvertOptions& options)
{
    TSubtitle list;
    prepareReading(list, options, LanguageCodeOf(options.languageText));
    if (!load(list, file, options))
        return 1;
    const FrameRate rate = FrameRate::fromText(options.fpsText);
    for (int i = 1; i <= list.Count(); ++i) {
        const SubtitleLine& l = list.line(i);
        // Every text line, as the conversion draws them, joined by "|".
        QStringList lines;
        for (const std::string& line : l.TextLines())
            lines << escapedControls(QString::fromStdString(line), false);
        printLine(
            stdout,
            QStringLiteral("%1\t%2\t%3\t%4")
                .arg(QString::number(i),
                     QString::fromStdString(TSubtitle::FramesToTime(StrToInt(l.StartFrame), rate)),
                     QString::fromStdString(TSubtitle::FramesToTime(StrToInt(l.EndFrame), rate)),
                     lines.join(QLatin1Char('|'))));
    }
    return list.Skipped().empty() ? 0 : kEntriesSkipped;
}

// Says how many subtitles overlapping in time were drawn together.
void reportMerged(const QString& file, const GenerationResult& result)
{
    if (result.merged > 0)
        printLine(stdout, QStringLiteral("%1: %2 overlapping subtitles shown together")
                              .arg(file, QString::number(result.merged)));
}

// Prints how the run of `file` (`subtitles` entries) ended; returns 0 when it finished.
int reportRun(const QString& file, int subtitles, const GenerationResult& result,
              const ConvertOptions& options)
{
    for (const QString& note : result.notes)
        printLine(stderr, QStringLiteral("%1: %2").arg(shownName(file), note));
    if (result.aborted) {
        printLine(stderr, QStringLiteral("%1: Operation Aborted").arg(shownName(file)));
        if (!result.committed)
            printLine(stderr, QStringLiteral("Nothing was written; the earlier files stay as they "
                                             "were."));
        else
            printLine(stderr, QStringLiteral("%1 hold the first %2 subtitles.")
                                  .arg(shownPath(result.outputs.join(QStringLiteral(" and "))),
                                       QString::number(result.written)));
        return 1;
    }
    if (options.quiet || options.json)
        return 0;
    reportMerged(shownName(file), result);
    const QString help = result.helpPath.isEmpty()
                             ? QStringLiteral("no help file")
                             : QStringLiteral("help: ") + shownPath(result.helpPath);
    printLine(stdout, QStringLiteral("%1: %2 subtitles -> %3 (%4)")
                          .arg(shownName(file), QString::number(subtitles),
                               shownPath(result.outputs.join(QStringLiteral(", "))), help));
    return 0;
}

// Where the pair of `file` goes: --output, else the file's own folder (for a name reached
// through a private link, the folder of the name as given).
QString outputFolderFor(const ConvertOptions& options, const QString& file)
{
    if (!options.outputFolder.isEmpty() || !g_privateInputs)
        return options.outputFolder;
    return g_privateInputs->folderOf(file);
}

// The files one conversion of the run wrote, and the file they were made from.
struct Produced
{
    QStringList outputs;
    QString input;
};

VobSubOptions vobSubOptions(const ConvertOptions& options)
{
    VobSubOptions pair;
    pair.frameRate = FrameRate::fromText(options.fpsText);
    pair.mode = options.mode;
    pair.languageText = options.languageText;
    pair.helpFile = options.helpFile;
    pair.colours = {options.settings.antialiasColor, options.settings.outlineColor,
                    options.settings.textColor};
    pair.pair = options.writePair;
    pair.sup = options.writeSup;
    for (const StreamInput& stream : options.streams)
        pair.streams.push_back({stream.code, stream.alt, shownName(stream.file)});
    pair.defaultStream = options.defaultStream;
    return pair;
}

BluRayOptions bluRayOptions(const ConvertOptions& options)
{
    BluRayOptions o;
    o.frameRate = FrameRate::fromText(options.fpsText);
    o.frame = BluRayFrameOf(options);
    o.language =
        ThreeLetterLanguageCode(QString::fromStdString(LanguageCodeOf(options.languageText)));
    return o;
}

// The writer of the form the options ask for.
std::shared_ptr<PictureWriter> writerFor(const ConvertOptions& options)
{
    if (options.writePgs)
        return std::make_shared<PgsWriter>(bluRayOptions(options));
    if (options.writeBdn)
        return std::make_shared<BdnXmlWriter>(bluRayOptions(options));
    return std::make_shared<VobSubWriter>(vobSubOptions(options));
}

// The settings subtitles are measured and drawn with: a Blu-ray form draws at its frame.
RenderSettings drawingSettings(const ConvertOptions& options)
{
    RenderSettings settings = options.settings;
    if (WritesBluRay(options))
        settings.frame = BluRayFrameOf(options);
    return settings;
}

// The files a conversion writes.
const OutputSet& outputSetOf(const ConvertOptions& options)
{
    if (options.writePgs)
        return PgsWriter::supFile();
    if (options.writeBdn)
        return BdnXmlWriter::xmlFile();
    return VobSubWriter(vobSubOptions(options)).outputs();
}

// The pictures of `file`, read into `list`: an ASS/SSA script is drawn by libass from its own
// text, every other kind by the text renderer from the list.
std::shared_ptr<PictureSource> sourceFor(const TSubtitle& list, const QString& file,
                                         const ConvertOptions& options, bool forced)
{
    return PictureSourceOf(list, file, options.settings, FrameRate::fromText(options.fpsText),
                           options.animationSteps, forced);
}

// The first line too wide for the frame, as a message; empty when none is or when libass
// places the lines (an ASS/SSA script wraps and places its own).
QString tooWideIn(const TSubtitle& list, const ConvertOptions& options)
{
    if (list.Kind() == FileKind::Ass)
        return QString();
    return FirstTooWideSubtitle(list, drawingSettings(options), WorkerCount(options.jobs));
}

// Converts one file; returns 0 on success, 3 when entries were skipped. `produced` gathers the
// pairs of the run so far, which a later file never replaces.
int convertFile(const QString& file, const ConvertOptions& options, FileReport& report,
                QList<Produced>& produced)
{
    TSubtitle list;
    prepareReading(list, options, LanguageCodeOf(options.languageText));
    if (!load(list, file, options))
        return 1;

    // Like the window: every line is checked against the frame width first, and a file with a
    // line too wide is refused before anything is written.
    const QString tooWide = tooWideIn(list, options);
    if (!tooWide.isEmpty()) {
        printLine(stderr, QStringLiteral("%1: %2").arg(shownName(file), tooWide));
        return 1;
    }

    GenerationRequest request;
    request.source = sourceFor(list, file, options, options.forced);
    request.writer = writerFor(options);
    request.subtitleFile = file;
    request.outputFolder = outputFolderFor(options, file);
    request.otherInputs = options.files;
    for (const Produced& earlier : produced)
        request.otherInputs << earlier.outputs;
    request.jobs = options.jobs;

    const GenerationResult result = runStoppable(request, file, options);
    fillReport(report, result, list);
    produced.append({result.outputs, file});
    const int rc = reportRun(file, list.Count(), result, options);
    return rc != 0 || list.Skipped().empty() ? rc : kEntriesSkipped;
}

// True, after saying so, when file `index` would write the pair of an earlier file of the
// run (`produced`: the files written so far and their inputs): it is refused rather than
// replacing that pair.
bool sharesOutputWithEarlierFile(const ConvertOptions& options, qsizetype index,
                                 const QStringList& plannedIdx, const QList<Produced>& produced)
{
    const QString& idx = plannedIdx[index];
    QList<std::pair<QString, QString>> earlier;
    for (const Produced& p : produced)
        earlier.append({p.outputs.front(), p.input});
    for (qsizetype i = 0; i < index; ++i)
        earlier.append({plannedIdx[i], options.files[i]});
    for (const auto& [earlierIdx, earlierFile] : earlier) {
        if (SameOutput(idx, earlierIdx)) {
            printLine(stderr, QStringLiteral("%1: refused: %2 would give the same output %3")
                                  .arg(shownName(options.files[index]), shownName(earlierFile),
                                       shownPath(earlierIdx)));
            return true;
        }
    }
    return false;
}

// Converts the --stream files into one pair with a stream each. Each file is read, reported
// and checked on its own, and a file that cannot be read or has a line too wide refuses the
// whole pair; a file without subtitles is left out. Returns the exit status.
int convertStreams(const ConvertOptions& options, FileReport& report)
{
    std::vector<std::unique_ptr<TSubtitle>> lists;
    std::vector<JoinedPictureSource::Input> inputs;
    QStringList files;
    int skipped = 0;
    bool anySubtitle = false;
    for (const StreamInput& stream : options.streams) {
        const QString& file = stream.file;
        files << file;
        TSubtitle& list = *lists.emplace_back(std::make_unique<TSubtitle>());
        // Each file's own language tells its code page apart.
        prepareReading(list, options, stream.code.toStdString());
        bool emptyRead = false;
        if (KindOfName(file) == NameKind::File && SizeOfName(file) == 0) {
            printLine(stderr,
                      QStringLiteral("%1: empty: its stream is left out").arg(shownName(file)));
        } else if (!load(list, file, options, &emptyRead)) {
            if (!emptyRead)
                return 1;
            printLine(stderr, QStringLiteral("%1: its stream is left out").arg(shownName(file)));
        }
        const QString tooWide = tooWideIn(list, options);
        if (!tooWide.isEmpty()) {
            printLine(stderr, QStringLiteral("%1: %2").arg(shownName(file), tooWide));
            return 1;
        }
        skipped += int(list.Skipped().size());
        anySubtitle = anySubtitle || list.Count() > 0;
        inputs.push_back({sourceFor(list, file, options, stream.forced), shownName(file)});
    }
    if (!anySubtitle) {
        printLine(stderr, QStringLiteral("lumelle-convert: no stream has a subtitle to show"));
        return 1;
    }

    GenerationRequest request;
    request.source = std::make_shared<JoinedPictureSource>(std::move(inputs));
    request.writer = writerFor(options);
    request.subtitleFile = JoinedPairNameFile(files.front());
    request.outputFolder = outputFolderFor(options, files.front());
    request.otherInputs = files;
    request.jobs = options.jobs;

    const GenerationResult result = runStoppable(request, request.subtitleFile, options);
    report.aborted = result.aborted;
    report.skipped = skipped;
    int subtitles = 0;
    for (const auto& list : lists)
        subtitles += list->Count();
    report.written = !result.committed ? 0 : result.aborted ? result.written : subtitles;
    if (result.committed)
        report.outputs = result.outputs;
    if (!result.helpPath.isEmpty())
        report.outputs << result.helpPath;
    for (QString& output : report.outputs)
        output = ReadableName(output);
    QStringList shown;
    for (const QString& file : files)
        shown << shownName(file);
    const int rc = reportRun(shown.join(QStringLiteral(" + ")), subtitles, result, options);
    return rc != 0 || skipped == 0 ? rc : kEntriesSkipped;
}

// Converts (or lists) every file of the command line in turn; gives the exit status of the
// whole run: 1 when a file failed, else 3 when entries were skipped, else 0.
int convertAll(const ConvertOptions& options)
{
    if (!options.streams.empty()) {
        FileReport report{givenName(options.streams.front().file)};
        int rc = 1;
        try {
            rc = convertStreams(options, report);
        } catch (const Error& e) {
            printLine(stderr, QStringLiteral("lumelle-convert: %1").arg(e.message()));
        } catch (const std::bad_alloc&) {
            printLine(stderr, QStringLiteral("lumelle-convert: Not enough memory for this pair."));
        }
        report.status = rc;
        if (g_stopRequested && !report.aborted)
            printLine(stderr, QStringLiteral("Operation Aborted"));
        if (options.json) {
            const QByteArray summary = jsonSummary({report});
            std::fwrite(summary.constData(), 1, std::size_t(summary.size()), stdout);
        }
        return rc;
    }
    // The .idx each file would be written to, planned once for the checks between files.
    QStringList plannedIdx;
    for (const QString& file : options.files)
        plannedIdx << PlanOutputs(file, outputFolderFor(options, file), outputSetOf(options))
                          .files.front();
    int failures = 0;
    QList<FileReport> reports;
    int withSkipped = 0;
    QList<Produced> produced;
    // The texts a stop prints, one set per file; each stays alive, as the handler may hold it.
    std::list<StopText> stopTexts;
    const auto prepareStop = [&](qsizetype next) {
        StopText& text = stopTexts.emplace_back();
        text.toStderr =
            QByteArrayLiteral("Operation Aborted\n") + unconvertedLines(options.files, next);
        if (options.json)
            text.toStdout = jsonSummary(withUnconverted(reports, options.files, next));
        g_stopText.store(&text);
    };
    qsizetype next = 0;
    for (; next < options.files.size() && !g_stopRequested; ++next) {
        const qsizetype i = next;
        const QString& file = options.files[i];
        // What was printed so far is out before a stop can end the program.
        flushStandardOutput();
        prepareStop(i);
        FileReport& report = reports.emplace_back(FileReport{givenName(file)});
        try {
            if (!options.listOnly &&
                sharesOutputWithEarlierFile(options, i, plannedIdx, produced)) {
                ++failures;
                continue;
            }
            const int rc = options.listOnly ? listFile(file, options)
                                            : convertFile(file, options, report, produced);
            report.status = rc;
            failures += rc != 0 && rc != kEntriesSkipped;
            withSkipped += rc == kEntriesSkipped;
        } catch (const Error& e) {
            printLine(stderr, QStringLiteral("%1: %2").arg(shownName(file), e.message()));
            ++failures;
        } catch (const std::bad_alloc&) {
            printLine(stderr,
                      QStringLiteral("%1: Not enough memory for this file.").arg(shownName(file)));
            ++failures;
        }
        // The outcome is taken: a stop from here on ends the program at once again.
        prepareStop(i + 1);
        g_writing = 0;
    }
    // A stop while a pair was written ends the batch after that file.
    if (next < options.files.size()) {
        if (reports.isEmpty() || !reports.back().aborted)
            printLine(stderr, QStringLiteral("Operation Aborted"));
        const QByteArray lines = unconvertedLines(options.files, next);
        std::fwrite(lines.constData(), 1, std::size_t(lines.size()), stderr);
        reports = withUnconverted(reports, options.files, next);
        ++failures;
    }
    if (options.json) {
        const QByteArray summary = jsonSummary(reports);
        std::fwrite(summary.constData(), 1, std::size_t(summary.size()), stdout);
    }
    return failures != 0 ? 1 : withSkipped != 0 ? kEntriesSkipped : 0;
}

// The exit status once standard output is flushed: a failed write there turns success into
// failure, after saying so on standard error.
int checkedStatus(int status)
{
    flushStandardOutput();
    if (g_stdoutError == 0)
        return status;
    std::fprintf(stderr, "lumelle-convert: cannot write to standard output: %s\n",
                 std::strerror(g_stdoutError));
    return status == 0 || status == kEntriesSkipped ? 1 : status;
}

} // namespace

int main(int argc, char** argv)
{
    guardStandardFiles();
    // The arguments as given, each name's bytes kept (Qt's own list has U+FFFD for a byte that
    // is not UTF-8); the application below takes options such as --style for itself.
    PrivateInputs privateInputs;
    g_privateInputs = &privateInputs;
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << FromSystemName(QByteArray(argv[i]));

    g_defaultMessageHandler = qInstallMessageHandler(handleQtMessage);
    // Fonts need a GUI application; without a display the offscreen platform serves.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("lumelle-convert"));
    QCoreApplication::setApplicationVersion(QStringLiteral(LUMELLE_VERSION));

    ConvertOptions options;
    QString error;
    const ParseOutcome outcome = ParseConvertOptions(arguments, options, error);
    releaseQtMessages(outcome == ParseOutcome::Run && options.quiet);
    if (outcome == ParseOutcome::Help) {
        std::fputs(ConvertHelpText().toLocal8Bit().constData(), stdout);
        return checkedStatus(0);
    }
    if (outcome == ParseOutcome::Version) {
        std::fputs(
            platform::versionText(QStringLiteral("lumelle-convert")).toLocal8Bit().constData(),
            stdout);
        return checkedStatus(0);
    }
    if (outcome == ParseOutcome::Error) {
        printLine(stderr, QStringLiteral("lumelle-convert: %1").arg(error));
        std::fputs("Try 'lumelle-convert --help'.\n", stderr);
        return 2;
    }
    if (!checkFont(options))
        return 2;
    if (options.files == QStringList{QLatin1String(kStandardInput)} &&
        !readStandardInput(options, privateInputs))
        return 1;
    if (!prepareOutputFolder(options))
        return 1;

    // A stop before the batch has prepared its first file's text names every file.
    static StopText beforeFirstFile;
    if (!options.listOnly && options.streams.empty()) {
        beforeFirstFile.toStderr =
            QByteArrayLiteral("Operation Aborted\n") + unconvertedLines(options.files, 0);
        if (options.json)
            beforeFirstFile.toStdout = jsonSummary(withUnconverted({}, options.files, 0));
        g_stopText.store(&beforeFirstFile);
    }
    std::signal(SIGINT, requestStop);
    std::signal(SIGTERM, requestStop);

    return checkedStatus(convertAll(options));
}
