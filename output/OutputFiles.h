// The safety rules for the files a run writes: which existing files it may replace, a lock so
// that two runs never write the same pair at once, and files written under a temporary name
// in the target folder and renamed into place only when the run has something whole to give.
#pragma once

#include "output/OutputPlan.h"

#include <QFile>
#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

namespace lumelle {

// True when `a` and `b` are one file on disk (same device and inode, links followed). False
// when either does not exist.
bool SameFile(const QString& a, const QString& b);

// True when the file system holding `folder` ignores the case of names (FAT, exFAT, NTFS).
bool FolderIgnoresCase(const QString& folder);

// True when two output paths name the same place: equal, the same existing file, or equal but
// for case in a folder that ignores case.
bool SameOutput(const QString& a, const QString& b);

// True when nothing is at `path` or it is a regular file (links followed): a FIFO, device or
// folder is never written.
bool IsRegularOrAbsent(const QString& path);

// Whether a file can be made in `folder`: tried, since permissions, read-only mounts and full
// disks all say no only then. The file tried is removed.
bool FolderTakesFiles(const QString& folder);

// Why an existing file at `path` must not be replaced by a file of the run, or an empty
// string when it may be: `path` does not exist, or is a regular file that starts with the
// signature of `kind`, or is empty. Files in `inputs` are never replaceable.
QString ReasonToKeep(const QString& path, const OutputKind& kind, const QStringList& inputs);

// The lock file of the pair named by `idxPath`: a hidden file of fixed length in the pair's
// own folder, keyed by the name (in lower case where the folder ignores case).
QString LockPathFor(const QString& idxPath);

// Holds the lock on one output pair for as long as it lives, and removes the lock file when it
// ends. A link in the lock file's place is never followed. Throws Error naming `idxPath` when
// another run holds the lock or the file cannot be made.
class OutputLock
{
public:
    explicit OutputLock(const QString& idxPath);
    ~OutputLock();
    OutputLock(const OutputLock&) = delete;
    OutputLock& operator=(const OutputLock&) = delete;

private:
    QString m_path;
    int m_fd = -1;
};

// Removes the temporary files that a killed run left beside `finalPaths` (NAME.RANDOM.part).
// Call it holding the lock on those files, so that no live run's files are taken.
void RemoveLeftoverParts(const QStringList& finalPaths);

// A file written under a temporary name beside `finalPath`, unbuffered. flush() puts it on
// disk and putInPlace() renames it over `finalPath`; otherwise the temporary file is removed
// when this ends, and whatever was at `finalPath` stays as it was. Files go in place through
// StagedSet, which takes both steps for a whole set.
class StagedFile
{
public:
    explicit StagedFile(const QString& finalPath);
    ~StagedFile();
    StagedFile(const StagedFile&) = delete;
    StagedFile& operator=(const StagedFile&) = delete;

    QFile& device() { return m_file; }
    const QString& finalPath() const { return m_finalPath; }
    // Starts putting the first `written` bytes on disk without waiting, once a megabyte has
    // gathered since the last call, so that the disk works while the run goes on and flush()
    // has little left to wait for.
    void startWriteback(qint64 written);
    // Puts the bytes on disk and closes the file, then renames it over the final path. Each
    // throws Error with the "Cannot write file" message for the final path.
    void flush();
    void putInPlace();

private:
    QString m_finalPath;
    QString m_temporary;
    QFile m_file;
    qint64 m_writebackFrom = 0;
    bool m_committed = false;
};

// Files written under temporary names and put in place as one: every file is flushed to disk
// first, then they are renamed back to back, the first added last (it names the set, so it
// never names parts that are not there yet). When a rename fails, the files already renamed
// are put back as they were (a link to each earlier file is kept until all are in place) and
// the message says so. Whatever is not committed is removed when the set ends.
class StagedSet
{
public:
    StagedSet() = default;
    StagedSet(const StagedSet&) = delete;
    StagedSet& operator=(const StagedSet&) = delete;

    // Creates the next file of the set; throws as StagedFile does.
    StagedFile& add(const QString& finalPath);
    // Throws Error with the "Cannot write file" message of the file that failed and what became
    // of the others.
    void commit();
    // Removes the temporary files; the earlier files stay as they were.
    void clear() { m_files.clear(); }

private:
    std::vector<std::unique_ptr<StagedFile>> m_files;
};

} // namespace lumelle
