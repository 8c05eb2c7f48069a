#include "subtitle/FileReading.h"

#include "platform/Error.h"
#include "platform/SystemNames.h"

#include <QFile>
#include <cstring>

namespace lumelle {

QByteArray ReadSubtitleFile(const QString& fileName)
{
    QFile file;
    QString reason;
    if (!OpenNamed(file, fileName, QIODevice::ReadOnly, &reason))
        throw Error(reason);
    if (file.size() > kMaxFileBytes)
        throw Error(
            QStringLiteral("The file is %1 MB: a subtitle file of more than %2 MB is not "
                           "read.")
                .arg(QString::number(file.size() >> 20), QString::number(kMaxFileBytes >> 20)));
    QByteArray data;
    if (file.size() > 0)
        data.reserve(qsizetype(file.size()));
    qint64 lineNumber = 1;
    qint64 lineLength = 0; // bytes of the current line so far
    for (;;) {
        const QByteArray block = file.read(1 << 20);
        if (block.isEmpty())
            break;
        const char* from = block.constData();
        const char* end = from + block.size();
        while (from < end) {
            const void* feed = std::memchr(from, '\n', std::size_t(end - from));
            const char* upTo = feed ? static_cast<const char*>(feed) : end;
            lineLength += upTo - from;
            if (lineLength > kMaxLineBytes)
                throw Error(
                    QStringLiteral("Line %1 is longer than %2 MB: no subtitle could "
                                   "hold it.")
                        .arg(QString::number(lineNumber), QString::number(kMaxLineBytes >> 20)));
            if (!feed)
                break;
            ++lineNumber;
            lineLength = 0;
            from = upTo + 1;
        }
        data += block;
    }
    if (file.error() != QFileDevice::NoError)
        throw Error(file.errorString());
    return data;
}

} // namespace lumelle
