#include "cli/QtMessages.h"

#include <atomic>

namespace lumelle {

namespace {

// Qt calls its message handler as a plain function, from any thread, with nothing of ours to
// go by: this is the only way it reaches the messages of the run.
std::atomic<QtMessages*> g_messages{nullptr};

bool isRuntimeDirWarning(const QString& text)
{
    return text.startsWith(QLatin1String("QStandardPaths: ")) &&
           (text.contains(QLatin1String("XDG_RUNTIME_DIR")) ||
            text.contains(QLatin1String("runtime directory")));
}

} // namespace

QtMessages::QtMessages()
{
    g_messages.store(this);
    m_previous = qInstallMessageHandler(handle);
}

QtMessages::~QtMessages()
{
    qInstallMessageHandler(m_previous);
    g_messages.store(nullptr);
}

void QtMessages::handle(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    if (QtMessages* messages = g_messages.load())
        messages->take(type, context, text);
}

void QtMessages::take(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    if (type == QtWarningMsg && isRuntimeDirWarning(text))
        return;
    const bool problem = type == QtCriticalMsg || type == QtFatalMsg;
    if (m_mode == Mode::Held && !problem)
        m_held.append({type, QByteArray(context.category), text});
    else if (m_mode != Mode::Quiet || problem)
        m_previous(type, context, text);
}

void QtMessages::release(bool quiet)
{
    m_mode = quiet ? Mode::Quiet : Mode::Shown;
    if (!quiet) {
        for (const HeldMessage& m : std::as_const(m_held)) {
            const QMessageLogContext context(nullptr, 0, nullptr, m.category.constData());
            m_previous(m.type, context, m.text);
        }
    }
    m_held.clear();
}

} // namespace lumelle
