// A main window with its two dialogs and no settings file, created before each test, with the
// recording doubles and the temporary folder of WindowsFixture.
#pragma once

#include "WindowsFixture.h"
#include "ui/ColorListWidget.h"
#include "ui/PreviewView.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>

namespace lumelle::testing {

class MainWindowTest : public WindowsFixture
{
protected:
    void SetUp() override
    {
        WindowsFixture::SetUp();
        createWindows();
    }
    void TearDown() override
    {
        destroyWindows();
        RunStopped = true;
    }

    // Chooses `path` in the subtitle dialog and presses "Load Srt,Sub".
    void loadFile(const QString& path)
    {
        dialogs.queueFile(path);
        form->ButtonLoadSrt->click();
    }
};

inline QStringList rowsOf(const QListWidget* list)
{
    QStringList rows;
    for (int i = 0; i < list->count(); ++i)
        rows << list->item(i)->text();
    return rows;
}

} // namespace lumelle::testing
