// Writing to the output files: a whole buffer or an error with the device's reason, and the
// two messages that name a file which could not be created or written.
#pragma once

#include <QIODevice>
#include <QString>

namespace lumelle {

// Writes all `size` bytes. A device may take part of them (a disk that fills up); the rest is
// offered again, so that a failure comes with the device's reason for it. Throws Error with
// that reason, or with `fallbackReason` when the device gives none.
void WriteAll(QIODevice& device, const char* data, qint64 size, const QString& fallbackReason);

// "Cannot create file "<path>". <reason>" and "Cannot write file "<path>". <reason>", the path
// with the platform's separators.
QString CannotCreateFileMessage(const QString& path, const QString& reason);
QString CannotWriteFileMessage(const QString& path, const QString& reason);

} // namespace lumelle
