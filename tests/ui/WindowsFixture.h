// The program's three windows created as the program creates them, over recording doubles of
// the message, file-dialog and shell layers, with a temporary folder for a test's files.
#pragma once

#include "TestFiles.h"
#include "doubles/QueuedFileDialogs.h"
#include "doubles/RecordingMessages.h"
#include "doubles/RecordingShell.h"
#include "ui/Controls.h"
#include "ui/Unit1.h"
#include "ui/Unit2.h"
#include "ui/Unit3.h"

#include <QApplication>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

namespace lumelle::testing {

class WindowsFixture : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }

    // Creates the windows in the program's order; with an empty path no settings are stored.
    void createWindows(const QString& settingsPath = QString())
    {
        form = std::make_unique<TForm1>(nullptr, settingsPath);
        about = std::make_unique<TForm2>(form.get());
        options = std::make_unique<TFormColorOptions>(form.get(), form.get());
        form->setDialogs(about.get(), options.get());
    }

    // Destroys the windows as the program ends: dialogs first, then the main window.
    void destroyWindows()
    {
        options.reset();
        about.reset();
        form.reset();
    }

    // Shows the main window and waits until it is the active window (its activation ran).
    bool showActive()
    {
        form->show();
        form->activateWindow();
        for (int i = 0; i < 50 && !form->isActiveWindow(); ++i)
            QApplication::processEvents(QEventLoop::AllEvents, 20);
        return form->isActiveWindow();
    }

    // Writes `bytes` to the file `name` in the temporary folder and returns its path.
    QString write(const QString& name, const QByteArray& bytes)
    {
        return writeFileIn(dir, name, bytes);
    }

    QTemporaryDir dir;
    platform::RecordingMessages recorded;
    platform::ScopedMessages useRecorded{&recorded};
    platform::QueuedFileDialogs dialogs;
    platform::ScopedFileDialogs useDialogs{&dialogs};
    platform::RecordingShell shell;
    platform::ScopedShell useShell{&shell};
    std::unique_ptr<TForm1> form;
    std::unique_ptr<TForm2> about;
    std::unique_ptr<TFormColorOptions> options;
};

} // namespace lumelle::testing
