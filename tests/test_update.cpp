// The update check against a small HTTP server on 127.0.0.1 run by the test itself. The GET
// blocks in a nested event loop, which also serves the server's sockets in this thread.
#include "doubles/FakeHttpClient.h"
#include "doubles/RecordingMessages.h"
#include "doubles/RecordingShell.h"
#include "platform/Error.h"
#include "platform/Http.h"
#include "update/Updater.h"

#include <QHostAddress>
#include <QTcpServer>
#include <QTcpSocket>
#include <gtest/gtest.h>

using namespace lumelle;
using namespace lumelle::platform;

namespace {

// Answers every request with one canned reply, or never answers at all.
class LocalHttpServer
{
public:
    LocalHttpServer()
    {
        m_server.listen(QHostAddress::LocalHost, 0);
        QObject::connect(&m_server, &QTcpServer::newConnection, &m_server, [this] {
            while (QTcpSocket* socket = m_server.nextPendingConnection()) {
                socket->setParent(&m_server);
                QObject::connect(socket, &QTcpSocket::readyRead, socket,
                                 [this, socket] { serve(socket); });
            }
        });
    }

    bool isListening() const { return m_server.isListening(); }
    int port() const { return m_server.serverPort(); }

    void answer(const QByteArray& statusLine, const QByteArray& body)
    {
        m_reply = "HTTP/1.1 " + statusLine + "\r\nContent-Type: text/html\r\nContent-Length: " +
                  QByteArray::number(body.size()) + "\r\nConnection: close\r\n\r\n" + body;
    }
    void answerOk(const QByteArray& body) { answer("200 OK", body); }
    void stayQuiet() { m_reply.clear(); }

    // The request lines received ("GET /path HTTP/1.1") and their Host headers.
    const QList<QByteArray>& requestLines() const { return m_requestLines; }
    const QList<QByteArray>& hostHeaders() const { return m_hostHeaders; }

private:
    void serve(QTcpSocket* socket)
    {
        QByteArray& request = m_pending[socket];
        request += socket->readAll();
        if (!request.contains("\r\n\r\n"))
            return;
        const QList<QByteArray> lines = request.split('\n');
        m_requestLines << lines.first().trimmed();
        for (const QByteArray& line : lines) {
            if (line.toLower().startsWith("host:"))
                m_hostHeaders << line.mid(5).trimmed();
        }
        m_pending.remove(socket);
        if (m_reply.isEmpty())
            return;
        socket->write(m_reply);
        socket->disconnectFromHost();
    }

    QTcpServer m_server;
    QByteArray m_reply;
    QHash<QTcpSocket*, QByteArray> m_pending;
    QList<QByteArray> m_requestLines;
    QList<QByteArray> m_hostHeaders;
};

// A loopback port on which nothing listens.
int closedPort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    const int port = probe.serverPort();
    probe.close();
    return port;
}

const QString kDownloadPage = QStringLiteral("http://127.0.0.1/divx/SoftwareLumelle.html");
using Outcome = UpdateCheckResult::Outcome;

class UpdateCheck : public testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(server.isListening()); }

    UpdateSite site(int port) const
    {
        return {QStringLiteral("127.0.0.1"), port,
                QStringLiteral("divx/Versions/LumelleVersion.html"), kDownloadPage,
                QStringLiteral("http")};
    }
    UpdateCheckResult check() { return CheckSite(QStringLiteral("3.2"), site(server.port())); }

    LocalHttpServer server;
};

TEST_F(UpdateCheck, SameVersionIsUpToDateAndAsksTheVersionPage)
{
    server.answerOk("3.2");
    EXPECT_EQ(check(), (UpdateCheckResult{Outcome::UpToDate, QString()}));
    ASSERT_EQ(server.requestLines().size(), 1);
    EXPECT_EQ(server.requestLines()[0], "GET /divx/Versions/LumelleVersion.html HTTP/1.1");
    EXPECT_EQ(server.hostHeaders().value(0), "127.0.0.1:" + QByteArray::number(server.port()));
    EXPECT_EQ(UpdaterCount(), 0) << "the check destroys its updater";
}

TEST_F(UpdateCheck, AnyOtherPageCountsAsAnUpdateGivenExactly)
{
    // A newer number, a trailing line break, an older number and the same number written
    // differently are all "different", and the page is kept exactly as it came.
    for (const char* page : {"3.3", "3.2\n", "3.1", "3.20"}) {
        server.answerOk(page);
        EXPECT_EQ(check(), (UpdateCheckResult{Outcome::UpdateFound, QString::fromLatin1(page)}));
    }
}

TEST_F(UpdateCheck, MissingPageIsServerDown)
{
    server.answer("404 Not Found", "<html>Not Found</html>");
    EXPECT_EQ(check(), (UpdateCheckResult{Outcome::ServerDown, "404 Not Found"}));
}

