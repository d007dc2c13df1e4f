#include "HttpExchange.h"
#include "network/ClientFrameReader.h"
#include "network/ClockWebServer.h"
#include "network/HostCheck.h"
#include "support/FakeClock.h"

#include <QDir>
#include <QJsonDocument>
#include <QJsonObject>
#include <arpa/inet.h>
#include <cerrno>
#include <gtest/gtest.h>
#include <memory>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>
#include <vector>

namespace {

const QByteArray State = R"({"title":"Friday Night","time":"14:59","paused":false})";

int openDescriptors()
{
    return int(QDir(QStringLiteral("/proc/self/fd")).entryList(QDir::Files | QDir::System).size());
}

class ServerResilienceTest : public testing::Test
{
protected:
    FakeClock clock;
    ClockWebServer::Limits limits;
    std::unique_ptr<ClockWebServer> server;
    std::vector<std::unique_ptr<QTcpSocket>> held;

    void start()
    {
        server = std::make_unique<ClockWebServer>("4711", clock, limits);
        server->setHostNames({QStringLiteral("clock.example")});
        ASSERT_TRUE(server->listen(QHostAddress::Any, 0));
        server->publish(State);
    }

    // A connection from source that stays open; false when it could not be made.
    QTcpSocket* hold(const char* source, quint16 port)
    {
        auto socket = std::make_unique<QTcpSocket>();
        if (!socket->bind(QHostAddress(QString::fromLatin1(source)))) {
            return nullptr;
        }
        socket->connectToHost(QHostAddress::LocalHost, port);
        held.push_back(std::move(socket));
        return held.back().get();
    }

    bool allConnected()
    {
        return runEventsUntil([&] {
            for (const auto& socket : held) {
                if (socket->state() != QAbstractSocket::ConnectedState &&
                    socket->state() != QAbstractSocket::UnconnectedState) {
                    return false;
                }
            }
            return true;
        });
    }

    HttpReply send(const QByteArray& raw) { return exchange(server->httpPort(), raw); }

    HttpReply from(const char* source, const QByteArray& raw)
    {
        QTcpSocket socket;
        socket.bind(QHostAddress(QString::fromLatin1(source)));
        return exchange(server->httpPort(), raw, &socket);
    }

    static QByteArray handshake(const QByteArray& host)
    {
        return "GET / HTTP/1.1\r\nHost: " + host +
               "\r\nUpgrade: websocket\r\nConnection: Upgrade\r\nSec-WebSocket-Key: "
               "dGhlIHNhbXBsZSBub25jZQ==\r\n"
               "Sec-WebSocket-Version: 13\r\n\r\n";
    }
};

} // namespace

TEST_F(ServerResilienceTest, ARefusedConnectionHoldsNoDescriptor)
{
    limits.budget.maxConnections = 8;
    start();
    for (int i = 0; i < 8; ++i) {
        ASSERT_NE(hold("127.0.0.1", server->httpPort()), nullptr);
    }
    ASSERT_TRUE(allConnected());
    ASSERT_TRUE(runEventsUntil([&] { return server->budget().total() == 8; }));
    // Raw sockets that stay open: only the server can end these connections.
    const int before = openDescriptors();
    std::vector<int> clients;
    for (int i = 0; i < 100; ++i) {
        const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK, 0);
        sockaddr_in to{};
        to.sin_family = AF_INET;
        to.sin_port = htons(server->httpPort());
        to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        const int connected = ::connect(fd, reinterpret_cast<sockaddr*>(&to), sizeof to);
        ASSERT_TRUE(connected == 0 || errno == EINPROGRESS);
        clients.push_back(fd);
        QCoreApplication::processEvents();
    }
    // Every client has its answer once the server has dealt with its connection.
    ASSERT_TRUE(runEventsUntil([&] {
        char peek = 0;
        for (const int fd : clients) {
            if (::recv(fd, &peek, 1, MSG_PEEK | MSG_DONTWAIT) <= 0) {
                return false;
            }
        }
        return true;
    }));
    EXPECT_EQ(openDescriptors(), before + 100) << "refused connections are still held";
    char answer[256] = {};
    EXPECT_GT(::recv(clients.front(), answer, sizeof answer - 1, MSG_DONTWAIT), 0);
    EXPECT_TRUE(QByteArray(answer).startsWith("HTTP/1.1 503")) << answer;
    for (const int fd : clients) {
        ::close(fd);
    }
    EXPECT_EQ(server->budget().total(), 8);
}

