// The conversion of one subtitle file of the command line into the form the options ask for.
#pragma once

#include "cli/RunReports.h"
#include "cli/RunState.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace lumelle {

// The files one conversion of the run wrote, and the file they were made from.
struct Produced
{
    QStringList outputs;
    QString input;
};

// Converts one file; returns 0 on success, 3 when entries were skipped. `produced` gathers the
// pairs of the run so far, which a later file never replaces.
int ConvertFile(const QString& file, const RunState& run, FileReport& report,
                QList<Produced>& produced);

} // namespace lumelle
