// lumelle-convert: converts subtitle files to VobSub pairs, the DVD .sup and the Blu-ray forms
// without the window, with the same readers, renderer and writers.
#include "cli/Batch.h"
#include "cli/ConvertHelp.h"
#include "cli/ConvertOptions.h"
#include "cli/FolderInputs.h"
#include "cli/Interruption.h"
#include "cli/RunState.h"
#include "cli/TerminalText.h"
#include "platform/Licence.h"
#include "platform/SystemNames.h"
#include "render/FontMatch.h"
#include "settings/SettingsTable.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <cstdio>

using namespace lumelle;

namespace {

// The arguments as given, each name's bytes kept (Qt's own list has U+FFFD for a byte that is
// not UTF-8).
QStringList argumentsOf(int argc, char** argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << FromSystemName(QByteArray(argv[i]));
    return arguments;
}

// The answer to --help, --version or a command line that cannot be read; its exit status.
int answerWithoutRun(ParseOutcome outcome, const QString& error, StandardOutput& output)
{
    if (outcome == ParseOutcome::Help) {
        std::fputs(ConvertHelpText().toLocal8Bit().constData(), stdout);
        return output.checkedStatus(0);
    }
    if (outcome == ParseOutcome::Version) {
        std::fputs(
            platform::versionText(QStringLiteral("lumelle-convert")).toLocal8Bit().constData(),
            stdout);
        return output.checkedStatus(0);
    }
    PrintLine(stderr, QStringLiteral("lumelle-convert: %1").arg(error));
    std::fputs("Try 'lumelle-convert --help'.\n", stderr);
    return 2;
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
    PrintLine(
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
            PrintLine(stderr, QStringLiteral("lumelle-convert: --output %1 is a folder; for - "
                                             "(standard input) it names the pair, as in out/film")
                                  .arg(ShownPath(options.outputFolder)));
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
        PrintLine(stderr, QStringLiteral("lumelle-convert: %1").arg(error));
        return false;
    }
    options.files = QStringList{copy};
    return true;
}

// --output names a folder that is created when missing.
bool prepareOutputFolder(const ConvertOptions& options)
{
    if (options.outputFolder.isEmpty() || options.listOnly)
        return true;
    QStringList folders{options.outputFolder};
    for (const QString& file : options.files)
        folders << TreeOutputFolder(options, file);
    folders.removeDuplicates();
    for (const QString& folder : folders) {
        if (!MakeFolders(folder)) {
            PrintLine(stderr, QStringLiteral("lumelle-convert: cannot create the output folder %1")
                                  .arg(ShownPath(folder)));
            return false;
        }
    }
    return true;
}

// The steps between reading the options and the batch: the font, standard input and the output
// folder. 0 when the batch can start, else the exit status of the run.
int prepareRun(RunState& run)
{
    ConvertOptions& options = run.options;
    if (!checkFont(options))
        return 2;
    if (options.files == QStringList{QLatin1String(kStandardInput)} &&
        !readStandardInput(options, run.inputs))
        return 1;
    ExpandFolders(options);
    if (!prepareOutputFolder(options))
        return 1;
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    // Guards the standard files before anything else is opened, and holds Qt's messages.
    RunState run;
    // Taken before the application, which takes options such as --style for itself.
    const QStringList arguments = argumentsOf(argc, argv);
    // Fonts need a GUI application; without a display the offscreen platform serves.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("lumelle-convert"));
    QCoreApplication::setApplicationVersion(QStringLiteral(LUMELLE_VERSION));

    QString error;
    const ParseOutcome outcome = ParseConvertOptions(arguments, run.options, error);
    run.qtMessages.release(outcome == ParseOutcome::Run && run.options.quiet);
    if (outcome != ParseOutcome::Run)
        return answerWithoutRun(outcome, error, run.output);
    if (const int status = prepareRun(run); status != 0)
        return status;

    PrepareStopBeforeBatch(run);
    CatchStops();
    return run.output.checkedStatus(ConvertAll(run));
}
