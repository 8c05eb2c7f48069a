// The window program: creates the main window, the About window and the colour options dialog,
// in that order, shows any error that ends an operation in a message box, and runs the loop.
#include "platform/Error.h"
#include "platform/Licence.h"
#include "platform/Messages.h"
#include "platform/SystemNames.h"
#include "platform/widgets/WidgetMessages.h"
#include "ui/Artwork.h"
#include "ui/Translations.h"
#include "ui/Unit1.h"
#include "ui/Unit2.h"
#include "ui/Unit3.h"

#include <QApplication>
#include <QTimer>
#include <cstdio>
#include <optional>
#include <string_view>

namespace {

// The last line of defence: an error that escapes a handler ends that handler only; its exact
// text is shown and the program goes on.
class LumelleApplication : public QApplication
{
public:
    using QApplication::QApplication;

    bool notify(QObject* receiver, QEvent* event) override
    {
        try {
            return QApplication::notify(receiver, event);
        } catch (const lumelle::Error& error) {
            lumelle::platform::messages().showMessage(error.message());
        } catch (const std::exception& error) {
            lumelle::platform::messages().showMessage(QString::fromLocal8Bit(error.what()));
        }
        return false;
    }
};

// What `lumelle --help` prints.
constexpr char kUsage[] =
    "Usage: lumelle [options] [FILE]\n"
    "\n"
    "Turns a text subtitle file (SubRip .srt, MicroDVD .sub or .txt, WebVTT .vtt,\n"
    "ASS/SSA .ass or .ssa) into bitmap subtitles: a DVD VobSub pair (.idx/.sub),\n"
    "a DVD .sup for authoring programs, a Blu-ray PGS .sup, or BDN XML with PNGs.\n"
    "FILE, when given, is loaded as if chosen with \"Load Srt,Sub\"; a name that\n"
    "starts with '-' follows '--'.\n"
    "\n"
    "Options:\n"
    "  -h, --help     show this text\n"
    "  -V, --version  print the version and licence\n"
    "Qt's own options (-platform NAME, -style NAME, ...) are taken as well.\n"
    "lumelle-convert(1) converts without the window.\n";

// The command line before the window exists: --help and --version are answered without a
// display. Gives the exit status when the program is done, or none to go on.
std::optional<int> answerInfoOptions(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg(argv[i]);
        if (arg == "--")
            break;
        if (arg == "-h" || arg == "--help") {
            std::fputs(kUsage, stdout);
            return std::fflush(stdout) == 0 ? 0 : 1;
        }
        if (arg == "-V" || arg == "--version") {
            std::fputs(lumelle::platform::versionText(QStringLiteral("lumelle")).toLocal8Bit(),
                       stdout);
            return std::fflush(stdout) == 0 ? 0 : 1;
        }
    }
    return std::nullopt;
}

// The subtitle file of the command line once Qt has taken its own options: at most one name;
// any other option is refused. Empty when none was given; none after a usage error.
std::optional<QString> fileArgument(const QStringList& arguments)
{
    QString file;
    bool optionsEnd = false;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& arg = arguments.at(i);
        QString problem;
        if (!optionsEnd && arg == QLatin1String("--"))
            optionsEnd = true;
        else if (!optionsEnd && arg.size() > 1 && arg.startsWith(QLatin1Char('-')))
            problem = QStringLiteral("unknown option %1").arg(arg);
        else if (!file.isEmpty())
            problem = QStringLiteral("only one subtitle file can be opened, not %1 and %2")
                          .arg(file, arg);
        else
            file = arg;
        if (!problem.isEmpty()) {
            std::fprintf(stderr, "lumelle: %s\nTry 'lumelle --help'.\n",
                         lumelle::ReadableName(problem).toLocal8Bit().constData());
            return std::nullopt;
        }
    }
    return file;
}

// A subtitle file named on the command line, as the desktop entry passes it, is loaded as if
// chosen in the open dialog once the event loop runs.
void openFileFromCommandLine(lumelle::TForm1& form, const QString& file)
{
    if (file.isEmpty())
        return;
    QTimer::singleShot(0, &form, [&form, file] {
        form.OpenDialogsub.FileName = file;
        form.RunGuarded([&form] { form.ButtonLoadSrtClick(nullptr); });
    });
}

} // namespace

int main(int argc, char** argv)
{
    if (const std::optional<int> status = answerInfoOptions(argc, argv))
        return *status;
    LumelleApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Lumelle"));
    QApplication::setApplicationVersion(QStringLiteral(LUMELLE_VERSION));
    QApplication::setWindowIcon(lumelle::ProgramIcon());
    lumelle::InstallTranslations(app);
    // The arguments Qt left, each name's bytes kept: Qt's own list has U+FFFD for a byte that is
    // not UTF-8, and the desktop entry passes names as the system holds them.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << lumelle::FromSystemName(QByteArray(argv[i]));
    const std::optional<QString> file = fileArgument(arguments);
    if (!file)
        return 2;

    lumelle::platform::WidgetMessages messageBoxes;
    lumelle::platform::ScopedMessages useMessageBoxes(&messageBoxes);

    // The settings file is read while the main window is created and written when it is
    // destroyed, after the dialogs (declared later, so destroyed first) have saved.
    lumelle::TForm1 Form1(nullptr, lumelle::platform::settingsFilePath());
    lumelle::TForm2 Form2(&Form1);
    lumelle::TFormColorOptions FormColorOptions(&Form1, &Form1);
    Form1.setDialogs(&Form2, &FormColorOptions);

    Form1.show();
    // Ask for the focus: without a window manager nothing else activates the window, and its
    // start-up steps (preview picture, stored colours) run on that first activation.
    Form1.activateWindow();
    openFileFromCommandLine(Form1, *file);
    return app.exec();
}
