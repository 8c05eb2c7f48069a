#include "cli/PrivateInputs.h"

#include "cli/ConvertOptions.h"
#include "cli/TerminalText.h"
#include "platform/SystemNames.h"
#include "subtitle/FileKind.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <unistd.h>

namespace lumelle {

PrivateInputs::~PrivateInputs()
{
    for (auto copy = m_shown.keyBegin(); copy != m_shown.keyEnd(); ++copy)
        ::unlink(ToSystemName(*copy).constData());
}

QString PrivateInputs::standardInput(const QString& name, QString& error)
{
    QByteArray bytes;
    char buffer[65536];
    std::size_t n = 0;
    while ((n = std::fread(buffer, 1, sizeof buffer, stdin)) > 0)
        bytes.append(buffer, qsizetype(n));
    if (std::ferror(stdin)) {
        error = QStringLiteral("cannot read standard input: %1")
                    .arg(QString::fromLocal8Bit(std::strerror(errno)));
        return QString();
    }
    const std::string text = bytes.left(64 * 1024).toStdString();
    const QString extension =
        KindOfText(QStringLiteral("-.srt"), text) == FileKind::SubRip    ? QStringLiteral(".srt")
        : KindOfText(QStringLiteral("-.sub"), text) != FileKind::Unknown ? QStringLiteral(".sub")
                                                                         : QStringLiteral(".srt");
    const QString copy =
        QDir(m_folder.path()).filePath(QStringLiteral("stdin/") + name + extension);
    QFile file;
    QString reason;
    if (!m_folder.isValid() || !MakeFolders(QFileInfo(copy).path()) ||
        !OpenNamed(file, copy, QIODevice::WriteOnly, &reason) ||
        file.write(bytes) != bytes.size() || !file.flush()) {
        error = QStringLiteral("cannot keep standard input in a temporary file: %1")
                    .arg(reason.isEmpty() ? file.errorString() : reason);
        return QString();
    }
    m_shown.insert(copy, QLatin1String(kStandardInput));
    return copy;
}

QString PrivateInputs::folderOf(const QString& file) const
{
    return m_shown.contains(file) ? CurrentFolder() : QString();
}

QString PrivateInputs::givenName(const QString& file) const
{
    return ReadableName(shown(file));
}

QString PrivateInputs::shownName(const QString& file) const
{
    return ShownPath(givenName(file));
}

} // namespace lumelle
