// The entries of the window's fixed lists: each holds its value (as the settings file, the
// converter and the output know it, in English) and shows it in the user's language.
#pragma once

#include <QString>
#include <QStringList>

class QComboBox;

namespace lumelle {

// Fills `list` with one entry per value, showing `shown(value)`.
void FillValueList(QComboBox* list, const QStringList& values,
                   QString (*shown)(const QString& value));
// The value of the current entry: the one it was filled with, else its text.
QString ValueOf(const QComboBox* list);
// The index of the entry of `value`, or -1.
int IndexOfValue(const QComboBox* list, const QString& value);

// A style ("Bold"), a character set ("DEFAULT"), an alignment ("center") or the "Default" font
// in the user's language; a value that is a name the world writes alike ("ANSI", a font's
// name) as it stands.
QString ShownListValue(const QString& value);
// An entry of the Language list ("de GERMAN") with the language's name in the user's language.
QString ShownLanguage(const QString& entry);

} // namespace lumelle
