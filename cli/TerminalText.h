// Texts the converter prints: control characters that came from a subtitle file or a file
// name are shown as \xHH rather than obeyed by the terminal, and lines are written by length.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <cstdio>

namespace lumelle {

// Control characters of `text` as \xHH, so that escape sequences from a subtitle file are seen
// and not obeyed. Line feeds and tabs stay when `keepLayout` is set.
QString EscapedControls(const QString& text, bool keepLayout);

// A line as printed: a carriage return taken as a line break, control characters shown, a
// line end added.
QByteArray LineBytes(const QString& text);

// Prints `text` as a line on `to`.
void PrintLine(FILE* to, const QString& text);
// The messages printed on standard error for the file in hand, as printed, for --json.
struct PrintedMessages
{
    QStringList errors;   // why the file was not converted (or not whole)
    QStringList warnings; // everything else said about it
};
// Keeps each line printed on standard error in `into` as well, until the object ends; lines
// of PrintError are errors, the others warnings.
class CollectedMessages
{
public:
    explicit CollectedMessages(PrintedMessages& into);
    ~CollectedMessages();
    CollectedMessages(const CollectedMessages&) = delete;
    CollectedMessages& operator=(const CollectedMessages&) = delete;
};

// Prints `text` as a line on standard error, kept as an error of the file in hand.
void PrintError(const QString& text);

// Writes `bytes` as they are on `to`.
void PrintBytes(FILE* to, const QByteArray& bytes);

// "1 subtitle", "2 subtitles": `count` with the word of its number.
QString Counted(qsizetype count, const char* one, const char* many);

// A path in a printed line: a line feed or carriage return in it is shown as \x0A or \x0D,
// so that a file name cannot make a line of its own, and a byte that is not UTF-8 as \xHH.
QString ShownPath(const QString& path);

} // namespace lumelle
