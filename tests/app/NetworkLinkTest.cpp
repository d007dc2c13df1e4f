// The players' view wired into the running clock: off by default, on through options.ini.
#include "app/NetworkLink.h"

#include "app/ClockApplication.h"
#include "display/frmClock.h"
#include "network/HttpExchange.h"
#include "support/FakeClock.h"
#include "support/FakeMessageBoxes.h"
#include "support/FakeSoundPlayer.h"
#include "support/ManagerDatabaseFile.h"
#include "support/TempProgramFolder.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QTcpServer>
#include <gtest/gtest.h>

namespace {

class NetworkLinkTest : public testing::Test
{
protected:
    TempProgramFolder dir;
    FakeMessageBoxes boxes;
    FakeSoundPlayer sounds;
    FakeClock clock;
    quint16 port = 0;

    void SetUp() override
    {
        ASSERT_NO_THROW(WriteManagerDatabase(dir));
        dir.copySample("blinds/Speed.blinds.csv", "blinds/Speed.blinds.csv");
        dir.copySample("prize-pool.csv", "../prize-pool.csv");
        dir.copySample("background/Blue.jpg", "background/Blue.jpg");
        dir.copySample("sounds/Count.wav", "sounds/Count.wav");
        dir.copySample("sounds/End.wav", "sounds/End.wav");
        dir.write("darvel.ini",
                  "Title=Sunday Open\r\nLevel=2\r\nTime=--:--\r\nBlinds=speed.blinds.csv\r\n"
                  "Players=40\r\nEntries=45\r\nBuyin=100\r\nBuyin_Chips=5000\r\nColor_Style=3\r\n");
        QTcpServer probe;
        ASSERT_TRUE(probe.listen(QHostAddress::LocalHost, 0));
        port = probe.serverPort();
    }

    void options(bool on)
    {
        dir.write("options.ini",
                  QStringLiteral("[Network]\nPlayers_View=%1\nPort=%2\nBind=127.0.0.1\nRemote_PIN=1357\n")
                      .arg(on ? "true" : "false")
                      .arg(port)
                      .toUtf8());
    }

    bool portOpen()
    {
        QTcpSocket socket;
        socket.connectToHost(QHostAddress::LocalHost, port);
        runEventsUntil([&] {
            return socket.state() != QAbstractSocket::ConnectingState &&
                   socket.state() != QAbstractSocket::HostLookupState;
        });
        return socket.state() == QAbstractSocket::ConnectedState;
    }
};

} // namespace

TEST_F(NetworkLinkTest, OffByDefaultNoPortIsOpened)
{
    for (bool written : {false, true}) {
        if (written) {
            options(false);
        }
        ClockApplication app(dir.folders().Program, boxes, sounds, clock);
        ASSERT_EQ(app.start(), std::nullopt);
        EXPECT_EQ(app.network(), nullptr);
        EXPECT_FALSE(portOpen());
        EXPECT_EQ(app.screen()->findChild<QLabel*>("imgQrCode"), nullptr);
    }
}

TEST_F(NetworkLinkTest, ServesTheScreenAndTakesTheRemoteAsKeys)
{
    options(true);
    ClockApplication app(dir.folders().Program, boxes, sounds, clock);
    ASSERT_EQ(app.start(), std::nullopt);
    ASSERT_NE(app.network(), nullptr) << boxes.shown.value(0).text.toStdString();
    ClockScreenModel& model = app.screen()->model();

    HttpReply state;
    ASSERT_TRUE(runEventsUntil([&] {
        state = exchange(port, httpRequest("GET", "/api/state"));
        return state.status == 200;
    }));
    const QJsonObject json = QJsonDocument::fromJson(state.body).object();
    EXPECT_EQ(json["title"].toString(), model.caption(ScreenElementId::lblTitle));
    EXPECT_EQ(json["level"].toString(), "2");
    EXPECT_EQ(json["blinds"].toString(), model.caption(ScreenElementId::lblBlinds));
    EXPECT_TRUE(json["paused"].toBool());

    const HttpReply paired = exchange(port, httpRequest("POST", "/api/pair", R"({"pin":"1357"})"));
    ASSERT_EQ(paired.status, 200);
    const QByteArray token = QJsonDocument::fromJson(paired.body).object()["token"].toString().toLatin1();
    const auto command = [&](const QByteArray& name) {
        return exchange(port, httpRequest("POST", "/api/command", R"({"command":")" + name + "\"}",
                                          "Authorization: Bearer " + token + "\r\n"))
            .status;
    };
    EXPECT_EQ(command("pause"), 200);
    EXPECT_TRUE(runEventsUntil([&] { return !model.isVisible(ScreenElementId::lblPaused); }));
    EXPECT_EQ(command("next_level"), 200);
    EXPECT_TRUE(runEventsUntil([&] { return model.caption(ScreenElementId::lblLevel) == "3"; }));
    EXPECT_EQ(command("player_up"), 200);
    EXPECT_EQ(command("pause"), 200);
    EXPECT_TRUE(runEventsUntil([&] { return model.isVisible(ScreenElementId::lblPaused); }));
    EXPECT_EQ(app.state().Tournament.Level, 3);
    EXPECT_EQ(app.state().Tournament.Players, 41);
}

