#include "cli/TerminalText.h"

#include "platform/SystemNames.h"

#include <mutex>

namespace lumelle {

QString EscapedControls(const QString& text, bool keepLayout)
{
    QString shown;
    shown.reserve(text.size());
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        const bool layout = u == u'\n' || u == u'\t';
        if ((u < 0x20 && !(keepLayout && layout)) || (u >= 0x7F && u <= 0x9F))
            shown += QStringLiteral("\\x") +
                     QString::number(u, 16).toUpper().rightJustified(2, QLatin1Char('0'));
        else
            shown += c;
    }
    return shown;
}

QByteArray LineBytes(const QString& text)
{
    QString shown = text;
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    shown = EscapedControls(shown, true);
    return shown.toLocal8Bit() + '\n';
}

namespace {

std::mutex collectedLock;
PrintedMessages* collected = nullptr;

void keep(const QByteArray& line, bool error)
{
    const std::lock_guard lock(collectedLock);
    if (!collected)
        return;
    const QString text = QString::fromLocal8Bit(line.chopped(1));
    (error ? collected->errors : collected->warnings) << text;
}

} // namespace

CollectedMessages::CollectedMessages(PrintedMessages& into)
{
    const std::lock_guard lock(collectedLock);
    collected = &into;
}

CollectedMessages::~CollectedMessages()
{
    const std::lock_guard lock(collectedLock);
    collected = nullptr;
}

void PrintLine(FILE* to, const QString& text)
{
    // Written by length: a NUL byte quoted from a subtitle file must not cut the message.
    const QByteArray line = LineBytes(text);
    if (to == stderr)
        keep(line, false);
    PrintBytes(to, line);
}

void PrintError(const QString& text)
{
    const QByteArray line = LineBytes(text);
    keep(line, true);
    PrintBytes(stderr, line);
}

void PrintBytes(FILE* to, const QByteArray& bytes)
{
    std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), to);
}

QString ShownPath(const QString& path)
{
    return EscapedControls(ReadableName(path), false);
}

QString Counted(qsizetype count, const char* one, const char* many)
{
    return QStringLiteral("%1 %2").arg(QString::number(count),
                                       QLatin1String(count == 1 ? one : many));
}

} // namespace lumelle
