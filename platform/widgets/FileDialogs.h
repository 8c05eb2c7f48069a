// File-open dialogs: a dialog object that keeps its title, filter and current file name, over a
// replaceable layer that asks the user: QFileDialog in the window program.
#pragma once

#include "platform/Replaceable.h"

#include <QString>
#include <optional>

class QWidget;

namespace lumelle::platform {

class FileDialogs
{
public:
    virtual ~FileDialogs() = default;
    // Asks for one existing file. `filter` is in the "label|pattern|label|pattern" form;
    // `currentFileName` is where the dialog starts. No value when the user cancelled.
    virtual std::optional<QString> openFileName(QWidget* parent, const QString& title,
                                                const QString& filter,
                                                const QString& currentFileName) = 0;
    // Asks for one existing folder, starting in `startFolder`. No value when cancelled.
    virtual std::optional<QString> existingFolder(QWidget* parent, const QString& title,
                                                  const QString& startFolder) = 0;
};

// QFileDialog unless another layer is installed.
template <> FileDialogs& Replaceable<FileDialogs>::standard();

// The layer in use.
inline FileDialogs& fileDialogs()
{
    return Replaceable<FileDialogs>::current();
}

// Installs a layer for the lifetime of this object.
using ScopedFileDialogs = Replaceable<FileDialogs>::Scoped;

// Turns "label|pattern|label|pattern" into Qt's "label (pattern pattern)" lines; the patterns of
// one entry are separated by ";" in the list form and by blanks in Qt's form.
QString QtFilterFromList(const QString& filter);

// One file-open dialog. `FileName` is kept when the user cancels, so it always names the last
// file chosen (or is empty when none ever was).
class TOpenDialog
{
public:
    QString Title;
    QString Filter;
    QString FileName;

    // Shows the dialog modally; true and a new FileName when the user picked a file.
    bool Execute(QWidget* parent = nullptr);
};

} // namespace lumelle::platform
