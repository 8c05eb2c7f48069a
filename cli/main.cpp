// lumelle-convert: converts subtitle files to VobSub pairs without the window, with the same
// readers, renderer and writer.
#include "cli/ConvertOptions.h"
#include "platform/Error.h"
#include "render/Renderer.h"
#include "subtitle/Subtitle.h"
#include "vobsub/GenerationRun.h"

#include <QFileInfo>
#include <QGuiApplication>
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
    if (options.listOnly || encoding.worthNaming(charset))
        printLine(stderr,
                  QStringLiteral("%1: read as %2").arg(file, encoding.description(charset)));
    if (!list.RateNote().isEmpty())
        printLine(stderr, QStringLiteral("%1: %2").arg(file, list.RateNote()));
    for (const SkippedEntry& skipped : list.Skipped())
        printLine(stderr, QStringLiteral("%1:%2: warning: skipped: %3")
                              .arg(file)
                              .arg(skipped.lineNumber)
                              .arg(skipped.reason));
    if (!list.Skipped().empty())
        printLine(stderr,
                  QStringLiteral("%1: %2 entries skipped").arg(file).arg(list.Skipped().size()));
    if (list.Count() > 0)
        return true;
    printLine(stderr, QStringLiteral("%1: no subtitle could be read").arg(file));
    return false;
}

// Reads `file` into `list`; false, after saying so, when it is no subtitle file or holds no
// readable subtitle.
bool load(TSubtitle& list, const QString& file, const ConvertOptions& options)
{
    if (list.LoadFromFile(file, true, FrameRate::fromText(options.fpsText), 0,
                          options.settings.charset) == LoadOutcome::Read)
        return reportLoad(list, file, options);
    printLine(stderr,
              QStringLiteral("%1: %2").arg(file, QString::fromLatin1(kUnsupportedFormatMessage)));
    return false;
}

class ProgressBar
{
public:
    explicit ProgressBar(const QString& name) : m_name(QFileInfo(name).fileName()), m_tty(isatty(2))
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
                     DecodeText(l.Line1, options.settings.charset, list.Encoding()));
        if (!l.Line2.empty())
            row +=
                QLatin1Char('|') + DecodeText(l.Line2, options.settings.charset, list.Encoding());
        printLine(stdout, row);
    }
    return list.Skipped().empty() ? 0 : kEntriesSkipped;
}

// Converts one file; returns 0 on success.
int convertFile(const QString& file, const ConvertOptions& options)
{
    TSubtitle list;
    if (!load(list, file, options))
        return 1;

    // Like the window: every line is checked against the frame width first, and a file with a
    // line too wide is refused before anything is written.
    const QString tooWide = FirstTooWideSubtitle(list, options.settings);
    if (!tooWide.isEmpty()) {
        printLine(stderr, tooWide);
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

    ProgressBar bar(file);
    GenerationCallbacks callbacks;
    callbacks.beforeSubtitle = [&bar](int index, int count) {
        if (g_stopRequested)
            return false;
        bar.show(index, count);
        return true;
    };
    const GenerationResult result = RunGeneration(request, callbacks);
    bar.finish();
    if (result.aborted) {
        printLine(stderr, QStringLiteral("Operation Aborted"));
        printLine(stderr, QStringLiteral("%1 and %2 hold the first %3 subtitles.")
                              .arg(result.idxPath, result.subPath)
                              .arg(result.written));
        return 1;
    }
    printLine(stdout, QStringLiteral("%1: %2 subtitles -> %3, %4 (help: %5)")
                          .arg(file)
                          .arg(result.written)
                          .arg(result.idxPath, result.subPath, result.helpPath));
    return list.Skipped().empty() ? 0 : kEntriesSkipped;
}

} // namespace

int main(int argc, char** argv)
{
    // The arguments as given: the application below takes options such as --style for itself.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);

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
    if (outcome == ParseOutcome::Error) {
        printLine(stderr, QStringLiteral("lumelle-convert: %1").arg(error));
        std::fputs("Try 'lumelle-convert --help'.\n", stderr);
        return 2;
    }

    std::signal(SIGINT, requestStop);
    std::signal(SIGTERM, requestStop);

    int failures = 0;
    int withSkipped = 0;
    for (const QString& file : options.files) {
        try {
            const int rc = options.listOnly ? listFile(file, options) : convertFile(file, options);
            failures += rc != 0 && rc != kEntriesSkipped;
            withSkipped += rc == kEntriesSkipped;
        } catch (const Error& e) {
            printLine(stderr, QStringLiteral("%1: %2").arg(file, e.message()));
            ++failures;
        }
        if (g_stopRequested)
            break;
    }
    return failures != 0 ? 1 : withSkipped != 0 ? kEntriesSkipped : 0;
}