TEST_F(UpdateCheck, OtherErrorStatusIsOfflineWithTheStatus)
{
    server.answer("500 Internal Server Error", "3.3");
    EXPECT_EQ(check(), (UpdateCheckResult{Outcome::Offline, "500 Internal Server Error"}));
    // A 404 with another reason phrase is not the missing page of the check.
    server.answer("404 Gone Fishing", "");
    EXPECT_EQ(check(), (UpdateCheckResult{Outcome::Offline, "404 Gone Fishing"}));
}

TEST_F(UpdateCheck, RefusedConnectionIsOffline)
{
    EXPECT_EQ(CheckSite(QStringLiteral("3.2"), site(closedPort())),
              (UpdateCheckResult{Outcome::Offline, "Connection refused"}));
}

TEST_F(UpdateCheck, EmptyPageIsNothingToSay)
{
    server.answerOk("");
    EXPECT_EQ(check(), (UpdateCheckResult{Outcome::EmptyPage, QString()}));
    EXPECT_EQ(server.requestLines().size(), 1);
}

TEST_F(UpdateCheck, SilentServerTimesOutOfflineNamingTheTime)
{
    server.stayQuiet();
    HttpClientFactory quickClients = [] { return std::make_unique<QtHttpClient>(300); };
    ScopedHttpClientFactory useQuickClients(&quickClients);
    const UpdateCheckResult result = check();
    EXPECT_EQ(result, (UpdateCheckResult{Outcome::Offline, "No answer within 0.3 seconds"}));
}

TEST_F(UpdateCheck, SecondUpdaterIsRefusedWhileOneIsAlive)
{
    std::unique_ptr<TUpdater> first = CreateUpdater();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(UpdaterCount(), 1);
    EXPECT_EQ(CreateUpdater(), nullptr);
    EXPECT_EQ(UpdaterCount(), 1);
    // The button's check is refused the same way and asks nothing.
    server.answerOk("3.3");
    EXPECT_EQ(check(), (UpdateCheckResult{Outcome::Refused, QString()}));
    EXPECT_TRUE(server.requestLines().isEmpty());

    first.reset();
    EXPECT_EQ(UpdaterCount(), 0);
    EXPECT_NE(CreateUpdater(), nullptr) << "a new updater is allowed once the old one is gone";
}

TEST(UpdateSiteOfMaker, AsksTheConfiguredHostOverHttpsForTheVersionPage)
{
    auto log = std::make_shared<FakeHttpClient::Log>();
    auto answers = std::make_shared<std::deque<FakeHttpClient::Answer>>();
    answers->push_back({QStringLiteral("3.3"), std::nullopt});
    HttpClientFactory fakeClients = [=] { return std::make_unique<FakeHttpClient>(log, answers); };
    ScopedHttpClientFactory useFakeClients(&fakeClients);

    const UpdateCheckResult result = CheckSite(QStringLiteral("3.2"), officialUpdateSite());

    EXPECT_EQ(result, (UpdateCheckResult{Outcome::UpdateFound, "3.3"}));
    const QString host = QStringLiteral(LUMELLE_SITE_HOST);
    EXPECT_EQ(log->hosts, QStringList{host});
    EXPECT_EQ(log->ports, QList<int>{443});
    EXPECT_EQ(log->addresses,
              QStringList{"https://" + host + ":443/divx/Versions/LumelleVersion.html"});
    EXPECT_EQ(officialUpdateSite().downloadPage, "https://" + host + "/divx/SoftwareLumelle.html");
}

TEST(QtHttpClientGet, ReadsAtMostFourKilobytes)
{
    LocalHttpServer server;
    ASSERT_TRUE(server.isListening());
    server.answerOk(QByteArray(200000, 'x'));
    QtHttpClient client;
    const QString body =
        client.get(QStringLiteral("http://127.0.0.1:%1/big.html").arg(server.port()));
    EXPECT_EQ(body.size(), 4096);
    EXPECT_EQ(body, QString(4096, u'x'));
}

TEST(QtHttpClientGet, ErrorStatusWinsOverALargeBody)
{
    LocalHttpServer server;
    ASSERT_TRUE(server.isListening());
    server.answer("404 Not Found", QByteArray(50000, 'e'));
    QtHttpClient client;
    try {
        client.get(QStringLiteral("http://127.0.0.1:%1/missing.html").arg(server.port()));
        ADD_FAILURE() << "an error status must throw";
    } catch (const Error& e) {
        EXPECT_EQ(e.message(), "404 Not Found");
    }
}

TEST(QtHttpClientGet, BodyIsReadAsUtf8Text)
{
    LocalHttpServer server;
    ASSERT_TRUE(server.isListening());
    server.answerOk("3.3 \xc3\xa9t\xc3\xa9");
    QtHttpClient client;
    EXPECT_EQ(client.get(QStringLiteral("http://127.0.0.1:%1/v").arg(server.port())),
              QString::fromUtf8("3.3 \xc3\xa9t\xc3\xa9"));
}

} // namespace
