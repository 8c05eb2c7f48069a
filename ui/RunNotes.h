// The notes of a run in the user's language. The core writes them in English, as the converter
// prints them; the window recognises each by the form the core writes it in and shows that
// form translated, with its named parts (a reason, a kind of file, a list) translated alike.
#pragma once

#include <QString>
#include <QStringList>

namespace lumelle {

// `note` in the user's language, line by line; a line of a form the window does not know (a
// file name, a command line) stays as it is.
QString ShownNote(const QString& note);
QStringList ShownNotes(const QStringList& notes);
// The help text of a run (already in the user's language but for the lines the run adds to
// it, such as the streams of a pair of several languages) wholly in the user's language.
QString ShownHelpText(const QString& help);

} // namespace lumelle
