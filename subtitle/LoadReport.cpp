#include "subtitle/LoadReport.h"

#include "platform/FontCoverage.h"

#include <QStringList>

namespace lumelle {

namespace {

// "2 entries of a.srt could not be read and were skipped:" and the first entries by line.
QString listed(const std::vector<SkippedEntry>& entries, const QString& fileName,
               const QString& before, const QString& what)
{
    const bool one = entries.size() == 1;
    QStringList lines;
    lines << QStringLiteral("%1 %2 of %3 %4%5 %6:")
                 .arg(QString::number(entries.size()),
                      one ? QStringLiteral("entry") : QStringLiteral("entries"), fileName,
                      before.isEmpty() ? QString() : before + QLatin1Char(' '),
                      one ? QStringLiteral("was") : QStringLiteral("were"), what);
    const std::size_t shown = std::min(entries.size(), std::size_t(kListedSkippedEntries));
    for (std::size_t i = 0; i < shown; ++i)
        lines << QStringLiteral("line %1: %2")
                     .arg(QString::number(entries[i].lineNumber), entries[i].reason);
    if (entries.size() > shown)
        lines << QStringLiteral("... and %1 more.").arg(entries.size() - shown);
    return lines.join(QLatin1Char('\n'));
}

} // namespace

std::vector<platform::UndrawableSubtitle> UndrawableSubtitles(const TSubtitle& list)
{
    std::vector<platform::UndrawableSubtitle> found;
    for (int i = 1; i <= list.Count(); ++i) {
        QString text;
        for (const std::string& line : list.line(i).TextLines())
            text += QString::fromStdString(line);
        if (const QString missing = platform::UndrawableCharacters(text); !missing.isEmpty())
            found.emplace_back(i, missing);
    }
    return found;
}

QString LoadReport(const TSubtitle& list, const QString& fileName, quint8 charset)
{
    QStringList parts;
    const FileEncoding& encoding = list.Encoding();
    if (encoding.guessedUnder(charset))
        parts << QStringLiteral("The encoding of %1 could not be detected; read as %2. If the "
                                "text looks wrong, choose its character set in the Font Charset "
                                "list.")
                     .arg(fileName, QString::fromStdString(encoding.codePage));
    else if (encoding.worthNaming(charset))
        parts << QStringLiteral("%1 was read as %2.").arg(fileName, encoding.description(charset));
    if (!list.RateNote().isEmpty())
        parts << QStringLiteral("The file names its own frame rate: %1.").arg(list.RateNote());
    for (const QString& note : list.ReadNotes())
        parts << QStringLiteral("%1: %2").arg(fileName, note);
    if (!list.Skipped().empty())
        parts << listed(list.Skipped(), fileName, QStringLiteral("could not be read and"),
                        QStringLiteral("skipped"));
    if (!list.Changed().empty())
        parts << listed(list.Changed(), fileName, QString(),
                        QStringLiteral("shown otherwise than written"));
    if (list.HiddenCount() == 1)
        parts << QStringLiteral("1 subtitle of %1 ends where it starts and is not shown.")
                     .arg(fileName);
    else if (list.HiddenCount() > 1)
        parts << QStringLiteral("%1 subtitles of %2 end where they start and are not shown.")
                     .arg(QString::number(list.HiddenCount()), fileName);
    if (list.EmptyCount() == 1)
        parts << QStringLiteral("1 subtitle of %1 holds no text and is not shown.").arg(fileName);
    else if (list.EmptyCount() > 1)
        parts << QStringLiteral("%1 subtitles of %2 hold no text and are not shown.")
                     .arg(QString::number(list.EmptyCount()), fileName);
    if (const auto undrawable = UndrawableSubtitles(list); !undrawable.empty())
        parts << platform::UndrawableMessage(undrawable, fileName, kListedSkippedEntries);
    if (list.Count() == 0)
        parts << QStringLiteral("No subtitle could be read from %1.").arg(fileName);
    return parts.join(QStringLiteral("\n\n"));
}

} // namespace lumelle
