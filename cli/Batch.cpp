#include "cli/Batch.h"

#include "cli/ExitStatus.h"
#include "cli/FileConversion.h"
#include "cli/Interruption.h"
#include "cli/LanguageClassStreams.h"
#include "cli/Listing.h"
#include "cli/NoOverwrite.h"
#include "cli/OutputForm.h"
#include "cli/RunReports.h"
#include "cli/StreamConversion.h"
#include "cli/TerminalText.h"
#include "convert/JoinedSource.h"
#include "output/OutputFiles.h"
#include "platform/Error.h"
#include "platform/SystemNames.h"

#include <new>
#include <utility>

namespace lumelle {

namespace {

// What a stop that ends the program before file `next` prints: "Operation Aborted" and the
// files from there on not converted; with --json the summary of `reports`, those files marked.
StopText stopTextBefore(const RunState& run, const QList<FileReport>& reports, qsizetype next)
{
    const ConvertOptions& options = run.options;
    StopText text;
    text.toStderr = QByteArrayLiteral("Operation Aborted\n") +
                    UnconvertedLines(options.files, next, run.inputs);
    if (options.json)
        text.toStdout = JsonSummary(WithUnconverted(reports, options.files, next, run.inputs));
    return text;
}

// The --stream files into one pair: its line of results or its summary.
int convertStreamPair(RunState& run)
{
    const ConvertOptions& options = run.options;
    FileReport report{run.inputs.givenName(options.streams.front().file)};
    int rc = 1;
    const CollectedMessages collect(report.messages);
    const QString nameFile = JoinedPairNameFile(options.streams.front().file);
    if (const QStringList existing = ExistingOutputs(run, nameFile); !existing.isEmpty()) {
        ReportLeftAlone(run.inputs.shownName(options.streams.front().file), existing);
        report.status = 0;
        for (const QString& path : existing)
            report.existing << ReadableName(path);
        if (options.json)
            PrintBytes(stdout, JsonSummary({report}));
        return 0;
    }
    KeepExistingHelpFile(run, nameFile);
    try {
        rc = ConvertStreams(run, report);
    } catch (const Error& e) {
        PrintError(QStringLiteral("lumelle-convert: %1").arg(e.message()));
    } catch (const std::bad_alloc&) {
        PrintError(QStringLiteral("lumelle-convert: Not enough memory for this pair."));
    }
    report.status = rc;
    if (StopRequested() && !report.aborted)
        PrintError(QStringLiteral("Operation Aborted"));
    if (options.json)
        PrintBytes(stdout, JsonSummary({report}));
    return rc;
}

// The files of the command line, one after the other.
class Batch
{
public:
    explicit Batch(RunState& run) : m_run(run), m_options(run.options)
    {
        // The .idx each file would be written to, planned once for the checks between files.
        for (const QString& file : m_options.files)
            m_plannedIdx
                << PlanOutputs(file, OutputFolderFor(run, file), OutputSetOf(run)).files.front();
    }

    // Converts (or lists) the files until the last or a stop; gives the exit status.
    int run()
    {
        qsizetype next = 0;
        for (; next < m_options.files.size() && !StopRequested(); ++next) {
            // What was printed so far is out before a stop can end the program.
            m_run.output.flush();
            prepareStop(next);
            convertOne(next);
            // The outcome is taken: a stop from here on ends the program at once again.
            prepareStop(next + 1);
            SetWriting(false);
        }
        // A stop while a pair was written ends the batch after that file.
        if (next < m_options.files.size())
            endStopped(next);
        if (m_options.json)
            PrintBytes(stdout, JsonSummary(m_reports));
        return m_failures != 0 ? 1 : m_withSkipped != 0 ? kEntriesSkipped : 0;
    }

private:
    // Converts (or lists) file `i`, its status counted.
    void convertOne(qsizetype i)
    {
        const QString& file = m_options.files[i];
        FileReport& report = m_reports.emplace_back(FileReport{m_run.inputs.givenName(file)});
        const CollectedMessages collect(report.messages);
        try {
            if (!m_options.listOnly && sharesOutputWithEarlierFile(i)) {
                ++m_failures;
                return;
            }
            if (!m_options.listOnly && leftAlone(file, report))
                return;
            const bool helpFile = KeepExistingHelpFile(m_run, file);
            const int rc = m_options.listOnly ? ListFile(file, m_run) : convertFile(file, report);
            m_run.options.helpFile = helpFile;
            report.status = rc;
            m_failures += rc != 0 && rc != kEntriesSkipped;
            m_withSkipped += rc == kEntriesSkipped;
        } catch (const Error& e) {
            PrintError(QStringLiteral("%1: %2").arg(m_run.inputs.shownName(file), e.message()));
            ++m_failures;
        } catch (const std::bad_alloc&) {
            PrintError(QStringLiteral("%1: Not enough memory for this file.")
                           .arg(m_run.inputs.shownName(file)));
            ++m_failures;
        }
    }

