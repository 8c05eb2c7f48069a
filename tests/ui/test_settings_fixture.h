// The three windows of the program with their settings file in a temporary folder, and the
// message, file-dialog and shell layers replaced by recording doubles. start() and finish()
// are one run of the program: creation, first showing, closing, destruction.
#pragma once

#include "doubles/QueuedFileDialogs.h"
#include "doubles/RecordingMessages.h"
#include "doubles/RecordingShell.h"
#include "platform/IniStore.h"
#include "ui/ColorListWidget.h"
#include "ui/FormStorage.h"
#include "ui/Unit1.h"
#include "ui/Unit2.h"
#include "ui/Unit3.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSlider>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

namespace lumelle::testing {

class SettingsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        settingsPath = dir.filePath(QLatin1String(platform::kSettingsFileName));
    }
    void TearDown() override { finish(); }

    // Creates the windows as the program does, in its order.
    void create()
    {
        form = std::make_unique<TForm1>(nullptr, settingsPath);
        about = std::make_unique<TForm2>(form.get());
        options = std::make_unique<TFormColorOptions>(form.get(), form.get());
        form->setDialogs(about.get(), options.get());
    }

    // Shows the main window and waits for its activation (the start-up restores).
    bool showActive()
    {
        form->show();
        form->activateWindow();
        for (int i = 0; i < 50 && !form->isActiveWindow(); ++i)
            QApplication::processEvents(QEventLoop::AllEvents, 20);
        return form->isActiveWindow();
    }

    void start()
    {
        create();
        ASSERT_TRUE(showActive());
    }

    // Closes the main window and ends the program: dialogs first, then the main window.
    void finish()
    {
        if (form && form->isVisible())
            form->close();
        options.reset();
        about.reset();
        form.reset();
    }

    // Shows the colour options dialog (restore and activation) and closes it with "Done".
    void showOptionsAndDone(QRadioButton* choice = nullptr)
    {
        options->show();
        if (choice)
            choice->setChecked(true);
        options->ButtonDone->click();
    }

    void writeSettings(const QByteArray& bytes)
    {
        QFile file(settingsPath);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    QByteArray readSettings() const
    {
        QFile file(settingsPath);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    // The placement lines a save on this screen writes for a window with this frame.
    static QByteArray placementLines(QRect frame)
    {
        QScreen* screen = QGuiApplication::primaryScreen();
        const QByteArray size = QByteArray::number(screen->size().width()) + 'x' +
                                QByteArray::number(screen->size().height());
        const QByteArray norm = QByteArray::number(frame.left()) + ',' +
                                QByteArray::number(frame.top()) + ',' +
                                QByteArray::number(frame.left() + frame.width()) + ',' +
                                QByteArray::number(frame.top() + frame.height());
        return "FormVersion=0\r\nShowCmd=1\r\nFlags=0\r\nPixelsPerInch=" +
               QByteArray::number(qRound(screen->logicalDotsPerInchY())) + "\r\n" + "MinMaxPos(" +
               size + ")=-1,-1,-1,-1\r\nMinMaxPos=-1,-1,-1,-1\r\n" + "NormPos(" + size +
               ")=" + norm + "\r\nNormPos=" + norm + "\r\n";
    }

    static int screenDpi()
    {
        return qRound(QGuiApplication::primaryScreen()->logicalDotsPerInchY());
    }

    QTemporaryDir dir;
    QString settingsPath;
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

inline QList<ColorValue> coloursOf(const ColorListWidget* list)
{
    QList<ColorValue> colours;
    for (int i = 0; i < list->colorCount(); ++i)
        colours << list->colorAt(i);
    return colours;
}

} // namespace lumelle::testing
