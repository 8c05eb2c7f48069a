// What became of each file of a run: the lines printed when its conversion ends, the names of
// the files a stop left unconverted, and the --json summary.
#pragma once

#include "cli/RunState.h"
#include "cli/TerminalText.h"
#include "convert/GenerationRun.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

namespace lumelle {

// What became of one file, for the --json summary.
struct FileReport
{
    QString file;
    int status = 1;
    int written = 0;
    int skipped = 0;
    QStringList outputs;      // the .idx, .sub and help file written
    bool aborted = false;     // a stop came before the file was converted
    PrintedMessages messages; // what was said about it on standard error
    QStringList existing;     // --no-overwrite: the outputs found, for which it was not converted
};

// Fills `report` from the run that converted `subtitles` entries, `skipped` left out.
void FillReport(FileReport& report, const GenerationResult& result, int subtitles, int skipped);

// The summary of --json: one object per file, in the order given; a file a stop left
// unconverted is marked "aborted".
QByteArray JsonSummary(const QList<FileReport>& reports);

// `reports` followed by a report for each of `files` from `first` on, marked as left
// unconverted by a stop.
QList<FileReport> WithUnconverted(QList<FileReport> reports, const QStringList& files,
                                  qsizetype first, const PrivateInputs& inputs);

// The lines naming the files from `first` on as not converted.
QByteArray UnconvertedLines(const QStringList& files, qsizetype first, const PrivateInputs& inputs);

// Prints how the run of `file` (`subtitles` entries) ended; returns 0 when it finished.
int ReportRun(const QString& file, int subtitles, const GenerationResult& result,
              const RunState& run);

} // namespace lumelle
