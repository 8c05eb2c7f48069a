#include "output/DeviceWriting.h"

#include "platform/Error.h"
#include "platform/SystemNames.h"

#include <QDir>

namespace lumelle {

void WriteAll(QIODevice& device, const char* data, qint64 size, const QString& fallbackReason)
{
    while (size > 0) {
        const qint64 written = device.write(data, size);
        if (written <= 0) {
            QString reason = device.errorString();
            if (reason.isEmpty() || reason == QLatin1String("Unknown error"))
                reason = fallbackReason;
            throw Error(reason);
        }
        data += written;
        size -= written;
    }
}

QString CannotCreateFileMessage(const QString& path, const QString& reason)
{
    return QStringLiteral("Cannot create file \"%1\". %2")
        .arg(ReadableName(QDir::toNativeSeparators(path)), reason);
}

QString CannotWriteFileMessage(const QString& path, const QString& reason)
{
    return QStringLiteral("Cannot write file \"%1\". %2")
        .arg(ReadableName(QDir::toNativeSeparators(path)), reason);
}

} // namespace lumelle
