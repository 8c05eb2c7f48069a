// A main window with its two dialogs, message boxes and file dialogs replaced by recording
// doubles, and a temporary folder for subtitle files.
#pragma once

#include "doubles/QueuedFileDialogs.h"
#include "doubles/RecordingMessages.h"
#include "ui/ColorListWidget.h"
#include "ui/PreviewView.h"
#include "ui/Unit1.h"
#include "ui/Unit2.h"
#include "ui/Unit3.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

namespace lumelle::testing {

class MainWindowTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        form = std::make_unique<TForm1>();
        about = std::make_unique<TForm2>(form.get());
        options = std::make_unique<TFormColorOptions>(form.get(), form.get());
        form->setDialogs(about.get(), options.get());
    }
    void TearDown() override
    {
        options.reset();
        about.reset();
        form.reset();
        RunStopped = true;
    }

    QString write(const QString& name, const QByteArray& bytes)
    {
        const QString path = dir.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }

    // Chooses `path` in the subtitle dialog and presses "Load Srt,Sub".
    void loadFile(const QString& path)
    {
        dialogs.queueFile(path);
        form->ButtonLoadSrt->click();
    }

    // Shows the window and waits until it is the active window (its activation ran).
    bool showActive()
    {
        form->show();
        form->activateWindow();
        for (int i = 0; i < 50 && !form->isActiveWindow(); ++i)
            QApplication::processEvents(QEventLoop::AllEvents, 20);
        return form->isActiveWindow();
    }

    QTemporaryDir dir;
    platform::RecordingMessages recorded;
    platform::ScopedMessages useRecorded{&recorded};
    platform::QueuedFileDialogs dialogs;
    platform::ScopedFileDialogs useDialogs{&dialogs};
    std::unique_ptr<TForm1> form;
    std::unique_ptr<TForm2> about;
    std::unique_ptr<TFormColorOptions> options;
};

inline QStringList rowsOf(const QListWidget* list)
{
    QStringList rows;
    for (int i = 0; i < list->count(); ++i)
        rows << list->item(i)->text();
    return rows;
}

} // namespace lumelle::testing
