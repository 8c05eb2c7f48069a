// A set of files that lives in a folder of its own (an index and the pictures it names),
// written into a temporary folder beside it and put in place by one rename: a kill or a power
// cut at any moment leaves the earlier set or the new one, never a mix.
#pragma once

#include "output/OutputPlan.h"

#include <QString>
#include <vector>

namespace lumelle {

// Why the folder `folder` must not be replaced by a set of `kinds`, or an empty string when it
// may: it does not exist, or is a folder holding only files of those kinds (by extension and
// signature) or empty files.
QString ReasonToKeepFolder(const QString& folder, const std::vector<OutputKind>& kinds);

// Removes the temporary folders that a killed run left beside `finalFolder`
// (NAME.RANDOM.part). Call it holding the lock on `finalFolder`.
void RemoveLeftoverFolders(const QString& finalFolder);

class StagedFolder
{
public:
    // Creates the temporary folder beside `finalFolder` (links followed); throws Error with
    // the "Cannot write file" message when it cannot.
    explicit StagedFolder(const QString& finalFolder);
    // Removes the temporary folder and its files unless committed.
    ~StagedFolder();
    StagedFolder(const StagedFolder&) = delete;
    StagedFolder& operator=(const StagedFolder&) = delete;

    const QString& finalFolder() const { return m_final; }
    // Writes the file `name` into the temporary folder, on disk before it returns.
    void write(const QString& name, const char* data, qint64 size);
    // Puts the folder in place: an earlier folder is swapped with it in one step and then
    // removed. Throws Error when it cannot; the earlier folder then stays as it was.
    void commit();

private:
    QString m_final;
    QString m_temporary;
    bool m_committed = false;
};

} // namespace lumelle