// The box on the screen shows nine lines and moves on every third second; a phone lists every place.
TEST_F(NetworkLinkTest, TheStateListsEveryPaidPlaceTheSameAtEverySecond)
{
    dir.writeParent("prize-pool.csv",
                    "Payouts\r\nPlace,2-50,51-75\r\n"
                    "1st,100,25\r\n2nd,,17\r\n3rd,,12\r\n4th,,9.5\r\n5th,,8\r\n6th,,6.5\r\n"
                    "7th,,5.5\r\n8th,,4.5\r\n9th,,4\r\n10th,,3.5\r\n11th,,2.5\r\n12th,,2\r\n");
    dir.write("darvel.ini", "Title=Sunday Open\r\nLevel=2\r\nTime=10:00\r\nBlinds=speed.blinds.csv\r\n"
                            "Players=48\r\nEntries=60\r\nBuyin=100\r\nBuyin_Chips=5000\r\n");
    options(true);
    ClockApplication app(dir.folders().Program, boxes, sounds, clock);
    ASSERT_EQ(app.start(), std::nullopt);
    ASSERT_NE(app.network(), nullptr);
    app.screen()->keyReleased(VirtualKey::Space);

    QJsonArray first;
    QStringList boxesShown;
    for (int second = 0; second < 7; ++second) {
        clock.advance(1000);
        app.screen()->clockTicked();
        const QString time = app.screen()->snapshot().time;
        HttpReply state;
        ASSERT_TRUE(runEventsUntil([&] {
            state = exchange(port, httpRequest("GET", "/api/state"));
            return QJsonDocument::fromJson(state.body).object()["time"].toString() == time;
        })) << "second "
            << second;
        const QJsonArray payouts = QJsonDocument::fromJson(state.body).object()["payouts"].toArray();
        ASSERT_EQ(payouts.size(), 12) << "second " << second;
        EXPECT_EQ(payouts[11].toObject()["place"].toString(), "12th");
        EXPECT_EQ(payouts[11].toObject()["amount"].toString(), "$120");
        if (second == 0) {
            first = payouts;
        }
        EXPECT_EQ(payouts, first) << "second " << second;
        boxesShown << app.screen()->model().caption(ScreenElementId::lblPrizePool1);
    }
    // Meanwhile the screen's box moved on.
    boxesShown.removeDuplicates();
    EXPECT_GE(boxesShown.size(), 2);
}

TEST_F(NetworkLinkTest, TheQrCodeCoversNoTextAndF3TogglesIt)
{
    options(true);
    ClockApplication app(dir.folders().Program, boxes, sounds, clock);
    ASSERT_EQ(app.start(), std::nullopt);
    ASSERT_NE(app.network(), nullptr);
    frmClock* screen = app.screen();
    screen->resize(1280, 720);
    QCoreApplication::processEvents();
    QLabel* qr = app.network()->qrCode();
    ASSERT_NE(qr, nullptr);
    EXPECT_TRUE(qr->isVisible());
    EXPECT_GE(qr->width(), 48);
    for (const ScreenElement& e : screen->model().elements()) {
        if (e.visible && e.kind != ScreenElement::Kind::Picture) {
            EXPECT_FALSE(screen->pixelRect(e).intersects(qr->geometry())) << e.name.toStdString();
        }
    }
    screen->keyReleased(VirtualKey::F3);
    EXPECT_FALSE(qr->isVisible());
    screen->keyReleased(VirtualKey::F3);
    EXPECT_TRUE(qr->isVisible());
}
