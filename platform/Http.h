// The HTTP client: a blocking GET of one small page. The Qt client runs a local event loop
// that leaves user input waiting, reads at most a few kilobytes and gives up after a time-out.
#pragma once

#include "platform/Replaceable.h"

#include <QString>
#include <functional>
#include <memory>

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

// Makes the HTTP client for each update check.
using HttpClientFactory = std::function<std::unique_ptr<HttpClient>()>;

// The factory of Qt clients unless another one is installed.
template <> HttpClientFactory& Replaceable<HttpClientFactory>::standard();

inline std::unique_ptr<HttpClient> makeHttpClient()
{
    return Replaceable<HttpClientFactory>::current()();
}

// Installs a factory for the lifetime of this object.
using ScopedHttpClientFactory = Replaceable<HttpClientFactory>::Scoped;

} // namespace lumelle::platform
