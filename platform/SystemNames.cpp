#include "platform/SystemNames.h"

#include <QDir>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace lumelle {

namespace {

// Bytes 0x80 to 0xFF that are kept as they are map to U+F780 to U+F7FF.
constexpr char32_t kKeptByteBase = 0xF700;
constexpr char32_t kKeptFirst = kKeptByteBase + 0x80;
constexpr char32_t kKeptLast = kKeptByteBase + 0xFF;

bool inRange(unsigned char byte, unsigned char low, unsigned char high)
{
    return byte >= low && byte <= high;
}

// The length of the well-formed UTF-8 character at `at` (1 to 4) and its code point, or 0 when
// the bytes there are not one (overlong forms, surrogates and values past U+10FFFF are not).
int characterAt(const QByteArray& bytes, qsizetype at, char32_t& code)
{
    const auto byte = [&](qsizetype i) {
        return i < bytes.size() ? static_cast<unsigned char>(bytes[i]) : 0;
    };
    const unsigned char b0 = byte(at);
    if (b0 < 0x80) {
        code = b0;
        return 1;
    }
    int length = 0;
    unsigned char low = 0x80, high = 0xBF; // the range of the second byte
    if (inRange(b0, 0xC2, 0xDF)) {
        length = 2;
    } else if (inRange(b0, 0xE0, 0xEF)) {
        length = 3;
        low = b0 == 0xE0 ? 0xA0 : 0x80;
        high = b0 == 0xED ? 0x9F : 0xBF;
    } else if (inRange(b0, 0xF0, 0xF4)) {
        length = 4;
        low = b0 == 0xF0 ? 0x90 : 0x80;
        high = b0 == 0xF4 ? 0x8F : 0xBF;
    } else {
        return 0;
    }
    if (!inRange(byte(at + 1), low, high))
        return 0;
    code = b0 & (0x7F >> length);
    for (int i = 1; i < length; ++i) {
        const unsigned char b = byte(at + i);
        if (!inRange(b, 0x80, 0xBF))
            return 0;
        code = (code << 6) | (b & 0x3F);
    }
    return length;
}

} // namespace

QString FromSystemName(const QByteArray& bytes)
{
    QString text;
    text.reserve(bytes.size());
    for (qsizetype at = 0; at < bytes.size();) {
        char32_t code = 0;
        const int length = characterAt(bytes, at, code);
        if (length > 0 && !(code >= kKeptFirst && code <= kKeptLast)) {
            text += QString::fromUcs4(&code, 1);
            at += length;
            continue;
        }
        // A byte that starts no character, or each byte of a character in the range of kept
        // bytes, stands for itself.
        for (int i = 0; i < std::max(length, 1); ++i)
            text += QChar(char16_t(kKeptByteBase + static_cast<unsigned char>(bytes[at + i])));
        at += std::max(length, 1);
    }
    return text;
}

QByteArray ToSystemName(const QString& name)
{
    QByteArray bytes;
    bytes.reserve(name.size());
    qsizetype runStart = 0; // the text since the last kept byte, encoded as UTF-8 in one go
    for (qsizetype i = 0; i < name.size(); ++i) {
        const char16_t unit = name[i].unicode();
        if (unit < kKeptFirst || unit > kKeptLast)
            continue;
        bytes += QStringView(name).sliced(runStart, i - runStart).toUtf8();
        bytes += char(unit - kKeptByteBase);
        runStart = i + 1;
    }
    bytes += QStringView(name).sliced(runStart).toUtf8();
    return bytes;
}

QString ReadableName(const QString& name)
{
    QString shown;
    shown.reserve(name.size());
    for (const QChar c : name) {
        const char16_t unit = c.unicode();
        if (unit >= kKeptFirst && unit <= kKeptLast)
            shown += QStringLiteral("\\x") +
                     QString::number(unit - kKeptByteBase, 16).toUpper().rightJustified(2, u'0');
        else
            shown += c;
    }
    return shown;
}

QString CurrentFolder()
{
    // getcwd with no buffer allocates one of the length needed, however deep the folder.
    std::unique_ptr<char, decltype(&std::free)> folder(::getcwd(nullptr, 0), &std::free);
    return folder ? FromSystemName(QByteArray(folder.get())) : QDir::currentPath();
}

QString AbsoluteName(const QString& name)
{
    if (name.startsWith(QLatin1Char('/')))
        return QDir::cleanPath(name);
    return QDir::cleanPath(CurrentFolder() + QLatin1Char('/') + name);
}

NameKind KindOfName(const QString& name)
{
    struct stat st;
    if (name.isEmpty() || ::stat(ToSystemName(name).constData(), &st) != 0)
        return NameKind::Missing;
    return S_ISREG(st.st_mode)   ? NameKind::File
           : S_ISDIR(st.st_mode) ? NameKind::Folder
                                 : NameKind::Other;
}

qint64 SizeOfName(const QString& name)
{
    struct stat st;
    if (name.isEmpty() || ::stat(ToSystemName(name).constData(), &st) != 0)
        return -1;
    return qint64(st.st_size);
}