TEST_F(ServerResilienceTest, OneAddressHoldingHundredsOfConnectionsLocksNoOneElseOut)
{
    start();
    for (int i = 0; i < 600; ++i) {
        ASSERT_NE(hold("127.0.0.2", server->httpPort()), nullptr);
    }
    ASSERT_TRUE(allConnected());
    runEventsUntil([&] { return server->budget().from(QHostAddress("127.0.0.2")) == 32; });
    EXPECT_EQ(server->budget().from(QHostAddress("127.0.0.2")), 32);
    EXPECT_EQ(from("127.0.0.2", httpRequest("GET", "/api/state")).status, 503);
    const HttpReply other = from("127.0.0.3", httpRequest("GET", "/api/state"));
    EXPECT_EQ(other.status, 200);
    EXPECT_EQ(other.body, State);
    EXPECT_EQ(from("127.0.0.1", httpRequest("GET", "/tv")).status, 200);
}

TEST_F(ServerResilienceTest, LivePagesCountTowardsTheAddressesShare)
{
    limits.budget.maxPerAddress = 4;
    start();
    for (int i = 0; i < 3; ++i) {
        QTcpSocket* page = hold("127.0.0.4", server->pushPort());
        ASSERT_NE(page, nullptr);
        page->write(handshake("127.0.0.1:" + QByteArray::number(server->pushPort())));
    }
    ASSERT_TRUE(allConnected());
    ASSERT_TRUE(runEventsUntil([&] { return server->liveClients() == 3; }));
    QTcpSocket keep;
    keep.bind(QHostAddress("127.0.0.4"));
    EXPECT_EQ(exchange(server->httpPort(), httpRequest("GET", "/api/state"), &keep).status, 200);
    EXPECT_EQ(from("127.0.0.4", httpRequest("GET", "/api/state")).status, 503);
    QTcpSocket* refused = hold("127.0.0.4", server->pushPort());
    refused->write(handshake("127.0.0.1"));
    EXPECT_TRUE(runEventsUntil([&] { return refused->state() == QAbstractSocket::UnconnectedState; }));
    EXPECT_TRUE(refused->readAll().startsWith("HTTP/1.1 503"));
    EXPECT_EQ(server->liveClients(), 3);
}

TEST_F(ServerResilienceTest, AnIdleKeepAliveGivesWayAfterFiveSecondsWhenOthersWait)
{
    limits.budget.maxPerAddress = 3;
    start();
    std::vector<std::unique_ptr<QTcpSocket>> idle;
    for (int i = 0; i < 3; ++i) {
        idle.push_back(std::make_unique<QTcpSocket>());
        idle.back()->bind(QHostAddress("127.0.0.5"));
        ASSERT_EQ(exchange(server->httpPort(), httpRequest("GET", "/api/state"), idle.back().get()).status,
                  200);
        clock.advance(1000);
    }
    EXPECT_EQ(from("127.0.0.5", httpRequest("GET", "/api/state")).status, 503);
    clock.advance(ConnectionBudget::Limits{}.idleCloseMs - 2000);
    EXPECT_EQ(from("127.0.0.5", httpRequest("GET", "/api/state")).status, 200);
    EXPECT_TRUE(runEventsUntil([&] { return idle[0]->state() == QAbstractSocket::UnconnectedState; }));
    EXPECT_EQ(idle[1]->state(), QAbstractSocket::ConnectedState);
    EXPECT_EQ(idle[2]->state(), QAbstractSocket::ConnectedState);
}

