#include "cli/FolderInputs.h"

#include "bdn/BdnReader.h"
#include "cli/TerminalText.h"
#include "pgs/PgsReader.h"
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

bool isTextSubtitleFile(const QString& path)
{
    try {
        return KindOfFile(path) != FileKind::Unknown;
    } catch (const Error&) {
        return true; // a subtitle file that cannot be opened: its reading says why
    }
}

// The form a file of pictures holds, by its bytes; Text for anything else.
enum class InputForm { Text, VobSub, DvdSup, Pgs, Bdn };

InputForm formOf(const QString& path)
{
    switch (DvdFileKindOf(path)) {
    case DvdFileKind::VobSubIndex:
    case DvdFileKind::VobSubStream:
        return InputForm::VobSub;
    case DvdFileKind::DvdSup:
        return InputForm::DvdSup;
    case DvdFileKind::None:
        break;
    }
    if (pgs::IsPgsFile(path))
        return InputForm::Pgs;
    if (bdn::IsBdnFile(path))
        return InputForm::Bdn;
    return InputForm::Text;
}

// Whether the run writes files of `form`: a file found in a folder that is already in the form
// written is left alone, so that a folder converted twice does not read back what it wrote.
bool writesForm(const ConvertOptions& options, InputForm form)
{
    switch (form) {
    case InputForm::VobSub:
        return options.writePair;
    case InputForm::DvdSup:
        return options.writeSup;
    case InputForm::Pgs:
        return options.writePgs;
    case InputForm::Bdn:
        return options.writeBdn;
    case InputForm::Text:
        break;
    }
    return false;
}

QString formName(InputForm form)
{
    switch (form) {
    case InputForm::VobSub:
        return QStringLiteral("a VobSub pair");
    case InputForm::DvdSup:
        return QStringLiteral("a DVD .sup");
    case InputForm::Pgs:
        return QStringLiteral("a Blu-ray PGS stream");
    case InputForm::Bdn:
        return QStringLiteral("a BDN XML index");
    case InputForm::Text:
        break;
    }
    return QString();
}

// Whether the picture file `path` of a folder is converted; says why when it is not. One that
// bears the name of a text subtitle beside it ("film" of film.srt) is what that text was
// converted to before.
bool takesPictureFile(const QString& path, InputForm form, const QSet<QString>& textStems,
                      const ConvertOptions& options)
{
    // A listing reads text only.
    if (form == InputForm::Text || options.listOnly)
        return false;
    QString why;
    if (textStems.contains(QFileInfo(path).completeBaseName()))
        why = QStringLiteral("left out: it bears the name of a text subtitle beside it, whose "
                             "conversion it is taken to be");
    else if (writesForm(options, form))
        why = QStringLiteral("left out: it is %1 already, the form written (name it on its own "
                             "to convert it again)")
                  .arg(formName(form));
    if (why.isEmpty())
        return true;
    if (!options.quiet)
        PrintLine(stderr, QStringLiteral("%1: %2").arg(ShownPath(path), why));
    return false;
}

// Adds the subtitle files of `folder` to `found`, each with the subfolder (from the folder given)
// it is in; then, when `recursive`, those of its subfolders. Links to folders are not followed,
// so that a link to a folder above cannot make the walk endless.
void collect(const QString& folder, const QString& relative, const ConvertOptions& options,
             QStringList& found, QHash<QString, QString>& subfolders)
{
    QStringList names = NamesIn(folder);
    std::sort(names.begin(), names.end());
    QStringList folders;
    QSet<QString> texts, pictures;
    for (const QString& name : names) {
        if (name.startsWith(QLatin1Char('.')))
            continue;
        const QString path = QDir(folder).filePath(name);
        const NameKind kind = KindOfName(path);
        if (kind == NameKind::Folder) {
            if (options.recursive && LinkTarget(path).isEmpty())
                folders << name;
        } else if (kind == NameKind::File) {
            (isTextSubtitleFile(path) ? texts : pictures).insert(name);
        }
    }
    QSet<QString> textStems;
    for (const QString& name : texts)
        textStems.insert(QFileInfo(name).completeBaseName());
    for (const QString& name : names) {
        const QString path = QDir(folder).filePath(name);
        if (!texts.contains(name) &&
            !(pictures.contains(name) && takesPictureFile(path, formOf(path), textStems, options)))
            continue;
        found << path;
        if (!relative.isEmpty())
            subfolders.insert(path, relative);
    }
    for (const QString& name : folders)
        collect(QDir(folder).filePath(name),
                relative.isEmpty() ? name : QDir(relative).filePath(name), options, found,
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
        collect(given, QString(), options, files, options.outputSubfolders);
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
