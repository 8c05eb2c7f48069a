#include "output/OutputFiles.h"

#include "output/DeviceWriting.h"
#include "platform/Error.h"
#include "platform/SystemNames.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <iterator>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/vfs.h>
#include <unistd.h>

namespace lumelle {

namespace {

bool statOf(const QString& path, struct stat& st)
{
    return ::stat(ToSystemName(path).constData(), &st) == 0;
}

QString systemReason(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

// The first `count` bytes of a regular file (fewer when it is shorter).
QByteArray headOf(const QString& path, qint64 count)
{
    QFile file;
    if (!OpenNamed(file, path, QIODevice::ReadOnly))
        return QByteArray();
    return file.read(count);
}

// A name beside `finalPath` that a run uses while it works; random, so that a file of another
// run is never taken. It is the final name with a short suffix, or, when that would be longer
// than the folder allows a name to be, a short name of its own: a final name that fits always
// gets a temporary one.
QString temporaryNameFor(const QString& finalPath)
{
    const QString random = QString::number(QRandomGenerator::global()->generate() % 1000000, 36);
    const QString beside = QStringLiteral("%1.%2.part").arg(finalPath, random);
    const QFileInfo info(AbsoluteName(finalPath));
    long longest = ::pathconf(ToSystemName(info.absolutePath()).constData(), _PC_NAME_MAX);
    if (longest <= 0)
        longest = 255;
    if (ToSystemName(QFileInfo(beside).fileName()).size() <= longest)
        return beside;
    return info.dir().filePath(QStringLiteral(".lumelle-%1.part").arg(random));
}

} // namespace

bool SameFile(const QString& a, const QString& b)
{
    struct stat sa, sb;
    return statOf(a, sa) && statOf(b, sb) && sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

bool FolderIgnoresCase(const QString& folder)
{
    struct statfs fs;
    if (::statfs(ToSystemName(folder).constData(), &fs) != 0)
        return false;
    switch (static_cast<unsigned long>(fs.f_type)) {
    case 0x4d44UL:     // FAT
    case 0x2011BAB0UL: // exFAT
    case 0x5346544EUL: // NTFS (ntfs3)
    case 0x65735546UL: // FUSE (ntfs-3g, exfat-fuse): probed below
        break;
    default:
        return false;
    }
    // Ask the file system itself, in the folder: a new name in mixed case, then its other
    // spelling. (The folder's own name, flipped, would ask its parent, which at a volume's root
    // is another file system.)
    const QDir dir(folder);
    const QString random = QString::number(QRandomGenerator::global()->generate() % 1000000, 36);
    const QByteArray mixed =
        ToSystemName(dir.filePath(QStringLiteral(".Lumelle-Case-%1.part").arg(random.toUpper())));
    const QByteArray other =
        ToSystemName(dir.filePath(QStringLiteral(".lUMELLE-cASE-%1.part").arg(random.toLower())));
    const int fd =
        ::open(mixed.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0)
        // Nothing can be written there; FAT, exFAT and NTFS ignore case as they are made.
        return fs.f_type != 0x65735546L;
    ::close(fd);
    struct stat st;
    const bool ignores = ::lstat(other.constData(), &st) == 0;
    ::unlink(mixed.constData());
    return ignores;
}

bool SameOutput(const QString& a, const QString& b)
{
    const QFileInfo fa(AbsoluteName(a)), fb(AbsoluteName(b));
    if (fa.absoluteFilePath() == fb.absoluteFilePath() || SameFile(a, b))
        return true;
    if (fa.fileName().compare(fb.fileName(), Qt::CaseInsensitive) != 0 ||
        !SameFile(fa.absolutePath(), fb.absolutePath()))
        return false;
    return FolderIgnoresCase(fa.absolutePath());
}

bool IsRegularOrAbsent(const QString& path)
{
    struct stat st;
    return !statOf(path, st) || S_ISREG(st.st_mode);
}

bool FolderTakesFiles(const QString& folder)
{
    if (folder.isEmpty() || KindOfName(folder) != NameKind::Folder)
        return false;
    try {
        const StagedFile probe(QDir(folder).filePath(QStringLiteral(".lumelle-probe")));
        return true;
    } catch (const Error&) {
        return false;
    }
}

QString ReasonToKeep(const QString& path, const OutputKind& kind, const QStringList& inputs)
{
    for (const QString& input : inputs) {
        if (SameFile(path, input))
            return QStringLiteral("it is an input or an earlier output of this run");
    }
    struct stat st;
    if (!statOf(path, st))
        return QString();
    if (!S_ISREG(st.st_mode))
        return QStringLiteral("it is not a regular file");
    if (st.st_size == 0 || headOf(path, kind.signature.size()) == kind.signature)
        return QString();
    return QStringLiteral("it is not %1").arg(kind.description);
}

QString LockPathFor(const QString& idxPath)
{
    const QFileInfo info(AbsoluteName(idxPath));
    QString name = info.fileName();
    if (FolderIgnoresCase(info.absolutePath()))
        name = name.toLower();
    const QByteArray key =
        QCryptographicHash::hash(ToSystemName(name), QCryptographicHash::Sha1).toHex().left(20);
    return info.absoluteDir().filePath(
        QStringLiteral(".lumelle-%1.lock").arg(QString::fromLatin1(key)));
}

OutputLock::OutputLock(const QString& idxPath) : m_path(LockPathFor(idxPath))
{
    const QByteArray path = ToSystemName(m_path);
    // A lock file removed by the run that held it between our open and our lock is not the
    // lock any more: try again on the file now there.
    for (int attempt = 0; attempt < 100; ++attempt) {
        m_fd = ::open(path.constData(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
        if (m_fd < 0)
            throw Error(CannotCreateFileMessage(idxPath, systemReason(errno)));
        if (::flock(m_fd, LOCK_EX | LOCK_NB) != 0) {
            // A file system without locks (some FUSE ones) cannot keep two runs apart.
            if (errno != EWOULDBLOCK)
                return;
            ::close(m_fd);
            m_fd = -1;
            throw Error(CannotCreateFileMessage(
                idxPath,
                QStringLiteral("Another run is writing this pair; try again when it is done.")));
        }
        struct stat held, there;
        if (::fstat(m_fd, &held) == 0 && ::lstat(path.constData(), &there) == 0 &&
            held.st_dev == there.st_dev && held.st_ino == there.st_ino)
            return;
        ::close(m_fd);
        m_fd = -1;
    }
    throw Error(CannotCreateFileMessage(
        idxPath, QStringLiteral("Another run is writing this pair; try again when it is done.")));
}

OutputLock::~OutputLock()
{
    if (m_fd >= 0) {
        // Removed while still held, so that a run waiting on this file sees it is gone.
        ::unlink(ToSystemName(m_path).constData());
        ::close(m_fd);
    }
}

void RemoveLeftoverParts(const QStringList& finalPaths)
{
    static const QRegularExpression random(QStringLiteral("^[0-9a-z]{1,4}$"));
    for (const QString& finalPath : finalPaths) {
        const QFileInfo info(AbsoluteName(finalPath));
        const QString prefix = info.fileName() + QLatin1Char('.');
        for (const QString& name : NamesIn(info.absolutePath())) {
            if (!name.startsWith(prefix, Qt::CaseInsensitive) ||
                !name.endsWith(QLatin1String(".part"), Qt::CaseInsensitive))
                continue;
            const QString middle = name.mid(prefix.size(), name.size() - prefix.size() - 5);
            const QString path = info.absoluteDir().filePath(name);
            struct stat st;
            if (random.match(middle).hasMatch() &&
                ::lstat(ToSystemName(path).constData(), &st) == 0 && S_ISREG(st.st_mode))
                ::unlink(ToSystemName(path).constData());
        }
    }
}

StagedFile::StagedFile(const QString& finalPath) : m_finalPath(finalPath)
{
    // A name of its own in the same folder, so that the rename stays on one file system and
    // a file of another run is never opened.
    QString reason;
    for (int attempt = 0; attempt < 100; ++attempt) {
        m_temporary = temporaryNameFor(finalPath);
        if (OpenNamed(m_file, m_temporary,
                      QIODevice::WriteOnly | QIODevice::NewOnly | QIODevice::Unbuffered, &reason))
            break;
        if (errno != EEXIST)
            throw Error(CannotCreateFileMessage(finalPath, reason));
    }
    if (!m_file.isOpen())
        throw Error(CannotCreateFileMessage(finalPath, reason));
    // A replaced file keeps its permissions.
    struct stat existing;
    if (statOf(finalPath, existing) && S_ISREG(existing.st_mode))
        ::fchmod(m_file.handle(), existing.st_mode & 07777);
}

StagedFile::~StagedFile()
{
    if (!m_committed) {
        m_file.close();
        ::unlink(ToSystemName(m_temporary).constData());
    }
}

void StagedFile::startWriteback(qint64 written)
{
    constexpr qint64 kWritebackStep = 1 << 20;
    if (written - m_writebackFrom < kWritebackStep)
        return;
    // Only a request: a failure here shows, if it is real, in commit()'s fsync.
    ::sync_file_range(m_file.handle(), m_writebackFrom, written - m_writebackFrom,
                      SYNC_FILE_RANGE_WRITE);
    m_writebackFrom = written;
}

void StagedFile::flush()
{
    if (!m_file.isOpen())
        return;
    if (::fsync(m_file.handle()) != 0)
        throw Error(CannotWriteFileMessage(m_finalPath, systemReason(errno)));
    m_file.close();
}

void StagedFile::putInPlace()
{
    if (::rename(ToSystemName(m_temporary).constData(), ToSystemName(m_finalPath).constData()) != 0)
        throw Error(CannotWriteFileMessage(m_finalPath, systemReason(errno)));
    m_committed = true;
}

StagedFile& StagedSet::add(const QString& finalPath)
{
    m_files.push_back(std::make_unique<StagedFile>(finalPath));
    return *m_files.back();
}

namespace {

// A second name for the file at `path` while it is being replaced, so that it can be put back.
// Empty when there is no file or the file system has no links (FAT, exFAT).
QString linkToEarlier(const QString& path)
{
    if (KindOfName(path) != NameKind::File)
        return QString();
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QString name = temporaryNameFor(path);
        if (::link(ToSystemName(path).constData(), ToSystemName(name).constData()) == 0)
            return name;
        if (errno != EEXIST)
            break;
    }
    return QString();
}

} // namespace

void StagedSet::commit()
{
    // Everything on disk before the first rename, so a failing disk stops the set whole.
    for (const auto& file : m_files)
        file->flush();

    struct Renamed
    {
        QString finalPath;
        QString earlier; // a link to the file it replaced; empty when there was none
        bool hadEarlier = false;
    };
    std::vector<Renamed> renamed;
    // The links to the earlier files go once the set is in place or put back.
    struct DropLinks
    {
        std::vector<Renamed>& renamed;
        ~DropLinks()
        {
            for (const Renamed& r : renamed) {
                if (!r.earlier.isEmpty())
                    ::unlink(ToSystemName(r.earlier).constData());
            }
        }
    } dropLinks{renamed};

    for (auto file = m_files.rbegin(); file != m_files.rend(); ++file) {
        const QString& finalPath = (*file)->finalPath();
        const bool last = std::next(file) == m_files.rend();
        const bool hadEarlier = KindOfName(finalPath) != NameKind::Missing;
        const QString earlier = last ? QString() : linkToEarlier(finalPath);
        try {
            (*file)->putInPlace();
        } catch (const Error& e) {
            if (!earlier.isEmpty())
                ::unlink(ToSystemName(earlier).constData());
            QString message = e.message();
            for (Renamed& r : renamed) {
                const QString shown = ReadableName(QDir::toNativeSeparators(r.finalPath));
                if (!r.earlier.isEmpty() && ::rename(ToSystemName(r.earlier).constData(),
                                                     ToSystemName(r.finalPath).constData()) == 0) {
                    r.earlier.clear();
                    message +=
                        QStringLiteral(". The earlier \"%1\" was put back as it was").arg(shown);
                } else if (!r.hadEarlier && ::unlink(ToSystemName(r.finalPath).constData()) == 0) {
                    message += QStringLiteral(". The new \"%1\" was removed").arg(shown);
                } else {
                    message += QStringLiteral(". \"%1\" is the new one and the earlier one could "
                                              "not be put back, so the files do not match")
                                   .arg(shown);
                }
            }
            throw Error(message + (renamed.empty() ? QString() : QStringLiteral(".")));
        }
        renamed.push_back({finalPath, earlier, hadEarlier});
    }
}

} // namespace lumelle
