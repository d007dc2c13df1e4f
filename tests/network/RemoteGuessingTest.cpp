// Guessing the remote's PIN through the real server: from many loopback addresses at once, and what the
// server tells the clock about it.
#include "HttpExchange.h"
#include "network/ClockWebServer.h"
#include "support/FakeClock.h"

#include <QElapsedTimer>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSignalSpy>
#include <gtest/gtest.h>

namespace {

const QString Pin = QStringLiteral("73915428");

class RemoteGuessingTest : public testing::Test
{
protected:
    FakeClock clock;
    std::unique_ptr<ClockWebServer> server;

    void SetUp() override
    {
        server = std::make_unique<ClockWebServer>(Pin, clock);
        ASSERT_TRUE(server->listen(QHostAddress::LocalHost, 0));
    }

    // One pairing from the loopback address 127.0.<high>.<low>.
    HttpReply pairFrom(int high, int low, const QString& pin)
    {
        QTcpSocket socket;
        const QHostAddress from(QStringLiteral("127.0.%1.%2").arg(high).arg(low));
        EXPECT_TRUE(socket.bind(from, 0)) << socket.errorString().toStdString();
        const QByteArray body = R"({"pin":")" + pin.toLatin1() + "\"}";
        return exchange(server->httpPort(), httpRequest("POST", "/api/pair", body), &socket);
    }

    HttpReply command(const QByteArray& token)
    {
        return exchange(server->httpPort(), httpRequest("POST", "/api/command", R"({"command":"pause"})",
                                                        "Authorization: Bearer " + token + "\r\n"));
    }

    QByteArray pairedToken()
    {
        const HttpReply reply = pairFrom(0, 1, Pin);
        EXPECT_EQ(reply.status, 200) << reply.body.constData();
        return QJsonDocument::fromJson(reply.body).object()["token"].toString().toLatin1();
    }
};

} // namespace

TEST_F(RemoteGuessingTest, ASprayFromHundredsOfAddressesNeverPairs)
{
    constexpr int Addresses = 300;
    constexpr int GuessesEach = 3;
    QSignalSpy stopped(server.get(), &ClockWebServer::pairingStopped);
    QElapsedTimer spent;
    spent.start();
    QMap<int, int> statuses;
    int attempt = 0;
    for (int a = 0; a < Addresses; ++a) {
        for (int g = 0; g < GuessesEach; ++g) {
            // The right PIN comes late, as a lucky guess would.
            const bool lucky = a == Addresses - 20 && g == 1;
            const QString pin =
                lucky ? Pin : QStringLiteral("%1").arg(100000 + attempt * 7, 8, 10, QChar(u'0'));
            ++attempt;
            const HttpReply reply = pairFrom(1 + a / 200, 1 + a % 200, pin);
            ASSERT_NE(reply.status, 200) << "paired from address " << a;
            ASSERT_FALSE(reply.body.contains("token"));
            ++statuses[reply.status];
        }
        ASSERT_LT(spent.elapsed(), 60'000) << "the spray must stay bounded in time";
    }
    EXPECT_EQ(statuses.value(401), RemotePairing::MaxServerFailures);
    EXPECT_EQ(statuses.value(429), Addresses * GuessesEach - RemotePairing::MaxServerFailures);
    ASSERT_EQ(stopped.size(), 1);
    EXPECT_EQ(stopped[0][0].toLongLong(), clock.now + RemotePairing::ServerLockOutMs);
    // A phone paired before the spray goes on working; pairing opens again once the stop is over.
    clock.advance(RemotePairing::ServerLockOutMs);
    EXPECT_EQ(pairFrom(2, 250, Pin).status, 200);
}

TEST_F(RemoteGuessingTest, PairedPhonesKeepWorkingWhilePairingIsStopped)
{
    const QByteArray token = pairedToken();
    for (int i = 0; i < RemotePairing::MaxServerFailures; ++i) {
        EXPECT_EQ(pairFrom(3, 1 + i, QStringLiteral("000000")).status, 401);
    }
    const HttpReply refused = pairFrom(3, 100, Pin);
    EXPECT_EQ(refused.status, 429);
    EXPECT_TRUE(refused.body.contains("pairing is stopped")) << refused.body.constData();
    EXPECT_EQ(command(token).status, 200);
}

TEST_F(RemoteGuessingTest, ForgettingThePhonesEndsEveryToken)
{
    const QByteArray first = pairedToken();
    const QByteArray second = pairedToken();
    EXPECT_EQ(command(first).status, 200);
    server->forgetPairedPhones();
    EXPECT_EQ(command(first).status, 401);
    EXPECT_EQ(command(second).status, 401);
    EXPECT_EQ(command(pairedToken()).status, 200);
}

TEST_F(RemoteGuessingTest, RefusedCommandsAreAnsweredWithTheReason)
{
    const QByteArray token = pairedToken();
    QSignalSpy keys(server.get(), &ClockWebServer::keyRequested);
    server->refuseCommands(QStringLiteral("the clock has a dialog open"));
    const HttpReply refused = command(token);
    EXPECT_EQ(refused.status, 409);
    EXPECT_EQ(refused.body, R"({"error":"the clock has a dialog open"})");
    EXPECT_EQ(command("not a token").status, 401) << "strangers learn nothing of the clock";
    EXPECT_TRUE(keys.isEmpty());
    server->refuseCommands({});
    EXPECT_EQ(command(token).status, 200);
    EXPECT_EQ(keys.size(), 1);
}
