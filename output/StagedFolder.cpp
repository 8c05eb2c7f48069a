#include "output/StagedFolder.h"

#include "output/DeviceWriting.h"
#include "output/OutputFiles.h"
#include "platform/Error.h"
#include "platform/SystemNames.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace lumelle {

namespace {

QString systemReason(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

// Puts the entries of `folder` on disk: a rename or a new file is lasting only then.
void syncFolder(const QString& folder)
{
    const int fd = ::open(ToSystemName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

// Removes a folder of ours and the files in it; a folder holds no folders of ours, so one
// found inside (put there by someone else) keeps it, and links are removed, never followed.
void removeFlatFolder(const QString& folder)
{
    const QByteArray path = ToSystemName(folder);
    if (DIR* dir = ::opendir(path.constData())) {
        while (const dirent* entry = ::readdir(dir)) {
            const QByteArray name(entry->d_name);
            if (name != "." && name != "..")
                ::unlinkat(::dirfd(dir), entry->d_name, 0);
        }
        ::closedir(dir);
    }
    ::rmdir(path.constData());
}

QString randomPart()
{
    return QString::number(QRandomGenerator::global()->generate() % 1000000, 36);
}

bool isFolder(const QString& path)
{
    struct stat st;
    return ::lstat(ToSystemName(path).constData(), &st) == 0 && S_ISDIR(st.st_mode);
}

} // namespace

QString ReasonToKeepFolder(const QString& folder, const std::vector<OutputKind>& kinds)
{
    const NameKind kind = KindOfName(folder);
    if (kind == NameKind::Missing)
        return QString();
    if (kind != NameKind::Folder)
        return QStringLiteral("it is not a folder");
    for (const QString& name : NamesIn(folder)) {
        const QString path = QDir(folder).filePath(name);
        bool ours = false;
        for (const OutputKind& k : kinds) {
            if (!name.endsWith(k.extension, Qt::CaseInsensitive) || !IsRegularOrAbsent(path))
                continue;
            QFile file;
            ours = OpenNamed(file, path, QIODevice::ReadOnly) &&
                   (file.size() == 0 || file.read(k.signature.size()) == k.signature);
            if (ours)
                break;
        }
        if (!ours)
            return QStringLiteral("it holds \"%1\", which is not a file of the set")
                .arg(ReadableName(name));
    }
    return QString();
}

void RemoveLeftoverFolders(const QString& finalFolder)
{
    static const QRegularExpression random(QStringLiteral("^[0-9a-z]{1,4}$"));
    const QFileInfo info(AbsoluteName(finalFolder));
    const QString prefix = info.fileName() + QLatin1Char('.');
    for (const QString& name : NamesIn(info.absolutePath())) {
        if (!name.startsWith(prefix) || !name.endsWith(QLatin1String(".part")))
            continue;
        const QString middle = name.mid(prefix.size(), name.size() - prefix.size() - 5);
        const QString path = info.absoluteDir().filePath(name);
        if (random.match(middle).hasMatch() && isFolder(path))
            removeFlatFolder(path);
    }
}

StagedFolder::StagedFolder(const QString& finalFolder) : m_final(FollowLinks(finalFolder))
{
    // Beside the final folder, so that the rename stays on one file system.
    for (int attempt = 0; attempt < 100 && m_temporary.isEmpty(); ++attempt) {
        const QString candidate = QStringLiteral("%1.%2.part").arg(m_final, randomPart());
        if (::mkdir(ToSystemName(candidate).constData(), 0755) == 0)
            m_temporary = candidate;
        else if (errno != EEXIST)
            throw Error(CannotCreateFileMessage(m_final, systemReason(errno)));
    }
    if (m_temporary.isEmpty())
        throw Error(CannotCreateFileMessage(m_final, systemReason(EEXIST)));
}

StagedFolder::~StagedFolder()
{
    if (!m_committed)
        removeFlatFolder(m_temporary);
}

void StagedFolder::write(const QString& name, const char* data, qint64 size)
{
    const QString path = QDir(m_temporary).filePath(name);
    const QString shown = QDir(m_final).filePath(name);
    QFile file;
    QString reason;
    if (!OpenNamed(file, path, QIODevice::WriteOnly | QIODevice::NewOnly | QIODevice::Unbuffered,
                   &reason))
        throw Error(CannotCreateFileMessage(shown, reason));
    try {
        WriteAll(file, data, size, QStringLiteral("The disk took no more."));
    } catch (const Error& e) {
        throw Error(CannotWriteFileMessage(shown, e.message()));
    }
    if (::fsync(file.handle()) != 0)
        throw Error(CannotWriteFileMessage(shown, systemReason(errno)));
    file.close();
}

void StagedFolder::commit()
{
    syncFolder(m_temporary);
    const QByteArray from = ToSystemName(m_temporary);
    const QByteArray to = ToSystemName(m_final);
    if (!isFolder(m_final)) {
        if (::rename(from.constData(), to.constData()) != 0)
            throw Error(CannotCreateFileMessage(m_final, systemReason(errno)));
    } else if (::renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), RENAME_EXCHANGE) !=
               0) {
        // A file system that cannot swap two names (some network ones): the earlier folder
        // steps aside first, and comes back if the new one cannot take its place.
        const int swapError = errno;
        if (swapError != EINVAL && swapError != ENOSYS && swapError != ENOTSUP)
            throw Error(CannotCreateFileMessage(m_final, systemReason(swapError)));
        const QString aside = QStringLiteral("%1.%2.part").arg(m_final, randomPart());
        const QByteArray asideName = ToSystemName(aside);
        if (::rename(to.constData(), asideName.constData()) != 0)
            throw Error(CannotCreateFileMessage(m_final, systemReason(errno)));
        if (::rename(from.constData(), to.constData()) != 0) {
            const int error = errno;
            ::rename(asideName.constData(), to.constData());
            throw Error(CannotCreateFileMessage(m_final, systemReason(error)));
        }
        m_temporary = aside;
    }
    m_committed = true;
    syncFolder(QFileInfo(m_final).absolutePath());
    // The temporary name now holds the earlier set, if there was one.
    removeFlatFolder(m_temporary);
}

} // namespace lumelle
