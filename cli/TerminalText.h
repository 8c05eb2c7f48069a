// Texts the converter prints: control characters that came from a subtitle file or a file
// name are shown as \xHH rather than obeyed by the terminal, and lines are written by length.
#pragma once

#include <QByteArray>
#include <QString>
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
// Writes `bytes` as they are on `to`.
void PrintBytes(FILE* to, const QByteArray& bytes);

// A path in a printed line: a line feed or carriage return in it is shown as \x0A or \x0D,
// so that a file name cannot make a line of its own, and a byte that is not UTF-8 as \xHH.
QString ShownPath(const QString& path);

} // namespace lumelle
