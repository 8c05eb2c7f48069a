#include "platform/Http.h"

#include "platform/Error.h"

#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>
#include <QUrl>
#include <optional>

namespace lumelle::platform {

namespace {

// "404 Not Found": the status code and reason phrase of an error status, or nothing when the
// reply carries no error status.
std::optional<QString> errorStatusText(const QNetworkReply& reply)
{
    const QVariant code = reply.attribute(QNetworkRequest::HttpStatusCodeAttribute);
    if (!code.isValid() || code.toInt() < 400)
        return std::nullopt;
    const QString reason =
        reply.attribute(QNetworkRequest::HttpReasonPhraseAttribute).toString().trimmed();
    return reason.isEmpty() ? QString::number(code.toInt())
                            : QString::number(code.toInt()) + u' ' + reason;
}

} // namespace

QtHttpClient::QtHttpClient(int timeoutMs, qint64 maxBodyBytes)
    : m_timeoutMs(timeoutMs), m_maxBodyBytes(maxBodyBytes)
{}

QString QtHttpClient::get(const QString& address)
{
    QNetworkAccessManager manager;
    QNetworkRequest request{QUrl(address)};
    QNetworkReply* reply = manager.get(request); // owned by the manager
    // Keep no more than the page we are willing to read in memory.
    reply->setReadBufferSize(m_maxBodyBytes);

    QByteArray body;
    bool bodyFull = false;
    bool timedOut = false;
    QEventLoop loop;
    QTimer timer;
    timer.setSingleShot(true);

    auto readAvailable = [&] {
        if (bodyFull)
            return;
        body += reply->read(m_maxBodyBytes - body.size());
        if (body.size() >= m_maxBodyBytes) {
            bodyFull = true;
            loop.quit();
        }
    };
    QObject::connect(reply, &QNetworkReply::readyRead, &loop, readAvailable);
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    QObject::connect(&timer, &QTimer::timeout, &loop, [&] {
        timedOut = true;
        loop.quit();
    });

    timer.start(m_timeoutMs);
    if (!reply->isFinished())
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    timer.stop();
    QObject::disconnect(reply, nullptr, &loop, nullptr);

    if (timedOut) {
        reply->abort();
        throw Error(QStringLiteral("No answer within %1 seconds").arg(m_timeoutMs / 1000.0));
    }
    if (bodyFull) {
        // The rest of the page is not wanted; the status is known since the headers came
        // before the body.
        const std::optional<QString> status = errorStatusText(*reply);
        reply->abort();
        if (status)
            throw Error(*status);
        return QString::fromUtf8(body);
    }
    readAvailable();
    if (const std::optional<QString> status = errorStatusText(*reply))
        throw Error(*status);
    if (reply->error() != QNetworkReply::NoError)
        throw Error(reply->errorString());
    return QString::fromUtf8(body);
}

template <> HttpClientFactory& Replaceable<HttpClientFactory>::standard()
{
    static HttpClientFactory qtClients = [] { return std::make_unique<QtHttpClient>(); };
    return qtClients;
}

} // namespace lumelle::platform
