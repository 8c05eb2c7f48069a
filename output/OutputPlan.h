// Where the files a writer makes from one input go: named after the input, in the input's
// folder or a chosen one, and moved aside to NAME<stem>.* when the planned names belong to
// an input or to a file that is not one of ours.
#pragma once

#include <QByteArray>
#include <QDir>
#include <QString>
#include <QStringList>
#include <vector>

namespace lumelle {

// One file of an output set: its extension and how a file of ours is recognised, so that only
// such a file (or an empty one) is ever replaced.
struct OutputKind
{
    QString extension;    // ".idx"; four characters, as the name rule below assumes
    QByteArray signature; // the bytes every file of this kind starts with
    QString description;  // "VobSub file": a foreign file "is not a VobSub file"
};

// The files one writer makes from one input, written together and put in place together.
struct OutputSet
{
    std::vector<OutputKind> files;
    QString name;         // what the set is called in notes ("pair")
    QString fallbackStem; // "_vobsub": NAME_vobsub.idx when NAME.idx may not be used
    // "_bdn": the files go into a folder of their own, NAME_bdn/, in the output folder; empty:
    // straight into the output folder.
    QString folderStem;
};

// The output names: the input file's name with its last four characters replaced by the
// extension ("movie.srt" -> "movie.idx"), or a longer extension whole ("movie.ttml" ->
// "movie.idx"); a name of three characters or fewer is kept whole.
QString ReplaceExtension(const QString& fileName, const QString& suffix);

// The planned paths of `set` for `input` in `folder` (empty: the input's own folder), in the
// order of set.files, inside the set's own folder when it has one. When one of them would be the
// input itself (a MicroDVD .sub beside its VobSub .sub), every file takes the fallback stem, so
// that the input is never overwritten.
struct OutputPlan
{
    QDir folder;
    QStringList files;
};
OutputPlan PlanOutputs(const QString& input, const QString& folder, const OutputSet& set);

// Where a run on `files` (planned for `set`) takes its lock: the set's own folder when it has
// one, else its first file.
QString LockedPlace(const QStringList& files, const OutputSet& set);

// The paths a run writes: `planned` with links followed, or the fallback names (with a note
// saying why) when a planned file is an input or not a file of ours. Throws Error when
// neither set may be written or a path is not a regular file.
QStringList SafeOutputs(const QStringList& planned, const OutputSet& set, const QStringList& inputs,
                        QStringList& notes);

// The file a path names, its symbolic links followed, so that a link keeps pointing at the
// new file.
QString FollowLinks(const QString& path);

} // namespace lumelle
