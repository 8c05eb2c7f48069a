#include "subtitle/LoadReport.h"

#include <QStringList>

namespace lumelle {

QString LoadReport(const TSubtitle& list, const QString& fileName, quint8 charset)
{
    QStringList parts;
    const FileEncoding& encoding = list.Encoding();
    if (encoding.worthNaming(charset))
        parts << QStringLiteral("%1 was read as %2.").arg(fileName, encoding.description(charset));
    if (!list.RateNote().isEmpty())
        parts << QStringLiteral("The file names its own frame rate: %1.").arg(list.RateNote());
    const auto& skipped = list.Skipped();
    if (!skipped.empty()) {
        QStringList lines;
        lines << QStringLiteral("%1 %2 of %3 could not be read and %4 skipped:")
                     .arg(QString::number(skipped.size()),
                          skipped.size() == 1 ? QStringLiteral("entry") : QStringLiteral("entries"),
                          fileName,
                          skipped.size() == 1 ? QStringLiteral("was") : QStringLiteral("were"));
        const std::size_t listed = std::min(skipped.size(), std::size_t(kListedSkippedEntries));
        for (std::size_t i = 0; i < listed; ++i)
            lines << QStringLiteral("line %1: %2")
                         .arg(QString::number(skipped[i].lineNumber), skipped[i].reason);
        if (skipped.size() > listed)
            lines << QStringLiteral("... and %1 more.").arg(skipped.size() - listed);
        parts << lines.join(QLatin1Char('\n'));
    }
    if (list.Count() == 0)
        parts << QStringLiteral("No subtitle could be read from %1.").arg(fileName);
    return parts.join(QStringLiteral("\n\n"));
}

} // namespace lumelle