TEST_F(ServerResilienceTest, OnlyThisMachinesNamesAreServed)
{
    start();
    const QByteArray port = QByteArray::number(server->httpPort());
    const QByteArray machine = HostCheck::localMachineName().toLatin1();
    struct Case
    {
        QByteArray host;
        int status;
    };
    const Case cases[] = {
        {"127.0.0.1", 200},
        {"127.0.0.1:" + port, 200},
        {"127.0.0.9:" + port, 200},
        {"localhost:" + port, 200},
        {"LocalHost", 200},
        {"[::1]:" + port, 200},
        {machine + ":" + port, 200},
        {machine + ".local:" + port, 200},
        {"Clock.Example:" + port, 200},
        {"evil.example", 421},
        {"evil.example:" + port, 421},
        {"localhost.evil.example", 421},
        {"127.0.0.1.evil.example", 421},
        {"clock.example.evil", 421},
        {"8.8.8.8", 421},
        {"2130706433", 421},
        {"", 421},
        {"127.0.0.1:http", 421},
    };
    for (const Case& c : cases) {
        for (const QByteArray path : {"/", "/api/state", "/api/pair"}) {
            const QByteArray method = path == "/api/pair" ? "POST" : "GET";
            const QByteArray body = path == "/api/pair" ? R"({"pin":"4711"})" : QByteArray();
            QByteArray raw = method + ' ' + path + " HTTP/1.1\r\nHost: " + c.host + "\r\n";
            if (!body.isEmpty()) {
                raw +=
                    "Content-Type: application/json\r\nContent-Length: " + QByteArray::number(body.size()) +
                    "\r\n";
            }
            const HttpReply reply = send(raw + "\r\n" + body);
            EXPECT_EQ(reply.status, c.status) << c.host.constData() << " " << path.constData();
            if (c.status == 421) {
                EXPECT_TRUE(reply.body.isEmpty()) << c.host.constData();
                EXPECT_EQ(reply.header("Content-Length"), "0");
            }
        }
    }
}

TEST_F(ServerResilienceTest, ThePushPortChecksTheHostToo)
{
    start();
    const QByteArray push = QByteArray::number(server->pushPort());
    for (const QByteArray& host : {QByteArray("evil.example:") + push, QByteArray("10.255.255.1")}) {
        QTcpSocket* page = hold("127.0.0.1", server->pushPort());
        page->write(handshake(host));
        EXPECT_TRUE(runEventsUntil([&] { return page->state() == QAbstractSocket::UnconnectedState; }));
        EXPECT_FALSE(page->readAll().contains("Friday Night")) << host.constData();
    }
    QTcpSocket* ours = hold("127.0.0.1", server->pushPort());
    ours->write(handshake("localhost:" + push));
    QByteArray received;
    EXPECT_TRUE(runEventsUntil([&] {
        received += ours->readAll();
        return received.contains("Friday Night");
    }));
}

TEST_F(ServerResilienceTest, AnUnmaskedFrameEndsTheLivePageWithAProtocolError)
{
    start();
    QTcpSocket* page = hold("127.0.0.1", server->pushPort());
    page->write(handshake("127.0.0.1"));
    QByteArray received;
    ASSERT_TRUE(runEventsUntil([&] {
        received += page->readAll();
        return received.contains("Friday Night");
    }));
    ASSERT_EQ(server->liveClients(), 1);
    received.clear();
    page->write(QByteArray("\x81\x05hello", 7));
    EXPECT_TRUE(runEventsUntil([&] {
        received += page->readAll();
        return page->state() == QAbstractSocket::UnconnectedState;
    }));
    received += page->readAll();
    // A close frame with code 1002.
    EXPECT_TRUE(received.contains(QByteArray("\x88\x02\x03\xea", 4))) << received.toHex().constData();
    EXPECT_TRUE(runEventsUntil([&] { return server->liveClients() == 0; }));
}

