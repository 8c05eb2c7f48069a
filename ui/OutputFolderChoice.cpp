#include "ui/OutputFolderChoice.h"

#include "platform/IniStore.h"
#include "platform/Messages.h"
#include "platform/SystemNames.h"
#include "platform/widgets/FileDialogs.h"
#include "ui/MainWindowControls.h"

#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace lumelle {

OutputFolderChoice::OutputFolderChoice(QWidget* window, MainWindowControls& controls,
                                       const FolderCheck& takesFiles)
    : m_window(window), m_controls(controls), m_takesFiles(takesFiles)
{
    setFolder(QString());
}

QString OutputFolderChoice::folder() const
{
    return m_controls.LabelOutputFolder->text();
}

void OutputFolderChoice::setFolder(const QString& folder)
{
    m_controls.LabelOutputFolder->setText(folder);
    const QString shown = ReadableName(QDir::toNativeSeparators(folder));
    m_controls.EditOutputFolder->setText(shown);
    m_controls.EditOutputFolder->setToolTip(shown);
    m_controls.EditOutputFolder->setCursorPosition(0);
    m_controls.ButtonOutputBeside->setEnabled(!folder.isEmpty());
}

QString OutputFolderChoice::effectiveFolder() const
{
    if (!folder().isEmpty())
        return folder();
    return QFileInfo(AbsoluteName(m_controls.OpenDialogsub.FileName)).absolutePath();
}

bool OutputFolderChoice::choose()
{
    const QString subtitleFile = m_controls.OpenDialogsub.FileName;
    const QString start =
        folder().isEmpty()
            ? (subtitleFile.isEmpty() ? QDir::homePath() : QFileInfo(subtitleFile).absolutePath())
            : folder();
    const std::optional<QString> chosen = platform::fileDialogs().existingFolder(
        m_window, tr("Choose the folder for the VobSub pair"), start);
    if (!chosen)
        return false;
    // The settings file keeps one line per value.
    if (!platform::IniStore::canHold(*chosen)) {
        platform::messages().showMessage(
            tr("The folder name has a line break, which the settings file cannot keep. Please "
               "choose another folder."));
        return false;
    }
    setFolder(*chosen);
    return true;
}

bool OutputFolderChoice::usable()
{
    for (;;) {
        const QString target = effectiveFolder();
        if (m_takesFiles(target))
            return true;
        QString question;
        if (folder().isEmpty())
            question = tr("The folder of the subtitle file cannot be written:\r%1\r\rChoose "
                          "another folder for the VobSub pair?");
        else
            question = tr("The output folder cannot be written:\r%1\r\rChoose another folder "
                          "for the VobSub pair?");
        if (!platform::messages().askYesNo(
                question.arg(ReadableName(QDir::toNativeSeparators(target)))))
            return false;
        if (!choose())
            return false;
    }
}

} // namespace lumelle
