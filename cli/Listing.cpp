#include "cli/Listing.h"

#include "cli/ExitStatus.h"
#include "cli/InputReading.h"
#include "cli/TerminalText.h"

namespace lumelle {

namespace {

// One row per subtitle of `list`: number, start, end and text.
void printRows(const TSubtitle& list, FrameRate rate)
{
    for (int i = 1; i <= list.Count(); ++i) {
        const SubtitleLine& l = list.line(i);
        // Every text line, as the conversion draws them, joined by "|".
        QStringList lines;
        for (const std::string& line : l.TextLines())
            lines << EscapedControls(QString::fromStdString(line), false);
        PrintLine(
            stdout,
            QStringLiteral("%1\t%2\t%3\t%4")
                .arg(QString::number(i),
                     QString::fromStdString(TSubtitle::FramesToTime(StrToInt(l.StartFrame), rate)),
                     QString::fromStdString(TSubtitle::FramesToTime(StrToInt(l.EndFrame), rate)),
                     lines.join(QLatin1Char('|'))));
    }
}

} // namespace

int ListFile(const QString& file, const RunState& run)
{
    const ConvertOptions& options = run.options;
    TSubtitle list;
    PrepareReading(list, options, ReadingLanguage(file, options));
    if (!ReadInput(list, file, run))
        return 1;
    const FrameRate rate = RunFrameRate(options);
    const std::vector<TSubtitle::LanguageClass> classes = list.LanguageClasses();
    if (classes.size() < 2) {
        LanguageOfInput(file, list, run);
        printRows(list, rate);
        return list.Skipped().empty() ? 0 : kEntriesSkipped;
    }
    // A SAMI file of several languages: each class as the stream it becomes.
    bool skipped = false;
    for (const TSubtitle::LanguageClass& c : classes) {
        TSubtitle ofClass;
        PrepareReading(ofClass, options, ReadingLanguage(file, options));
        ofClass.SetLanguageClass(c.name);
        PrintLine(stderr, QStringLiteral("%1: stream of class %2")
                              .arg(run.inputs.shownName(file), QString::fromStdString(c.name)));
        if (!ReadInput(ofClass, file, run))
            return 1;
        LanguageOfInput(file, ofClass, run);
        printRows(ofClass, rate);
        skipped = skipped || !ofClass.Skipped().empty();
    }
    return skipped ? kEntriesSkipped : 0;
}

} // namespace lumelle
