#include "network/ClockWebServer.h"

#include "HttpExchange.h"
#include "support/FakeClock.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QSignalSpy>
#include <QWebSocket>
#include <gtest/gtest.h>

namespace {

const QByteArray State = R"({"title":"Friday Night","time":"14:59","paused":false})";

class ClockWebServerTest : public testing::Test
{
protected:
    FakeClock clock;
    ClockWebServer::Limits limits = [] {
        ClockWebServer::Limits l;
        l.connection.requestTimeoutMs = 1500;
        return l;
    }();
    std::unique_ptr<ClockWebServer> server;

    void SetUp() override
    {
        server = std::make_unique<ClockWebServer>("4711", clock, limits);
        ASSERT_TRUE(server->listen(QHostAddress::LocalHost, 0));
    }

    HttpReply send(const QByteArray& raw) { return exchange(server->httpPort(), raw); }

    QByteArray pairedToken()
    {
        const HttpReply reply = send(httpRequest("POST", "/api/pair", R"({"pin":"4711"})"));
        EXPECT_EQ(reply.status, 200) << reply.body.constData();
        return QJsonDocument::fromJson(reply.body).object()["token"].toString().toLatin1();
    }

    HttpReply command(const QByteArray& body, const QByteArray& token)
    {
        return send(httpRequest("POST", "/api/command", body, "Authorization: Bearer " + token + "\r\n"));
    }
};

} // namespace

TEST_F(ClockWebServerTest, ServesThePagesWithThePushPort)
{
    // A port of its own, which the pages must carry.
    ASSERT_NE(server->pushPort(), 0);
    EXPECT_NE(server->pushPort(), server->httpPort());
    for (const QByteArray path : {"/", "/tv", "/remote"}) {
        const HttpReply reply = send(httpRequest("GET", path));
        EXPECT_EQ(reply.status, 200) << path.constData();
        EXPECT_TRUE(reply.header("Content-Type").startsWith("text/html")) << path.constData();
        EXPECT_TRUE(reply.body.contains("content=\"" + QByteArray::number(server->pushPort()) + "\""));
        EXPECT_FALSE(reply.body.contains("@PUSH_PORT@"));
        EXPECT_FALSE(reply.header("Content-Security-Policy").isEmpty());
    }
    for (const QByteArray path : {"/clock.css", "/live.js", "/players.js", "/tv.js", "/remote.js"}) {
        EXPECT_EQ(send(httpRequest("GET", path)).status, 200) << path.constData();
    }
}

TEST_F(ClockWebServerTest, TheStateIsTheLastOnePublished)
{
    EXPECT_EQ(send(httpRequest("GET", "/api/state")).status, 503);
    server->publish(State);
    const HttpReply reply = send(httpRequest("GET", "/api/state"));
    EXPECT_EQ(reply.status, 200);
    EXPECT_EQ(reply.header("Content-Type"), "application/json");
    EXPECT_EQ(reply.body, State);
    EXPECT_EQ(send(httpRequest("POST", "/api/state", "{}")).status, 405);
}

TEST_F(ClockWebServerTest, NoPathReachesBeyondThePages)
{
    for (const QByteArray path :
         {"/../etc/passwd", "/%2e%2e/%2e%2e/etc/passwd", "/..%2fetc%2fpasswd", "/%2E%2E%2F", "//etc/passwd",
          "/web/players.html", "/:/web/players.html", "/clock.css/..", "/tv/", "/index.html",
          "/api/../../etc/passwd", "/players.js%00.html", "/%00", "/api/state/..", "/REMOTE"}) {
        const HttpReply reply = send(httpRequest("GET", path));
        EXPECT_TRUE(reply.status == 404 || reply.status == 400)
            << path.constData() << " " << reply.status << reply.body.constData();
        EXPECT_FALSE(reply.body.contains("root:")) << path.constData();
    }
    // A query is no path: this is the TV page itself.
    const HttpReply tv = send(httpRequest("GET", "/tv?../../etc/passwd"));
    EXPECT_EQ(tv.status, 200);
    EXPECT_TRUE(tv.body.contains("tv.js"));
}

TEST_F(ClockWebServerTest, PairsWithThePinAndRunsCommandsOnlyWithTheToken)
{
    QSignalSpy keys(server.get(), &ClockWebServer::keyRequested);
    EXPECT_EQ(send(httpRequest("POST", "/api/command", R"({"command":"pause"})")).status, 401);
    EXPECT_EQ(command(R"({"command":"pause"})", "not-a-token").status, 401);
    EXPECT_EQ(keys.count(), 0);

    const QByteArray token = pairedToken();
    ASSERT_FALSE(token.isEmpty());
    EXPECT_EQ(command(R"({"command":"pause"})", token).status, 200);
    EXPECT_EQ(command(R"({"command":"next_level"})", token).status, 200);
    ASSERT_EQ(keys.count(), 2);
    EXPECT_EQ(keys[0][0].value<VirtualKey>(), VirtualKey::Space);
    EXPECT_EQ(keys[1][0].value<VirtualKey>(), VirtualKey::F6);
}

