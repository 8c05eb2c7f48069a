#include "output/OutputPlan.h"

#include "output/DeviceWriting.h"
#include "output/OutputFiles.h"
#include "platform/Error.h"
#include "platform/SystemNames.h"

#include <QFileInfo>

namespace lumelle {

QString ReplaceExtension(const QString& fileName, const QString& suffix)
{
    if (fileName.size() <= 3)
        return fileName + suffix;
    // Four characters are a dot and a three-letter extension; a longer extension (".ttml",
    // ".dfxp", ".sami") would leave a piece of itself behind ("film..idx"), so it goes whole.
    const qsizetype dot = fileName.lastIndexOf(QLatin1Char('.'));
    if (dot >= 0 && fileName.size() - dot > 4 && fileName.indexOf(QLatin1Char('/'), dot) < 0)
        return fileName.left(dot) + suffix;
    return fileName.left(fileName.size() - 4) + suffix;
}

OutputPlan PlanOutputs(const QString& input, const QString& folder, const OutputSet& set)
{
    // Absolute from the working folder's own bytes, which Qt would decode with loss.
    const QFileInfo info(AbsoluteName(input));
    OutputPlan plan{QDir(folder.isEmpty() ? info.absolutePath() : folder), {}};
    const QString base = info.fileName();
    if (!set.folderStem.isEmpty())
        plan.folder.setPath(plan.folder.filePath(ReplaceExtension(base, set.folderStem)));
    const QString canonicalInput = CanonicalName(input);
    bool isInput = false;
    for (const OutputKind& kind : set.files) {
        const QString path = plan.folder.filePath(ReplaceExtension(base, kind.extension));
        isInput = isInput || AbsoluteName(path) == info.filePath() ||
                  (!canonicalInput.isEmpty() && CanonicalName(path) == canonicalInput);
        plan.files << path;
    }
    if (isInput) {
        const QString stem = ReplaceExtension(base, set.fallbackStem);
        plan.files.clear();
        for (const OutputKind& kind : set.files)
            plan.files << plan.folder.filePath(stem + kind.extension);
    }
    return plan;
}

QString LockedPlace(const QStringList& files, const OutputSet& set)
{
    return set.folderStem.isEmpty() ? files.front() : QFileInfo(files.front()).path();
}

QString FollowLinks(const QString& path)
{
    const QString target = LinkTarget(path);
    if (target.isEmpty())
        return path;
    const QString canonical = CanonicalName(path);
    return canonical.isEmpty() ? target : canonical;
}

namespace {

// Why the set must not replace the files at `paths`, naming the file; empty when it may.
QString reasonToKeepSet(const QStringList& paths, const OutputSet& set, const QStringList& inputs)
{
    for (std::size_t i = 0; i < set.files.size(); ++i) {
        const QString& path = paths[qsizetype(i)];
        if (!IsRegularOrAbsent(path))
            throw Error(CannotCreateFileMessage(path, QStringLiteral("It is not a regular file.")));
        const QString why = ReasonToKeep(path, set.files[i], inputs);
        if (!why.isEmpty())
            return QStringLiteral("%1 was left as it is: %2.")
                .arg(ReadableName(QDir::toNativeSeparators(path)), why);
    }
    return QString();
}

QStringList followed(QStringList paths)
{
    for (QString& path : paths)
        path = FollowLinks(path);
    return paths;
}

} // namespace

QStringList SafeOutputs(const QStringList& planned, const OutputSet& set, const QStringList& inputs,
                        QStringList& notes)
{
    const QString why = reasonToKeepSet(planned, set, inputs);
    if (why.isEmpty())
        return followed(planned);
    QStringList other;
    for (std::size_t i = 0; i < set.files.size(); ++i)
        other << ReplaceExtension(planned[qsizetype(i)], set.fallbackStem + set.files[i].extension);
    const QString whyOther = reasonToKeepSet(other, set, inputs);
    if (!whyOther.isEmpty())
        throw Error(CannotCreateFileMessage(other.front(), why + QLatin1Char(' ') + whyOther));
    QStringList shown;
    for (const QString& path : other)
        shown << ReadableName(QDir::toNativeSeparators(path));
    notes << QStringLiteral("%1 The %2 was written as %3.")
                 .arg(why, set.name, shown.join(QStringLiteral(" and ")));
    return followed(other);
}

} // namespace lumelle
