// The window program: creates the main window, the About window and the colour options dialog,
// in that order, shows any error that ends an operation in a message box, and runs the loop.
#include "platform/Error.h"
#include "platform/Messages.h"
#include "platform/widgets/WidgetMessages.h"
#include "ui/Artwork.h"
#include "ui/Translations.h"
#include "ui/Unit1.h"
#include "ui/Unit2.h"
#include "ui/Unit3.h"

#include <QApplication>
#include <QTimer>

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

// A subtitle file named on the command line, as the desktop entry passes it, is loaded as if
// chosen in the open dialog once the event loop runs.
void openFileFromCommandLine(lumelle::TForm1& form)
{
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() < 2)
        return;
    const QString file = arguments.at(1);
    QTimer::singleShot(0, &form, [&form, file] {
        form.OpenDialogsub.FileName = file;
        form.RunGuarded([&form] { form.ButtonLoadSrtClick(nullptr); });
    });
}

} // namespace

int main(int argc, char** argv)
{
    LumelleApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Lumelle"));
    QApplication::setApplicationVersion(QStringLiteral(LUMELLE_VERSION));
    QApplication::setWindowIcon(lumelle::ProgramIcon());
    lumelle::InstallTranslations(app);

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
    openFileFromCommandLine(Form1);
    return app.exec();
}
