// File names as the system holds them (bytes, any bytes) and as the program holds them (text),
// without loss: a name that is not UTF-8, such as a Latin-1 "caf\xe9.srt", reaches the same file
// and gives outputs named with the same bytes. Qt's own file classes decode such bytes to U+FFFD
// and cannot reach the file again, so every call on a user's file goes through these.
#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QStringList>
#include <QUrl>

namespace lumelle {

// A name's bytes as text: UTF-8 is decoded; each byte that is not part of a UTF-8 character
// becomes one character of a private range (U+F780 + byte - 0x80), and so does each byte of a
// character that is itself in that range, so that ToSystemName gives back exactly the bytes.
QString FromSystemName(const QByteArray& bytes);
QByteArray ToSystemName(const QString& name);

// A name for people to read: each byte kept by FromSystemName shown as \xHH.
QString ReadableName(const QString& name);

// The process's working folder, and `name` as an absolute, cleaned path from it. Qt's own
// absolute paths start from the working folder decoded with loss.
QString CurrentFolder();
QString AbsoluteName(const QString& name);

enum class NameKind { Missing, File, Folder, Other };
// What `name` is, its symbolic links followed; Other for FIFOs, devices and sockets.
NameKind KindOfName(const QString& name);
// The size of the file `name` in bytes, or -1 when there is none.
qint64 SizeOfName(const QString& name);
// `name` with every link followed and every "." and ".." gone; empty when it does not exist.
QString CanonicalName(const QString& name);
// Where the symbolic link `name` points, as an absolute path; empty when it is not a link.
QString LinkTarget(const QString& name);

// Opens `file` on the file `name` (ReadOnly, or WriteOnly with NewOnly or truncating), never
// passed on to programs started later. False, with the system's reason in `reason`, when it
// cannot be opened; errno then holds the system's reason.
bool OpenNamed(QFile& file, const QString& name, QIODevice::OpenMode mode,
               QString* reason = nullptr);

// Creates the folder `name` and the missing folders above it; true when it is there.
bool MakeFolders(const QString& name);

// The existing file or folder that Qt's own classes (its file dialog) name `qtName`, with U+FFFD
// for each byte they could not decode: each part of the path that is not there is looked up
// among the entries of its folder, decoded as Qt decodes them. `qtName` itself when it exists,
// or when no part, or more than one entry, matches.
QString FromQtName(const QString& qtName);

// A file's address (file:///...) with its bytes, and the file a local address names.
QUrl AddressOfFile(const QString& name);
QString LocalFileOf(const QUrl& address);

// The names of the entries of `folder`, without "." and "..".
QStringList NamesIn(const QString& folder);

} // namespace lumelle