TEST_F(ServerResilienceTest, HttpAnswersCloseWhenAskedAndCarryTheirHeaders)
{
    start();
    const auto stillOpen = [&](const QByteArray& raw) {
        QTcpSocket socket;
        const HttpReply reply = exchange(server->httpPort(), raw, &socket);
        EXPECT_NE(reply.status, 0) << raw.left(40).constData();
        runEventsUntil([&] { return socket.state() == QAbstractSocket::UnconnectedState; }, 500);
        return socket.state() == QAbstractSocket::ConnectedState;
    };
    EXPECT_TRUE(stillOpen(httpRequest("GET", "/api/state")));
    EXPECT_FALSE(stillOpen("GET /api/state HTTP/1.0\r\nHost: 127.0.0.1\r\n\r\n"));
    EXPECT_FALSE(stillOpen(httpRequest("GET", "/api/state", {}, "Connection: close\r\n")));
    EXPECT_FALSE(stillOpen(httpRequest("GET", "/api/state", {}, "Connection: Keep-Alive, Close\r\n")));
    EXPECT_FALSE(stillOpen(httpRequest("POST", "/api/pair", QByteArray(2000, 'a'))));

    for (const QByteArray path : {"/", "/tv", "/clock.css", "/api/state"}) {
        const HttpReply get = send(httpRequest("GET", path));
        QTcpSocket socket;
        const QByteArray head = "HEAD " + path + " HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n";
        socket.connectToHost(QHostAddress::LocalHost, server->httpPort());
        socket.write(head);
        QByteArray data;
        runEventsUntil([&] {
            data += socket.readAll();
            return data.contains("\r\n\r\n");
        });
        runEventsUntil([] { return false; }, 200);
        data += socket.readAll();
        const HttpReply reply = parseReply(data);
        EXPECT_EQ(reply.status, 200) << path.constData();
        EXPECT_EQ(reply.header("Content-Length").toLongLong(), get.body.size()) << path.constData();
        EXPECT_TRUE(reply.body.isEmpty()) << path.constData();
    }

    const HttpReply wrongMethod = send(httpRequest("DELETE", "/api/state"));
    EXPECT_EQ(wrongMethod.status, 405);
    EXPECT_EQ(wrongMethod.header("Allow"), "GET, HEAD");
    EXPECT_EQ(send(httpRequest("GET", "/api/pair")).header("Allow"), "POST");
    EXPECT_EQ(send(httpRequest("PUT", "/tv", "{}")).header("Allow"), "GET, HEAD");

    for (int i = 0; i < RemotePairing::MaxFailures; ++i) {
        send(httpRequest("POST", "/api/pair", R"({"pin":"0000"})"));
    }
    const HttpReply ok = send(httpRequest("GET", "/"));
    for (const HttpReply& error : {send(httpRequest("POST", "/api/pair", R"({"pin":"0000"})")),
                                   send(httpRequest("GET", "/nothing")), wrongMethod}) {
        EXPECT_GE(error.status, 400);
        for (const QByteArray name : {"Content-Security-Policy", "X-Frame-Options", "Referrer-Policy",
                                      "X-Content-Type-Options", "Cache-Control"}) {
            EXPECT_EQ(error.header(name), ok.header(name)) << error.status << " " << name.constData();
        }
    }
}

TEST_F(ServerResilienceTest, TheBearerSchemeIsAcceptedInAnyCase)
{
    start();
    const HttpReply paired = send(httpRequest("POST", "/api/pair", R"({"pin":"4711"})"));
    const QByteArray token = QJsonDocument::fromJson(paired.body).object()["token"].toString().toLatin1();
    ASSERT_FALSE(token.isEmpty());
    for (const QByteArray scheme : {"Bearer", "bearer", "BEARER", "bEaReR"}) {
        EXPECT_EQ(send(httpRequest("POST", "/api/command", R"({"command":"pause"})",
                                   "Authorization: " + scheme + " " + token + "\r\n"))
                      .status,
                  200)
            << scheme.constData();
    }
    EXPECT_EQ(send(httpRequest("POST", "/api/command", R"({"command":"pause"})",
                               "Authorization: Bearer " + token.toUpper() + "x\r\n"))
                  .status,
              401);
}

