// Qt's messages while the converter runs. The warnings about XDG_RUNTIME_DIR (unset under cron,
// ssh or a container, owned by another user under sudo -E) are dropped: the converter never
// uses that folder. The others are held while the application starts and the options are
// read; then -q drops Qt's warnings and notes, and otherwise they are passed on.
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QtGlobal>

namespace lumelle {

class QtMessages
{
public:
    // Takes Qt's messages from here on, holding them.
    QtMessages();
    // Gives Qt's messages back to the handler that had them before.
    ~QtMessages();
    QtMessages(const QtMessages&) = delete;
    QtMessages& operator=(const QtMessages&) = delete;

    // Once the options are read: the held messages are dropped under -q, otherwise passed on.
    void release(bool quiet);

private:
    static void handle(QtMsgType type, const QMessageLogContext& context, const QString& text);
    void take(QtMsgType type, const QMessageLogContext& context, const QString& text);

    enum class Mode { Held, Shown, Quiet };
    struct HeldMessage
    {
        QtMsgType type;
        QByteArray category;
        QString text;
    };
    QtMessageHandler m_previous = nullptr;
    Mode m_mode = Mode::Held;
    QList<HeldMessage> m_held;
};

} // namespace lumelle
