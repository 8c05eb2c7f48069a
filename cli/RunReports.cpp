#include "cli/RunReports.h"

#include "cli/TerminalText.h"
#include "platform/SystemNames.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace lumelle {

namespace {

// Says how many subtitles overlapping in time were drawn together.
void reportMerged(const QString& file, const GenerationResult& result)
{
    if (result.merged > 0)
        PrintLine(stdout, QStringLiteral("%1: %2 shown together")
                              .arg(file, Counted(result.merged, "overlapping subtitle",
                                                 "overlapping subtitles")));
}

} // namespace

void FillReport(FileReport& report, const GenerationResult& result, int subtitles, int skipped)
{
    // Overlapping subtitles share pictures: a finished run wrote every subtitle of the list.
    report.aborted = result.aborted;
    report.written = !result.committed ? 0 : result.aborted ? result.written : subtitles;
    report.skipped = skipped;
    if (result.committed)
        report.outputs = result.outputs;
    if (!result.helpPath.isEmpty())
        report.outputs << result.helpPath; // none when its name was taken by a file not ours
    for (QString& output : report.outputs)
        output = ReadableName(output);
}

QByteArray JsonSummary(const QList<FileReport>& reports)
{
    QJsonArray files;
    for (const FileReport& r : reports) {
        QJsonObject file{
            {QStringLiteral("file"), r.file},
            {QStringLiteral("status"), r.status},
            {QStringLiteral("subtitles"), r.written},
            {QStringLiteral("skipped"), r.skipped},
            {QStringLiteral("outputs"), QJsonArray::fromStringList(r.outputs)},
            {QStringLiteral("errors"), QJsonArray::fromStringList(r.messages.errors)},
            {QStringLiteral("warnings"), QJsonArray::fromStringList(r.messages.warnings)}};
        if (r.aborted)
            file.insert(QStringLiteral("aborted"), true);
        if (!r.existing.isEmpty())
            file.insert(QStringLiteral("existing"), QJsonArray::fromStringList(r.existing));
        files.append(file);
    }
    return QJsonDocument(QJsonObject{{QStringLiteral("files"), files}})
        .toJson(QJsonDocument::Indented);
}

QList<FileReport> WithUnconverted(QList<FileReport> reports, const QStringList& files,
                                  qsizetype first, const PrivateInputs& inputs)
{
    for (qsizetype i = first; i < files.size(); ++i) {
        FileReport& r = reports.emplace_back(FileReport{inputs.givenName(files[i])});
        r.aborted = true;
    }
    return reports;
}

QByteArray UnconvertedLines(const QStringList& files, qsizetype first, const PrivateInputs& inputs)
{
    QByteArray lines;
    for (qsizetype i = first; i < files.size(); ++i)
        lines += LineBytes(QStringLiteral("%1: not converted").arg(inputs.shownName(files[i])));
    return lines;
}

int ReportRun(const QString& file, int subtitles, const GenerationResult& result,
              const RunState& run)
{
    const QString name = run.inputs.shownName(file);
    for (const QString& note : result.notes)
        PrintLine(stderr, QStringLiteral("%1: %2").arg(name, note));
    if (result.aborted) {
        PrintError(QStringLiteral("%1: Operation Aborted").arg(name));
        if (!result.committed)
            PrintError(QStringLiteral("Nothing was written; the earlier files stay as they "
                                      "were."));
        else
            PrintError(QStringLiteral("%1 hold the first %2.")
                           .arg(ShownPath(result.outputs.join(QStringLiteral(" and "))),
                                result.written == 1
                                    ? QStringLiteral("subtitle")
                                    : Counted(result.written, "subtitle", "subtitles")));
        return 1;
    }
    if (run.options.quiet || run.options.json)
        return 0;
    reportMerged(name, result);
    const QString help = result.helpPath.isEmpty()
                             ? QStringLiteral("no help file")
                             : QStringLiteral("help: ") + ShownPath(result.helpPath);
    PrintLine(stdout, QStringLiteral("%1: %2 -> %3 (%4)")
                          .arg(name, Counted(subtitles, "subtitle", "subtitles"),
                               ShownPath(result.outputs.join(QStringLiteral(", "))), help));
    return 0;
}

} // namespace lumelle
