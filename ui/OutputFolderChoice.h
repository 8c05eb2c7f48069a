// Where the main window's output goes: beside the subtitle file, or in a folder the user chose
// (kept in the settings file); and, before a run, a folder that cannot take files traded for
// another one.
#pragma once

#include <QCoreApplication>
#include <QString>
#include <functional>

class QWidget;

namespace lumelle {

struct MainWindowControls;

class OutputFolderChoice
{
    // The texts are the main window's, translated with its own.
    Q_DECLARE_TR_FUNCTIONS(lumelle::TForm1)

public:
    // Whether a file can be made in a folder.
    using FolderCheck = std::function<bool(const QString& folder)>;

    // Shows the choice in the row of `controls`; `window` asks for folders. `takesFiles` is
    // asked before each run. All three outlive this.
    OutputFolderChoice(QWidget* window, MainWindowControls& controls,
                       const FolderCheck& takesFiles);

    // The folder chosen, or empty: beside the subtitle file.
    QString folder() const;
    void setFolder(const QString& folder);
    // The folder the next run writes into: the chosen one, else the subtitle file's.
    QString effectiveFolder() const;
    // Asks for a folder; true when one was chosen.
    bool choose();
    // The folder of the next run can take the files, or the user chose one that can.
    bool usable();

private:
    QWidget* m_window;
    MainWindowControls& m_controls;
    const FolderCheck& m_takesFiles;
};

} // namespace lumelle
