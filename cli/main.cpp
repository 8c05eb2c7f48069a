// lumelle-convert: converts subtitle files to VobSub pairs without the window, with the same
// readers, renderer and writer.
#include "cli/ConvertOptions.h"
#include "platform/Error.h"
#include "render/FontMatch.h"
#include "render/Renderer.h"
#include "render/SettingsTable.h"
#include "subtitle/Subtitle.h"
#include "vobsub/GenerationRun.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <csignal>
#include <cstdio>
#include <unistd.h>

using namespace lumelle;

namespace {

volatile std::sig_atomic_t g_stopRequested = 0;

void requestStop(int)
{
    g_stopRequested = 1;
}

void printLine(FILE* to, const QString& text)
{
    QString shown = text;
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    // Written by length: a NUL byte quoted from a subtitle file must not cut the message.
    const QByteArray bytes = shown.toLocal8Bit() + '\n';
    std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), to);
}

// Reads `file` into `list`; false, after saying so, when it is no subtitle file.
bool load(TSubtitle& list, const QString& file, const ConvertOptions& options)
{
    if (list.LoadFromFile(file, true, FrameRate::fromText(options.fpsText), 0) == LoadOutcome::Read)
        return true;
    printLine(stderr, QStringLiteral("%1: %2").arg(file, QLatin1String(kUnsupportedFormatMessage)));
    return false;
}

class ProgressBar
{
public:
    ProgressBar(const QString& name, bool quiet)
        : m_name(QFileInfo(name).fileName()), m_tty(!quiet && isatty(2))
    {}
    ~ProgressBar() { finish(); }

    void show(int done, int count)
    {
        if (!m_tty || count <= 0)
            return;
        const int width = 30;
        const int filled = int(qint64(done) * width / count);
        std::fprintf(stderr, "\r[%s%s] %3d%% %d/%d %s", QByteArray(filled, '#').constData(),
                     QByteArray(width - filled, '.').constData(), int(qint64(done) * 100 / count),
                     done, count, m_name.toLocal8Bit().constData());
        std::fflush(stderr);
        m_shown = true;
    }
    void finish()
    {
        if (m_shown)
            std::fprintf(stderr, "\n");
        m_shown = false;
    }

private:
    QString m_name;
    bool m_tty;
    bool m_shown = false;
};

// What became of one file, for the --json summary.
struct FileReport
{
    QString file;
    int status = 1;
    int written = 0;
    int skipped = 0;
    QStringList outputs; // the .idx, .sub and help file written
};

void fillReport(FileReport& report, const GenerationResult& result, const TSubtitle& list)
{
    report.written = result.written;
    report.skipped = int(list.Skipped().size());
    report.outputs = QStringList{result.idxPath, result.subPath};
    if (!result.aborted)
        report.outputs << result.helpPath;
}

// The summary of --json: one object per file, in the order given.
void printJsonSummary(const QList<FileReport>& reports)
{
    QJsonArray files;
    for (const FileReport& r : reports) {
        files.append(
            QJsonObject{{QStringLiteral("file"), r.file},
                        {QStringLiteral("status"), r.status},
                        {QStringLiteral("subtitles"), r.written},
                        {QStringLiteral("skipped"), r.skipped},
                        {QStringLiteral("outputs"), QJsonArray::fromStringList(r.outputs)}});
    }
    const QJsonDocument document(QJsonObject{{QStringLiteral("files"), files}});
    std::fputs(document.toJson(QJsonDocument::Indented).constData(), stdout);
}

// Qt warns on every start when XDG_RUNTIME_DIR is unset, as it is under cron, ssh or a
// container; the converter never uses that folder, so exactly that warning is dropped.
QtMessageHandler g_defaultMessageHandler = nullptr;

