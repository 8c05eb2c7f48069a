// The converter's inputs by the names they were given: standard input is kept in a private
// file so that it is read like any other input, and shown as "-".
#pragma once

#include <QHash>
#include <QString>
#include <QTemporaryDir>

namespace lumelle {

class PrivateInputs
{
public:
    PrivateInputs() = default;
    PrivateInputs(const PrivateInputs&) = delete;
    PrivateInputs& operator=(const PrivateInputs&) = delete;
    // The copies go by their own bytes (named after --output, they may not be UTF-8, and the
    // temporary folder removes only names it can decode); then the folder goes.
    ~PrivateInputs();

    // A private copy of what standard input holds, named `name` with the extension of the kind
    // its text shows, so that its pair is named NAME.idx/.sub; shown as "-". Empty, with
    // `error` set, when it cannot be made.
    QString standardInput(const QString& name, QString& error);

    // The name to show for `file`, and the folder its pair goes to by default: the working
    // folder for standard input.
    QString shown(const QString& file) const { return m_shown.value(file, file); }
    QString folderOf(const QString& file) const;

    // The name of `file` as given on the command line, for --json (which escapes controls
    // itself): a byte of the name that is not UTF-8 as \xHH.
    QString givenName(const QString& file) const;
    // The name of `file` as given, for a printed line.
    QString shownName(const QString& file) const;

private:
    QTemporaryDir m_folder;
    QHash<QString, QString> m_shown; // the private copies, and the names they are shown by
};

} // namespace lumelle
