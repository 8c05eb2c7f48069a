// HTTP client double: records what it was asked and answers from a queue of bodies and errors
// (an empty body when the queue is empty).
#pragma once

#include "platform/Error.h"
#include "platform/Http.h"

#include <QList>
#include <QStringList>
#include <deque>
#include <memory>
#include <optional>

namespace lumelle::platform {

class FakeHttpClient : public HttpClient
{
public:
    struct Answer
    {
        QString body;
        std::optional<QString> error; // thrown as lumelle::Error when set
    };
    struct Log
    {
        QStringList hosts;
        QList<int> ports;
        QStringList addresses;
    };

    // The log and the queue are shared so that a test keeps them after handing the client
    // over to its user.
    explicit FakeHttpClient(
        std::shared_ptr<Log> log = std::make_shared<Log>(),
        std::shared_ptr<std::deque<Answer>> answers = std::make_shared<std::deque<Answer>>())
        : m_log(std::move(log)), m_answers(std::move(answers))
    {}

    void setHost(const QString& host) override { m_log->hosts << host; }
    void setPort(int port) override { m_log->ports << port; }
    QString get(const QString& address) override
    {
        m_log->addresses << address;
        if (m_answers->empty())
            return QString();
        const Answer answer = m_answers->front();
        m_answers->pop_front();
        if (answer.error)
            throw Error(*answer.error);
        return answer.body;
    }

    Log& log() { return *m_log; }
    void queueBody(const QString& body) { m_answers->push_back({body, std::nullopt}); }
    void queueError(const QString& error) { m_answers->push_back({QString(), error}); }

private:
    std::shared_ptr<Log> m_log;
    std::shared_ptr<std::deque<Answer>> m_answers;
};

} // namespace lumelle::platform
