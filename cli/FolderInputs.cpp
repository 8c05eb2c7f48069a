#include "cli/FolderInputs.h"

#include "cli/TerminalText.h"
#include "platform/Error.h"
#include "platform/SystemNames.h"
#include "subtitle/FileKind.h"
#include "vobsub/VobSubReader.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>
#include <algorithm>

namespace lumelle {

namespace {

bool isSubtitleFile(const QString& path)
{
    try {
        return KindOfFile(path) != FileKind::Unknown;
    } catch (const Error&) {
        return true; // a subtitle file that cannot be opened: its reading says why
    }
}

// Adds the subtitle files of `folder` to `found`, each with the subfolder (from the folder given)
// it is in; then, when `recursive`, those of its subfolders. Links to folders are not followed,
// so that a link to a folder above cannot make the walk endless.
void collect(const QString& folder, const QString& relative, bool recursive, QStringList& found,
             QHash<QString, QString>& subfolders)
{
    QStringList names = NamesIn(folder);
    std::sort(names.begin(), names.end());
    QStringList folders;
    for (const QString& name : names) {
        if (name.startsWith(QLatin1Char('.')))
            continue;
        const QString path = QDir(folder).filePath(name);
        const NameKind kind = KindOfName(path);
        if (kind == NameKind::Folder) {
            if (recursive && LinkTarget(path).isEmpty())
                folders << name;
        } else if (kind == NameKind::File && isSubtitleFile(path)) {
            found << path;
            if (!relative.isEmpty())
                subfolders.insert(path, relative);
        }
    }
    for (const QString& name : folders)
        collect(QDir(folder).filePath(name),
                relative.isEmpty() ? name : QDir(relative).filePath(name), recursive, found,
                subfolders);
}

// The .idx of the VobSub pair `file` belongs to, as one name for both its files; empty for any
// other file and for a .sub without its index.
QString pairKeyOf(const QString& file)
{
    const DvdFileKind kind = DvdFileKindOf(file);
    if (kind != DvdFileKind::VobSubIndex && kind != DvdFileKind::VobSubStream)
        return QString();
    try {
        const VobSubFiles pair = VobSubFilesOf(file);
        if (pair.idx.isEmpty())
            return QString();
        return QFileInfo(pair.idx).absoluteFilePath();
    } catch (const Error&) {
        return QString(); // an index without its .sub: its reading says so
    }
}

// Both files of a VobSub pair (film.idx film.sub, in either order) stand for the pair once, in
// the place of the first.
void joinPairs(QStringList& files)
{
    QSet<QString> pairs;
    QStringList joined;
    for (const QString& file : files) {
        const QString key = file == QLatin1String(kStandardInput) ? QString() : pairKeyOf(file);
        if (!key.isEmpty()) {
            if (pairs.contains(key))
                continue;
            pairs.insert(key);
        }
        joined << file;
    }
    files = joined;
}

} // namespace

void ExpandFolders(ConvertOptions& options)
{
    QStringList files;
    for (const QString& given : options.files) {
        if (given == QLatin1String(kStandardInput) || KindOfName(given) != NameKind::Folder) {
            files << given;
            continue;
        }
        const qsizetype before = files.size();
        collect(given, QString(), options.recursive, files, options.outputSubfolders);
        // A folder without any stays, for its reading to say so in its place in the batch.
        if (files.size() == before)
            files << given;
    }
    joinPairs(files);
    options.files = files;
}

QString NoSubtitleFileIn(bool recursive)
{
    return recursive ? QStringLiteral("is a folder without subtitle files, in it or below")
                     : QStringLiteral("is a folder without subtitle files (--recursive looks "
                                      "in its subfolders)");
}

QString TreeOutputFolder(const ConvertOptions& options, const QString& file)
{
    const auto at = options.outputSubfolders.constFind(file);
    if (at == options.outputSubfolders.constEnd())
        return options.outputFolder;
    return QDir(options.outputFolder).filePath(*at);
}

} // namespace lumelle
