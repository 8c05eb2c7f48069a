#include "cli/FolderInputs.h"

#include "cli/TerminalText.h"
#include "platform/Error.h"
#include "platform/SystemNames.h"
#include "subtitle/FileKind.h"

#include <QDir>
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
