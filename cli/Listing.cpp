#include "cli/Listing.h"

#include "cli/ExitStatus.h"
#include "cli/InputReading.h"
#include "cli/TerminalText.h"

namespace lumelle {

int ListFile(const QString& file, const RunState& run)
{
    const ConvertOptions& options = run.options;
    TSubtitle list;
    PrepareReading(list, options, ReadingLanguage(file, options));
    if (!ReadInput(list, file, run))
        return 1;
    LanguageOfInput(file, list, run);
    const FrameRate rate = RunFrameRate(options);
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
    return list.Skipped().empty() ? 0 : kEntriesSkipped;
}

} // namespace lumelle
