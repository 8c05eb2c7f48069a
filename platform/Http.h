// The HTTP client: a blocking GET of one small page. The Qt client runs a local event loop
// that leaves user input waiting, reads at most a few kilobytes and gives up after a time-out;
// the test double answers from a script.
#pragma once

#include <QString>
#include <QStringList>
#include <deque>
#include <functional>
#include <memory>
#include <optional>

namespace lumelle::platform {

class HttpClient
{
public:
    virtual ~HttpClient() = default;
    virtual void setHost(const QString& host) = 0;
    virtual void setPort(int port) = 0;
    // GETs a full address ("http://host:port/path") and returns the body as text. Throws
    // lumelle::Error: for an error status its code and reason phrase ("404 Not Found"),
    // otherwise a description of the network error.
    virtual QString get(const QString& address) = 0;
};

class QtHttpClient : public HttpClient
{
public:
    static constexpr int kDefaultTimeoutMs = 15000;
    static constexpr qint64 kDefaultMaxBodyBytes = 4096;

    explicit QtHttpClient(int timeoutMs = kDefaultTimeoutMs,
                          qint64 maxBodyBytes = kDefaultMaxBodyBytes);

    void setHost(const QString& host) override { m_host = host; }
    void setPort(int port) override { m_port = port; }
    // The body is cut after maxBodyBytes; the whole request, name lookup included, may take
    // timeoutMs at most.
    QString get(const QString& address) override;

    const QString& host() const { return m_host; }
    int port() const { return m_port; }

private:
    QString m_host;
    int m_port = 80;
    int m_timeoutMs;
    qint64 m_maxBodyBytes;
};

// Test double: records what it was asked and answers from a queue of bodies and errors
// (an empty body when the queue is empty).
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
        std::shared_ptr<std::deque<Answer>> answers = std::make_shared<std::deque<Answer>>());

    void setHost(const QString& host) override { m_log->hosts << host; }
    void setPort(int port) override { m_log->ports << port; }
    QString get(const QString& address) override;

    Log& log() { return *m_log; }
    void queueBody(const QString& body) { m_answers->push_back({body, std::nullopt}); }
    void queueError(const QString& error) { m_answers->push_back({QString(), error}); }

private:
    std::shared_ptr<Log> m_log;
    std::shared_ptr<std::deque<Answer>> m_answers;
};

// Makes the HTTP client for each update check: the Qt client unless a test installed its own
// factory. Installing an empty factory puts the Qt client back; returns the previous factory.
using HttpClientFactory = std::function<std::unique_ptr<HttpClient>()>;
std::unique_ptr<HttpClient> makeHttpClient();
HttpClientFactory setHttpClientFactory(HttpClientFactory factory);

} // namespace lumelle::platform
