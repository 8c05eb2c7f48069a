// Where the main window's pair goes (beside the subtitle file, or a folder the user chose, kept
// in the settings file) and the order in which the keyboard walks the window's controls.
#include "output/OutputFiles.h"
#include "platform/IniStore.h"
#include "platform/Messages.h"
#include "platform/SystemNames.h"
#include "platform/widgets/FileDialogs.h"
#include "settings/SettingsTable.h"
#include "ui/ColorListWidget.h"
#include "ui/Controls.h"
#include "ui/Unit1.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSlider>

namespace lumelle {

// Under the preview, across the window: where the pair goes.
void TForm1::buildOutputFolderRow()
{
    folderTakesFiles = FolderTakesFiles;
    // A frameless group: one row that the busy state greys as a whole.
    GroupBoxOutputFolder = new QGroupBox(this);
    GroupBoxOutputFolder->setObjectName(QStringLiteral("GroupBoxOutputFolder"));
    GroupBoxOutputFolder->setFlat(true);
    GroupBoxOutputFolder->setStyleSheet(QStringLiteral("QGroupBox { border: none; margin: 0; }"));
    GroupBoxOutputFolder->setGeometry(0, 704, 803, 26);
    auto* caption = makeLabel(GroupBoxOutputFolder, "LabelOutputFolderCaption",
                              tr("Output folder:"), {40, 7, 0, 0});
    const int fieldLeft = caption->geometry().right() + 6;
    EditOutputFolder = new QLineEdit(GroupBoxOutputFolder);
    EditOutputFolder->setObjectName(QStringLiteral("EditOutputFolder"));
    EditOutputFolder->setReadOnly(true);
    EditOutputFolder->setPlaceholderText(tr("beside the subtitle file"));
    EditOutputFolder->setGeometry(fieldLeft, 3, 544 - fieldLeft, 20);
    ButtonOutputFolder = makeButton(GroupBoxOutputFolder, "ButtonOutputFolder",
                                    tr("Choose Folder..."), {550, 2, 104, 22});
    ButtonOutputBeside = makeButton(GroupBoxOutputFolder, "ButtonOutputBeside",
                                    tr("Beside Subtitle"), {658, 2, 102, 22});
    LabelOutputFolder = makeLabel(this, control::kOutputFolder, QString(), {51, 520, 0, 0});
    LabelOutputFolder->resize(46, 13);
    LabelOutputFolder->hide();
    connect(ButtonOutputFolder, &QPushButton::clicked, this,
            [this] { RunGuarded([this] { ButtonOutputFolderClick(); }); });
    connect(ButtonOutputBeside, &QPushButton::clicked, this,
            [this] { SetOutputFolder(QString()); });
    SetOutputFolder(QString());
}

QString TForm1::OutputFolder() const
{
    return LabelOutputFolder->text();
}

void TForm1::SetOutputFolder(const QString& folder)
{
    LabelOutputFolder->setText(folder);
    const QString shown = ReadableName(QDir::toNativeSeparators(folder));
    EditOutputFolder->setText(shown);
    EditOutputFolder->setToolTip(shown);
    EditOutputFolder->setCursorPosition(0);
    ButtonOutputBeside->setEnabled(!folder.isEmpty());
}

QString TForm1::EffectiveOutputFolder() const
{
    if (!OutputFolder().isEmpty())
        return OutputFolder();
    return QFileInfo(AbsoluteName(OpenDialogsub.FileName)).absolutePath();
}

bool TForm1::ButtonOutputFolderClick()
{
    const QString start =
        OutputFolder().isEmpty()
            ? (OpenDialogsub.FileName.isEmpty() ? QDir::homePath()
                                                : QFileInfo(OpenDialogsub.FileName).absolutePath())
            : OutputFolder();
    const std::optional<QString> chosen = platform::fileDialogs().existingFolder(
        this, tr("Choose the folder for the VobSub pair"), start);
    if (!chosen)
        return false;
    // The settings file keeps one line per value.
    if (!platform::IniStore::canHold(*chosen)) {
        platform::messages().showMessage(
            tr("The folder name has a line break, which the settings file cannot keep. Please "
               "choose another folder."));
        return false;
    }
    SetOutputFolder(*chosen);
    return true;
}

bool TForm1::outputFolderUsable()
{
    for (;;) {
        const QString folder = EffectiveOutputFolder();
        if (folderTakesFiles(folder))
            return true;
        QString question;
        if (OutputFolder().isEmpty())
            question = tr("The folder of the subtitle file cannot be written:\r%1\r\rChoose "
                          "another folder for the VobSub pair?");
        else
            question = tr("The output folder cannot be written:\r%1\r\rChoose another folder "
                          "for the VobSub pair?");
        if (!platform::messages().askYesNo(
                question.arg(ReadableName(QDir::toNativeSeparators(folder)))))
            return false;
        if (!ButtonOutputFolderClick())
            return false;
    }
}

void TForm1::setKeyboardOrder()
{
    // Row by row as the window shows them: the four groups of the top row, the Render Fonts
    // group with the run's button and the list beside it, the output folder's row, then the
    // column of the output form and languages on the right.
    const QList<QWidget*> order = {ButtonLoadSrt,
                                   ComboBoxFps,
                                   ComboBoxVobsubLanguage,
                                   JvColorButtonAntialias,
                                   JvColorButtonOutline,
                                   JvColorButtonText,
                                   ButtonColorOptions,
                                   BitBtnSetDefaultValues,
                                   BitBtnChangeImage,
                                   ButtonAbout,
                                   CheckBoxWrap,
                                   ComboBox5,
                                   ComboBox7,
                                   ComboBox8,
                                   ComboBoxFontSize,
                                   ComboBoxAlign,
                                   offset,
                                   offset_or,
                                   ComboBoxOutlineWidth,
                                   ButtonGenerate,
                                   ListBox1,
                                   EditOutputFolder,
                                   ButtonOutputFolder,
                                   ButtonOutputBeside,
                                   ComboBoxOutputForm,
                                   ListStreams,
                                   ComboBoxStreamLanguage,
                                   CheckBoxStreamForced,
                                   ButtonAddStream,
                                   ButtonRemoveStream,
                                   CheckBoxRollingCaptions};
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
}

} // namespace lumelle