    // Converts `file`: a SAMI file of several languages into one pair with a stream for each.
    int convertFile(const QString& file, FileReport& report)
    {
        std::vector<StreamInput> classes = LanguageClassStreams(file, m_run);
        if (classes.empty())
            return ConvertFile(file, m_run, report, m_produced);
        // The run's streams are the classes for this file only, whatever happens in it.
        struct Restore
        {
            std::vector<StreamInput>& streams;
            std::vector<StreamInput>& saved;
            ~Restore() { streams.swap(saved); }
        } restore{m_run.options.streams, classes};
        m_run.options.streams.swap(classes);
        return ConvertStreams(m_run, report);
    }

    // True, after saying so, when file `index` would write the pair of an earlier file of the
    // run (one written so far, or one planned before it): it is refused rather than replacing
    // that pair.
    bool sharesOutputWithEarlierFile(qsizetype index) const
    {
        const QString& idx = m_plannedIdx[index];
        QList<std::pair<QString, QString>> earlier;
        for (const Produced& p : m_produced)
            earlier.append({p.outputs.front(), p.input});
        for (qsizetype i = 0; i < index; ++i)
            earlier.append({m_plannedIdx[i], m_options.files[i]});
        for (const auto& [earlierIdx, earlierFile] : earlier) {
            if (SameOutput(idx, earlierIdx)) {
                PrintError(QStringLiteral("%1: refused: %2 would give the same output %3")
                               .arg(m_run.inputs.shownName(m_options.files[index]),
                                    m_run.inputs.shownName(earlierFile), ShownPath(earlierIdx)));
                return true;
            }
        }
        return false;
    }

    // True, after saying so, when --no-overwrite leaves `file` alone: its outputs exist.
    bool leftAlone(const QString& file, FileReport& report)
    {
        const QStringList existing = ExistingOutputs(m_run, file);
        if (existing.isEmpty())
            return false;
        ReportLeftAlone(m_run.inputs.shownName(file), existing);
        report.status = 0;
        for (const QString& path : existing)
            report.existing << ReadableName(path);
        return true;
    }

    // What a stop prints from here on: the files from `next` on not converted.
    void prepareStop(qsizetype next)
    {
        m_run.stopTexts.publish(stopTextBefore(m_run, m_reports, next));
    }

    // Says that the batch stopped before file `next`, and names the files not converted.
    void endStopped(qsizetype next)
    {
        if (m_reports.isEmpty() || !m_reports.back().aborted)
            PrintLine(stderr, QStringLiteral("Operation Aborted"));
        PrintBytes(stderr, UnconvertedLines(m_options.files, next, m_run.inputs));
        m_reports = WithUnconverted(m_reports, m_options.files, next, m_run.inputs);
        ++m_failures;
    }

    RunState& m_run;
    const ConvertOptions& m_options;
    QStringList m_plannedIdx;
    QList<FileReport> m_reports;
    QList<Produced> m_produced;
    int m_failures = 0;
    int m_withSkipped = 0;
};

} // namespace

void PrepareStopBeforeBatch(RunState& run)
{
    if (!run.options.listOnly && run.options.streams.empty())
        run.stopTexts.publish(stopTextBefore(run, {}, 0));
}

int ConvertAll(RunState& run)
{
    if (!run.options.streams.empty())
        return convertStreamPair(run);
    return Batch(run).run();
}

} // namespace lumelle
