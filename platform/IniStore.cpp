#include "platform/IniStore.h"

#include "platform/StoredValues.h"
#include "platform/SystemNames.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <QStringDecoder>
#include <sys/stat.h>
#include <unistd.h>

namespace lumelle::platform {

namespace {

bool isBlank(char c)
{
    return static_cast<unsigned char>(c) <= ' ';
}

// Trims blanks and control characters at both ends, as the reader does with every line,
// section name, key and value.
QByteArray trimmedBytes(QByteArrayView bytes)
{
    qsizetype begin = 0;
    qsizetype end = bytes.size();
    while (begin < end && isBlank(bytes[begin]))
        ++begin;
    while (end > begin && isBlank(bytes[end - 1]))
        --end;
    return bytes.sliced(begin, end - begin).toByteArray();
}

// The reader ends a line at a carriage return or a line feed.
bool fitsOnOneLine(QByteArrayView value)
{
    return !value.contains('\r') && !value.contains('\n');
}

bool sameName(const QByteArray& a, const QByteArray& b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

struct SplitPath
{
    QByteArray section;
    QByteArray key;
};

SplitPath splitPath(const QString& path)
{
    const qsizetype slash = path.lastIndexOf(u'\\');
    if (slash < 0)
        return {QByteArray(), path.toUtf8()};
    return {path.left(slash).toUtf8(), path.mid(slash + 1).toUtf8()};
}

QString decodeText(const QByteArray& bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8(bytes);
    if (utf8.hasError())
        text = QString::fromLatin1(bytes);
    return text;
}

// A stored number, truth value or colour: its bytes read as Latin-1 and parsed; no value when
// the key is missing or the text does not parse.
template <class T>
std::optional<T> parseLatin1(const std::optional<QByteArray>& raw,
                             std::optional<T> (*parse)(QStringView))
{
    if (!raw)
        return std::nullopt;
    return parse(QString::fromLatin1(*raw));
}

} // namespace

QString settingsFilePathIn(const QString& executableFolder, const QString& configFolder)
{
    const QString besideProgram = QDir(executableFolder).filePath(QLatin1String(kSettingsFileName));
    const QFileInfo folder(executableFolder);
    // An installed program (bin/ beside share/applications/lumelle.desktop) keeps its settings
    // per user even when run by someone who may write into bin/.
    const bool installed = QFileInfo::exists(
        QDir(executableFolder).filePath(QStringLiteral("../share/applications/lumelle.desktop")));
    if (QFileInfo::exists(besideProgram) || (folder.isDir() && folder.isWritable() && !installed))
        return besideProgram;
    return QDir(configFolder).filePath(QLatin1String(kSettingsFileName));
}

QString settingsFilePath()
{
    return settingsFilePathIn(QCoreApplication::applicationDirPath(),
                              QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation));
}

bool IniStore::load(const QString& fileName, QString* errorText)
{
    m_fileName = fileName;
    m_loaded = true;
    m_readOnly = false;
    clear();

    // By the name's own bytes, which may not be UTF-8 (a settings file named on the converter's
    // command line).
    const NameKind kind = KindOfName(fileName);
    if (kind == NameKind::Missing)
        return true;

    // Only a regular file of a sensible size is read (a FIFO would block, a device could give
    // bytes without end); anything else is left alone and never overwritten.
    QFile file;
    QString problem;
    if (kind == NameKind::Folder)
        problem = QStringLiteral("it is a folder");
    else if (kind != NameKind::File)
        problem = QStringLiteral("it is not a regular file");
    else if (SizeOfName(fileName) > kMaxSettingsFileSize)
        problem = QStringLiteral("it is larger than %1 MB").arg(kMaxSettingsFileSize >> 20);
    else
        OpenNamed(file, fileName, QIODevice::ReadOnly, &problem);
    if (!problem.isEmpty()) {
        m_readOnly = true;
        if (errorText) {
            *errorText = QStringLiteral("The settings file %1 could not be read: %2")
                             .arg(ReadableName(QDir::toNativeSeparators(fileName)), problem);
        }
        return false;
    }
    // Root may write to any file, so the owner's write permission counts as well: a file made
    // read-only stays untouched whoever runs the program.
    const QByteArray name = ToSystemName(fileName);
    struct stat st;
    m_readOnly = ::access(name.constData(), W_OK) != 0 || ::stat(name.constData(), &st) != 0 ||
                 !(st.st_mode & S_IWUSR);
    setContent(file.read(kMaxSettingsFileSize));
    return true;
}

bool IniStore::write(QString* errorText) const
{
    if (m_fileName.isEmpty() || m_readOnly)
        return true;

    auto fail = [&](const QString& reason) {
        if (errorText) {
            *errorText = QStringLiteral("The settings file %1 could not be written: %2")
                             .arg(QDir::toNativeSeparators(m_fileName), reason);
        }
        return false;
    };

    const QFileInfo info(m_fileName);
    if (!QDir().mkpath(info.absolutePath()))
        return fail(QStringLiteral("its folder could not be created"));
    if (info.isDir())
        return fail(QStringLiteral("a folder of that name is in the way"));
    if (info.exists() && !info.isFile())
        return fail(QStringLiteral("it is not a regular file"));

    // Unbuffered: a write the disk refuses shows here, and the commit is cancelled so that the
    // earlier file stays instead of a short one.
    QSaveFile file(m_fileName);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return fail(file.errorString());
    const QByteArray bytes = content();
    for (qsizetype done = 0; done < bytes.size();) {
        const qint64 written = file.write(bytes.constData() + done, bytes.size() - done);
        if (written <= 0) {
            const QString reason = file.errorString();
            file.cancelWriting();
            return fail(reason);
        }
        done += written;
    }
    if (!file.commit())
        return fail(file.errorString());
    return true;
}

void IniStore::setContent(const QByteArray& bytes)
{
    clear();
    Section* current = nullptr;
    qsizetype pos = 0;
    const qsizetype size = bytes.size();
    while (pos < size) {
        // A line ends at CR LF, a lone CR or a lone LF.
        qsizetype end = pos;
        while (end < size && bytes[end] != '\r' && bytes[end] != '\n')
            ++end;
        const QByteArray line = trimmedBytes(QByteArrayView(bytes).sliced(pos, end - pos));
        pos = end;
        if (pos < size && bytes[pos] == '\r')
            ++pos;
        if (pos < size && bytes[pos] == '\n')
            ++pos;

        if (line.isEmpty() || line.startsWith(';'))
            continue;
        if (line.size() >= 2 && line.startsWith('[') && line.endsWith(']')) {
            m_sections.push_back(
                {trimmedBytes(QByteArrayView(line).sliced(1, line.size() - 2)), {}});
            current = &m_sections.back();
            continue;
        }
        if (!current)
            continue; // lines before the first section are ignored
        const qsizetype equals = line.indexOf('=');
        if (equals < 0)
            current->lines.push_back({line, QByteArray(), false});
        else
            current->lines.push_back({trimmedBytes(QByteArrayView(line).first(equals)),
                                      trimmedBytes(QByteArrayView(line).sliced(equals + 1)), true});
    }
}

QByteArray IniStore::content() const
{
    static constexpr char kLineEnd[] = "\r\n";
    QByteArray out;
    for (const Section& section : m_sections) {
        out += '[' + section.name + ']' + kLineEnd;
        for (const Line& line : section.lines) {
            out += line.key;
            if (line.hasValue)
                out += '=' + line.value;
            out += kLineEnd;
        }
        out += kLineEnd;
    }
    return out;
}

void IniStore::clear()
{
    m_sections.clear();
}

const IniStore::Section* IniStore::findSection(const QByteArray& name) const
{
    for (const Section& section : m_sections) {
        if (sameName(section.name, name))
            return &section;
    }
    return nullptr;
}

const IniStore::Line* IniStore::findLine(const QString& path) const
{
    const SplitPath split = splitPath(path);
    const Section* section = findSection(split.section);
    if (!section)
        return nullptr;
    for (const Line& line : section->lines) {
        if (line.hasValue && sameName(line.key, split.key))
            return &line;
    }
    return nullptr;
}

bool IniStore::exists(const QString& path) const
{
    return findLine(path) != nullptr;
}

std::optional<QByteArray> IniStore::rawValue(const QString& path) const
{
    if (const Line* line = findLine(path))
        return line->value;
    return std::nullopt;
}

bool IniStore::canHold(QStringView text)
{
    return fitsOnOneLine(text.toUtf8());
}

bool IniStore::writeRawValue(const QString& path, const QByteArray& value)
{
    if (m_readOnly || !fitsOnOneLine(value))
        return false;
    const SplitPath split = splitPath(path);
    Section* section = nullptr;
    for (Section& candidate : m_sections) {
        if (sameName(candidate.name, split.section)) {
            section = &candidate;
            break;
        }
    }
    if (!section) {
        m_sections.push_back({split.section, {}});
        section = &m_sections.back();
    }
    for (Line& line : section->lines) {
        if (line.hasValue && sameName(line.key, split.key)) {
            line.value = value;
            return true;
        }
    }
    section->lines.push_back({split.key, value, true});
    return true;
}

std::optional<int> IniStore::tryReadInteger(const QString& path) const
{
    return parseLatin1(rawValue(path), parseStoredInteger);
}

void IniStore::writeInteger(const QString& path, int value)
{
    writeRawValue(path, QByteArray::number(value));
}

std::optional<QString> IniStore::tryReadText(const QString& path) const
{
    const std::optional<QByteArray> raw = rawValue(path);
    if (!raw)
        return std::nullopt;
    return decodeText(trimmedBytes(*raw));
}

bool IniStore::writeText(const QString& path, const QString& value)
{
    return writeRawValue(path, value.toUtf8());
}

std::optional<bool> IniStore::tryReadBoolean(const QString& path) const
{
    return parseLatin1(rawValue(path), parseStoredBoolean);
}

void IniStore::writeBoolean(const QString& path, bool value)
{
    writeRawValue(path, storedBooleanText(value).toLatin1());
}

std::optional<ColorValue> IniStore::tryReadColor(const QString& path) const
{
    return parseLatin1(rawValue(path), parseStoredColor);
}

void IniStore::writeColor(const QString& path, ColorValue value)
{
    writeRawValue(path, storedColorText(value).toLatin1());
}

QStringList IniStore::sectionNames() const
{
    QStringList names;
    for (const Section& section : m_sections)
        names << decodeText(section.name);
    return names;
}

QStringList IniStore::keys(const QString& section) const
{
    QStringList names;
    if (const Section* found = findSection(section.toUtf8())) {
        for (const Line& line : found->lines) {
            if (line.hasValue)
                names << decodeText(line.key);
        }
    }
    return names;
}

} // namespace lumelle::platform
