#include "platform/FontCoverage.h"

#include <QFont>
#include <QFontMetrics>
#include <QGlyphRun>
#include <QGuiApplication>
#include <QStringList>
#include <QTextLayout>

#include <mutex>
#include <unordered_map>

namespace lumelle::platform {

namespace {

// Whether some font draws `c`: the default font when it holds the character, else the font
// the text engine falls back to for it, which gives glyph 0 (the empty box) when none has it.
bool drawable(char32_t c)
{
    static const QFont font;
    if (QFontMetrics(font).inFontUcs4(uint(c)))
        return true;
    QTextLayout layout(QString::fromUcs4(&c, 1), font);
    layout.beginLayout();
    layout.createLine();
    layout.endLayout();
    for (const QGlyphRun& run : layout.glyphRuns()) {
        for (quint32 glyph : run.glyphIndexes()) {
            if (glyph == 0)
                return false;
        }
    }
    return true;
}

bool asked(char32_t c)
{
    switch (QChar::category(c)) {
    case QChar::Separator_Space:
    case QChar::Separator_Line:
    case QChar::Separator_Paragraph:
    case QChar::Other_Control:
    case QChar::Other_Format:
    case QChar::Other_NotAssigned:
    case QChar::Other_Surrogate:
    case QChar::Mark_NonSpacing:
    case QChar::Mark_SpacingCombining:
    case QChar::Mark_Enclosing:
        return false;
    default:
        return true;
    }
}

} // namespace

QString UndrawableCharacters(const QString& text)
{
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return QString();
    // Each character is asked about once per process: a film repeats few thousand.
    static std::mutex mutex;
    static std::unordered_map<char32_t, bool> known;
    QString missing;
    const std::u32string characters = text.toStdU32String();
    for (char32_t c : characters) {
        if (c < 0x80 || !asked(c))
            continue;
        bool can = true;
        {
            std::lock_guard<std::mutex> lock(mutex);
            const auto found = known.find(c);
            if (found != known.end()) {
                can = found->second;
            } else {
                can = drawable(c);
                known.emplace(c, can);
            }
        }
        const QString one = QString::fromUcs4(&c, 1);
        if (!can && !missing.contains(one))
            missing += one;
    }
    return missing;
}

QString UndrawableMessage(const std::vector<UndrawableSubtitle>& found, const QString& fileName,
                          std::size_t listed)
{
    QStringList lines;
    const QString subtitles = found.size() == 1 ? QStringLiteral("1 subtitle")
                                                : QStringLiteral("%1 subtitles").arg(found.size());
    lines << QStringLiteral("%1 %2 characters that no installed font can draw; they show as "
                            "empty boxes. Install a font for their script (the README names the "
                            "Debian packages):")
                 .arg(fileName.isEmpty() ? subtitles
                                         : QStringLiteral("%1 of %2").arg(subtitles, fileName),
                      found.size() == 1 ? QStringLiteral("holds") : QStringLiteral("hold"));
    for (std::size_t i = 0; i < found.size() && i < listed; ++i)
        lines << QStringLiteral("subtitle %1: %2").arg(found[i].first).arg(found[i].second);
    if (found.size() > listed)
        lines << QStringLiteral("... and %1 more.").arg(found.size() - listed);
    return lines.join(QLatin1Char('\n'));
}

} // namespace lumelle::platform