TEST_F(ClockWebServerTest, RefusesBadCommandsClearly)
{
    QSignalSpy keys(server.get(), &ClockWebServer::keyRequested);
    const QByteArray token = pairedToken();
    struct Case
    {
        QByteArray body;
        int status;
    };
    const Case cases[] = {
        {R"({"command":"self_destruct"})", 400},
        {R"({"command":"help"})", 400},
        {R"({"command":"pause")", 400},
        {R"({"command":"pause"} trailing)", 400},
        {R"(["pause"])", 400},
        {R"({"command":1})", 400},
        {R"({"command":"pause","pin":"4711"})", 400},
        {"", 400},
        {"\xff\xfe\x00", 400},
        {QByteArray(2000, 'a'), 413},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(command(c.body, token).status, c.status) << c.body.left(40).constData();
    }
    const QByteArray form =
        "POST /api/command HTTP/1.1\r\nHost: 127.0.0.1\r\nAuthorization: Bearer " + token +
        "\r\nContent-Type: application/x-www-form-urlencoded\r\nContent-Length: 13\r\n\r\n"
        "command=pause";
    EXPECT_EQ(send(form).status, 415);
    EXPECT_EQ(send(httpRequest("GET", "/api/command")).status, 405);
    EXPECT_EQ(keys.count(), 0);
}

TEST_F(ClockWebServerTest, AFloodOfPinGuessesIsLockedOut)
{
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(
            send(httpRequest("POST", "/api/pair", R"({"pin":"000)" + QByteArray::number(i) + "\"}")).status,
            401);
    }
    for (int i = 0; i < 50; ++i) {
        const HttpReply reply = send(httpRequest("POST", "/api/pair", R"({"pin":"4711"})"));
        ASSERT_EQ(reply.status, 429) << i;
        EXPECT_EQ(reply.header("Retry-After"), "60");
    }
    clock.advance(RemotePairing::LockOutMs);
    EXPECT_FALSE(pairedToken().isEmpty());
    EXPECT_EQ(send(httpRequest("POST", "/api/pair", R"({"pin":4711})")).status, 400);
}

TEST_F(ClockWebServerTest, OversizedRequestsAreRefusedAndTheServerGoesOn)
{
    // Far more than any request of a page: answered 413 before it is all read.
    const QByteArray huge(4 * 1024 * 1024, 'x');
    const QByteArray raw =
        "POST /api/pair HTTP/1.1\r\nHost: 127.0.0.1\r\nContent-Type: application/json\r\nContent-Length: " +
        QByteArray::number(huge.size()) + "\r\n\r\n" + huge;
    EXPECT_EQ(send(raw).status, 413);
    const QByteArray header =
        "GET / HTTP/1.1\r\nHost: 127.0.0.1\r\nX-Padding: " + QByteArray(64 * 1024, 'y') + "\r\n\r\n";
    EXPECT_EQ(send(header).status, 413);
    server->publish(State);
    EXPECT_EQ(send(httpRequest("GET", "/api/state")).body, State);
}

TEST_F(ClockWebServerTest, ASlowClientIsDroppedWhileOthersAreServed)
{
    QTcpSocket slow;
    slow.connectToHost(QHostAddress::LocalHost, server->httpPort());
    ASSERT_TRUE(runEventsUntil([&] { return slow.state() == QAbstractSocket::ConnectedState; }));
    slow.write("GET / HTTP/1.1\r\nHost: 127.0.0.1\r\n");
    server->publish(State);
    EXPECT_EQ(send(httpRequest("GET", "/api/state")).status, 200);
    EXPECT_TRUE(runEventsUntil([&] { return slow.state() == QAbstractSocket::UnconnectedState; }));
}

TEST_F(ClockWebServerTest, LivePagesOfThisClockGetEveryStateOthersAreTurnedAway)
{
    server->publish(State);
    const QString ours = QStringLiteral("http://127.0.0.1:%1").arg(server->httpPort());
    const QString push = QStringLiteral("ws://127.0.0.1:%1/").arg(server->pushPort());
    QWebSocket page(ours);
    QStringList received;
    QObject::connect(&page, &QWebSocket::textMessageReceived,
                     [&](const QString& text) { received.append(text); });
    page.open(QUrl(push));
    ASSERT_TRUE(runEventsUntil([&] { return received.size() == 1; }));
    EXPECT_EQ(received[0].toUtf8(), State);
    server->publish(R"({"time":"14:58"})");
    ASSERT_TRUE(runEventsUntil([&] { return received.size() == 2; }));
    EXPECT_EQ(received[1], R"({"time":"14:58"})");

    for (const QString& origin : {QStringLiteral("http://evil.example"), QStringLiteral("http://127.0.0.1:1"),
                                  QStringLiteral("https://127.0.0.1:%1").arg(server->httpPort()),
                                  QStringLiteral("http://localhost.evil:%1").arg(server->httpPort())}) {
        QWebSocket stranger(origin);
        int messages = 0;
        QObject::connect(&stranger, &QWebSocket::textMessageReceived, [&] { ++messages; });
        bool closed = false;
        QObject::connect(&stranger, &QWebSocket::disconnected, [&] { closed = true; });
        stranger.open(QUrl(push));
        EXPECT_TRUE(runEventsUntil([&] { return closed; })) << origin.toStdString();
        EXPECT_EQ(messages, 0) << origin.toStdString();
    }
    EXPECT_EQ(server->liveClients(), 1);
}