void dropRuntimeDirWarning(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    if (type == QtWarningMsg &&
        text.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR not set")))
        return;
    g_defaultMessageHandler(type, context, text);
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

// --output names a folder that is created when missing.
bool prepareOutputFolder(const ConvertOptions& options)
{
    if (options.outputFolder.isEmpty() || options.listOnly || QDir().mkpath(options.outputFolder))
        return true;
    printLine(stderr, QStringLiteral("lumelle-convert: cannot create the output folder %1")
                          .arg(options.outputFolder));
    return false;
}

// Lists a file as read, one line per subtitle.
int listFile(const QString& file, const ConvertOptions& options)
{
    TSubtitle list;
    if (!load(list, file, options))
        return 1;
    const FrameRate rate = FrameRate::fromText(options.fpsText);
    for (int i = 1; i <= list.Count(); ++i) {
        const SubtitleLine& l = list.line(i);
        QString row =
            QStringLiteral("%1\t%2\t%3\t%4")
                .arg(i)
                .arg(QString::fromStdString(TSubtitle::FramesToTime(StrToInt(l.StartFrame), rate)),
                     QString::fromStdString(TSubtitle::FramesToTime(StrToInt(l.EndFrame), rate)),
                     DecodeText(l.Line1, options.settings.charset));
        if (!l.Line2.empty())
            row += QLatin1Char('|') + DecodeText(l.Line2, options.settings.charset);
        printLine(stdout, row);
    }
    return 0;
}

// Says how many subtitles overlapping in time were drawn together.
void reportMerged(const QString& file, const GenerationResult& result)
{
    if (result.merged > 0)
        printLine(stdout, QStringLiteral("%1: %2 overlapping subtitles shown together")
                              .arg(file)
                              .arg(result.merged));
}

// Converts one file; returns 0 on success.
int convertFile(const QString& file, const ConvertOptions& options, FileReport& report)
{
    TSubtitle list;
    if (!load(list, file, options))
        return 1;
    if (list.Count() == 0) {
        printLine(stderr, QStringLiteral("%1: no subtitles found").arg(file));
        return 1;
    }

    // Like the window: every line is checked against the frame width first, and a file with a
    // line too wide is refused before anything is written.
    const QString tooWide = FirstTooWideSubtitle(list, options.settings);
    if (!tooWide.isEmpty()) {
        printLine(stderr, QStringLiteral("%1: %2").arg(file, tooWide));
        return 1;
    }

    GenerationRequest request;
    request.subtitles = &list;
    request.subtitleFile = file;
    request.frameRate = FrameRate::fromText(options.fpsText);
    request.mode = options.mode;
    request.languageText = options.languageText;
    request.colours = {options.settings.antialiasColor, options.settings.outlineColor,
                       options.settings.textColor};
    request.gatherSettings = [&options] { return options.settings; };
    request.outputFolder = options.outputFolder;
    request.jobs = options.jobs;

    ProgressBar bar(file, options.quiet);
    GenerationCallbacks callbacks;
    callbacks.beforeSubtitle = [&bar](int index, int count) {
        if (g_stopRequested)
            return false;
        bar.show(index, count);
        return true;
    };
    const GenerationResult result = RunGeneration(request, callbacks);
    bar.finish();
    fillReport(report, result, list);
    if (result.aborted) {
        printLine(stderr, QStringLiteral("%1: Operation Aborted").arg(file));
        printLine(stderr, QStringLiteral("%1 and %2 hold the first %3 subtitles.")
                              .arg(result.idxPath, result.subPath)
                              .arg(result.written));
        return 1;
    }
    if (!options.quiet && !options.json) {
        reportMerged(file, result);
        printLine(stdout, QStringLiteral("%1: %2 subtitles -> %3, %4 (help: %5)")
                              .arg(file)
                              .arg(result.written)
                              .arg(result.idxPath, result.subPath, result.helpPath));
    }
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    // The arguments as given: the application below takes options such as --style for itself.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);

    g_defaultMessageHandler = qInstallMessageHandler(dropRuntimeDirWarning);
    // Fonts need a GUI application; without a display the offscreen platform serves.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("lumelle-convert"));
    QCoreApplication::setApplicationVersion(QStringLiteral(LUMELLE_VERSION));

    ConvertOptions options;
    QString error;
    const ParseOutcome outcome = ParseConvertOptions(arguments, options, error);
    if (outcome == ParseOutcome::Help) {
        std::fputs(ConvertHelpText().toLocal8Bit().constData(), stdout);
        return 0;
    }
    if (outcome == ParseOutcome::Version) {
        std::printf("lumelle-convert %s\n", LUMELLE_VERSION);
        return 0;
    }
    if (outcome == ParseOutcome::Error) {
        printLine(stderr, QStringLiteral("lumelle-convert: %1").arg(error));
        std::fputs("Try 'lumelle-convert --help'.\n", stderr);
        return 2;
    }
    if (!checkFont(options))
        return 2;
    if (!prepareOutputFolder(options))
        return 1;

    std::signal(SIGINT, requestStop);
    std::signal(SIGTERM, requestStop);

    int failures = 0;
    QList<FileReport> reports;
    for (const QString& file : options.files) {
        FileReport& report = reports.emplace_back(FileReport{file});
        try {
            const int rc =
                options.listOnly ? listFile(file, options) : convertFile(file, options, report);
            report.status = rc;
            failures += rc != 0;
        } catch (const Error& e) {
            printLine(stderr, QStringLiteral("%1: %2").arg(file, e.message()));
            ++failures;
        }
        if (g_stopRequested)
            break;
    }
    if (options.json)
        printJsonSummary(reports);
    return failures == 0 ? 0 : 1;
}