TEST(ConnectionBudgetLimits, AQuarterOfTheOpenFilesAtMost768)
{
    const std::pair<qint64, int> cases[] = {{-1, 512}, {256, 64}, {1024, 256}, {4096, 768}, {1048576, 768}};
    for (const auto& [openFiles, connections] : cases) {
        EXPECT_EQ(ConnectionBudget::Limits::forOpenFileLimit(openFiles).maxConnections, connections)
            << openFiles;
    }
}

TEST(HostCheck, NamesAndAddresses)
{
    HostCheck check({QStringLiteral("Tv.Example."), QStringLiteral(" ")}, QStringLiteral("ClockBox"));
    const std::pair<QByteArray, bool> cases[] = {
        {"clockbox", true},
        {"clockbox.local:8088", true},
        {"CLOCKBOX.", true},
        {"tv.example", true},
        {"tv.example.:80", true},
        {"[::1]", true},
        {"[::1]x", false},
        {"[::1", false},
        {"clockbox.lan", false},
        {"ex.tv.example", false},
        {"clockbox:", false},
        {"clockbox:99999", false},
        {"127.1", false},
        {"0x7f000001", false},
        {" ", false},
        {"localhost:8088", true},
        {"[fe80::1]", false},
        {"127.255.255.254", true},
    };
    for (const auto& [host, allowed] : cases) {
        EXPECT_EQ(check.allows(host), allowed) << host.constData();
    }
}

TEST(ClientFrameReader, FramesFromPages)
{
    const auto masked = [](quint8 first, const QByteArray& payload) {
        QByteArray frame;
        frame += char(first);
        if (payload.size() < 126) {
            frame += char(0x80 | payload.size());
        } else {
            frame += char(0x80 | 126);
            frame += char(payload.size() >> 8);
            frame += char(payload.size() & 0xFF);
        }
        const QByteArray mask("\x11\x22\x33\x44", 4);
        frame += mask;
        for (qsizetype i = 0; i < payload.size(); ++i) {
            frame += char(payload[i] ^ mask[i % 4]);
        }
        return frame;
    };
    using Status = ClientFrameReader::Status;
    struct Case
    {
        const char* name;
        QByteArray bytes;
        Status status;
        quint8 opcode;
        QByteArray payload;
    };
    const Case cases[] = {
        {"text", masked(0x81, "hello"), Status::Frame, 1, "hello"},
        {"ping", masked(0x89, "p"), Status::Frame, 9, "p"},
        {"close", masked(0x88, QByteArray("\x03\xe8", 2)), Status::Frame, 8, QByteArray("\x03\xe8", 2)},
        {"long", masked(0x82, QByteArray(300, 'x')), Status::Frame, 2, QByteArray(300, 'x')},
        {"half", masked(0x81, "hello").left(5), Status::NeedMore, 0, {}},
        {"unmasked", QByteArray("\x81\x05hello", 7), Status::Unmasked, 0, {}},
        {"reserved bits", masked(0xC1, "x"), Status::Invalid, 0, {}},
        {"unknown opcode", masked(0x83, "x"), Status::Invalid, 0, {}},
        {"fragmented ping", masked(0x09, "x"), Status::Invalid, 0, {}},
        {"too large", masked(0x82, QByteArray(2000, 'x')), Status::TooLarge, 0, {}},
        {"huge length", QByteArray("\x82\xff\x7f\xff\xff\xff\xff\xff\xff\xff", 10), Status::TooLarge, 0, {}},
    };
    for (const Case& c : cases) {
        ClientFrameReader reader;
        reader.append(c.bytes);
        ClientFrameReader::Frame frame;
        EXPECT_EQ(reader.next(&frame), c.status) << c.name;
        if (c.status == Status::Frame) {
            EXPECT_EQ(frame.opcode, c.opcode) << c.name;
            EXPECT_EQ(frame.payload, c.payload) << c.name;
            EXPECT_EQ(reader.next(&frame), Status::NeedMore) << c.name;
        }
    }
}
