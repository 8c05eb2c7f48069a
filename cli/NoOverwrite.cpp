#include "cli/NoOverwrite.h"

#include "cli/OutputForm.h"
#include "cli/TerminalText.h"
#include "output/OutputPlan.h"
#include "vobsub/HelpText.h"

#include <QFileInfo>

namespace lumelle {

namespace {

bool exists(const QString& path)
{
    // A dangling link is a name taken as well.
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

} // namespace

QStringList ExistingOutputs(const RunState& run, const QString& nameFile)
{
    QStringList existing;
    if (!run.options.noOverwrite)
        return existing;
    const OutputPlan plan = PlanOutputs(nameFile, OutputFolderFor(run, nameFile), OutputSetOf(run));
    for (const QString& file : plan.files) {
        if (exists(file))
            existing << file;
    }
    return existing;
}

void ReportLeftAlone(const QString& shown, const QStringList& existing)
{
    QStringList paths;
    for (const QString& path : existing)
        paths << ShownPath(path);
    PrintLine(stderr,
              QStringLiteral("%1: not converted: %2 %3 already (--no-overwrite)")
                  .arg(shown, paths.join(QStringLiteral(", ")),
                       existing.size() == 1 ? QStringLiteral("exists") : QStringLiteral("exist")));
}

bool KeepExistingHelpFile(RunState& run, const QString& nameFile)
{
    const bool before = run.options.helpFile;
    if (run.options.noOverwrite && before) {
        const OutputPlan plan =
            PlanOutputs(nameFile, OutputFolderFor(run, nameFile), OutputSetOf(run));
        if (exists(plan.folder.filePath(QLatin1String(kHelpFileName))))
            run.options.helpFile = false;
    }
    return before;
}

} // namespace lumelle