QString CanonicalName(const QString& name)
{
    if (name.isEmpty())
        return QString();
    std::unique_ptr<char, decltype(&std::free)> resolved(
        ::realpath(ToSystemName(name).constData(), nullptr), &std::free);
    return resolved ? FromSystemName(QByteArray(resolved.get())) : QString();
}

QString LinkTarget(const QString& name)
{
    struct stat st;
    const QByteArray path = ToSystemName(name);
    if (name.isEmpty() || ::lstat(path.constData(), &st) != 0 || !S_ISLNK(st.st_mode))
        return QString();
    QByteArray target(qsizetype(st.st_size > 0 ? st.st_size : PATH_MAX), '\0');
    const ssize_t length = ::readlink(path.constData(), target.data(), std::size_t(target.size()));
    if (length < 0)
        return QString();
    target.truncate(qsizetype(length));
    const QString text = FromSystemName(target);
    if (text.startsWith(QLatin1Char('/')))
        return QDir::cleanPath(text);
    // A relative link is read from the link's own folder.
    const QString absolute = AbsoluteName(name);
    return QDir::cleanPath(absolute.left(absolute.lastIndexOf(QLatin1Char('/')) + 1) + text);
}

bool OpenNamed(QFile& file, const QString& name, QIODevice::OpenMode mode, QString* reason)
{
    int flags = O_CLOEXEC;
    if (mode & QIODevice::WriteOnly) {
        flags |= ((mode & QIODevice::ReadOnly) ? O_RDWR : O_WRONLY) | O_CREAT;
        flags |= (mode & QIODevice::NewOnly) ? O_EXCL : O_TRUNC;
    } else {
        flags |= O_RDONLY;
    }
    int fd = -1;
    do
        fd = ::open(ToSystemName(name).constData(), flags, 0666);
    while (fd < 0 && errno == EINTR);
    if (fd < 0) {
        const int error = errno;
        if (reason)
            *reason = QString::fromLocal8Bit(std::strerror(error));
        errno = error; // for a caller that tells the reasons apart
        return false;
    }
    // NewOnly and truncation were done by the system call; Qt is handed the open file.
    QIODevice::OpenMode handed = mode;
    handed.setFlag(QIODevice::NewOnly, false);
    handed.setFlag(QIODevice::Truncate, false);
    if (!file.open(fd, handed, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        if (reason)
            *reason = file.errorString();
        return false;
    }
    return true;
}

bool MakeFolders(const QString& name)
{
    const QByteArray path = ToSystemName(QDir::cleanPath(name));
    struct stat st;
    if (path.isEmpty())
        return false;
    if (::stat(path.constData(), &st) == 0)
        return S_ISDIR(st.st_mode);
    // Each missing folder from the top down; one made meanwhile by another run is as good.
    for (qsizetype slash = path.indexOf('/', 1);; slash = path.indexOf('/', slash + 1)) {
        const QByteArray part = slash < 0 ? path : path.left(slash);
        if (::mkdir(part.constData(), 0777) != 0 && errno != EEXIST)
            return false;
        if (slash < 0)
            break;
    }
    return ::stat(path.constData(), &st) == 0 && S_ISDIR(st.st_mode);
}

QString FromQtName(const QString& qtName)
{
    if (!qtName.contains(QChar::ReplacementCharacter) || KindOfName(qtName) != NameKind::Missing)
        return qtName;
    const QString absolute = AbsoluteName(qtName);
    QString found;
    for (const QString& part : absolute.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        const QString next = found + QLatin1Char('/') + part;
        struct stat st;
        if (::lstat(ToSystemName(next).constData(), &st) == 0) {
            found = next;
            continue;
        }
        QStringList matches;
        for (const QString& entry : NamesIn(found.isEmpty() ? QStringLiteral("/") : found)) {
            if (QFile::decodeName(ToSystemName(entry)) == part)
                matches << entry;
        }
        if (matches.size() != 1)
            return qtName;
        found += QLatin1Char('/') + matches.front();
    }
    return found;
}

QUrl AddressOfFile(const QString& name)
{
    // Percent-encoded from the bytes: QUrl::fromLocalFile would encode the private characters.
    return QUrl(QStringLiteral("file://") +
                    QString::fromLatin1(ToSystemName(AbsoluteName(name)).toPercentEncoding("/")),
                QUrl::StrictMode);
}

QString LocalFileOf(const QUrl& address)
{
    if (!address.isLocalFile())
        return QString();
    return FromSystemName(
        QByteArray::fromPercentEncoding(address.path(QUrl::FullyEncoded).toLatin1()));
}

QStringList NamesIn(const QString& folder)
{
    QStringList names;
    DIR* dir = ::opendir(ToSystemName(folder).constData());
    if (!dir)
        return names;
    while (const dirent* entry = ::readdir(dir)) {
        const QByteArray name(entry->d_name);
        if (name != "." && name != "..")
            names << FromSystemName(name);
    }
    ::closedir(dir);
    return names;
}

} // namespace lumelle
