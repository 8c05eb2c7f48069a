// The three windows of the program with their settings file in the temporary folder of
// WindowsFixture. start() and finish() are one run of the program: creation, first showing,
// closing, destruction.
#pragma once

#include "SettingsFiles.h"
#include "WindowsFixture.h"
#include "platform/IniStore.h"
#include "ui/ColorListWidget.h"
#include "ui/FormStorage.h"
#include "ui/WindowPlacement.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSlider>

namespace lumelle::testing {

class SettingsTest : public WindowsFixture
{
protected:
    void SetUp() override
    {
        WindowsFixture::SetUp();
        settingsPath = dir.filePath(QLatin1String(platform::kSettingsFileName));
    }
    void TearDown() override { finish(); }

    // Creates the windows as the program does, over the settings file.
    void create() { createWindows(settingsPath); }

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
        destroyWindows();
    }

    // Shows the colour options dialog (restore and activation) and closes it with "Done".
    void showOptionsAndDone(QRadioButton* choice = nullptr)
    {
        options->show();
        if (choice)
            choice->setChecked(true);
        options->ButtonDone->click();
    }

    // Where the main window stored at `topLeft` is shown: moved wholly inside the screen (the
    // offscreen screen is narrower than the window, so it starts at the left edge).
    QPoint shownAt(QPoint topLeft) const
    {
        return InsideArea(QRect(topLeft, form->frameGeometry().size()),
                          form->screen()->availableGeometry());
    }

    void writeSettings(const QByteArray& bytes) { writeFile(settingsPath, bytes); }
    QByteArray readSettings() const { return readAll(settingsPath); }

    // The placement lines a save on this screen writes for a window with this frame.
    static QByteArray placementLines(QRect frame)
    {
        const QSize size = QGuiApplication::primaryScreen()->size();
        return ::placementLines(QByteArray::number(size.width()) + 'x' +
                                    QByteArray::number(size.height()),
                                screenDpi(), frame);
    }

    static int screenDpi()
    {
        return qRound(QGuiApplication::primaryScreen()->logicalDotsPerInchY());
    }

    QString settingsPath;
};

inline QList<ColorValue> coloursOf(const ColorListWidget* list)
{
    QList<ColorValue> colours;
    for (int i = 0; i < list->colorCount(); ++i)
        colours << list->colorAt(i);
    return colours;
}

} // namespace lumelle::testing
