// The players' view wired into the running clock: off by default, on through options.ini.
#include "app/NetworkLink.h"

#include "ClockProgramFolder.h"
#include "app/ClockApplication.h"
#include "display/frmClock.h"
#include "network/HttpExchange.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QPushButton>
#include <QTcpServer>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

class NetworkLinkTest : public testing::Test, protected ClockProgramFolder
{
protected:
    quint16 port = 0;

    void SetUp() override
    {
        ASSERT_NO_THROW(WriteManagerDatabase(dir));
        addRequiredFiles();
        dir.write("darvel.ini",
                  "Title=Sunday Open\r\nLevel=2\r\nTime=--:--\r\nBlinds=speed.blinds.csv\r\n"
                  "Players=40\r\nEntries=45\r\nBuyin=100\r\nBuyin_Chips=5000\r\nColor_Style=3\r\n");
        // The live push takes the next port, so both must be free.
        for (int tries = 0; tries < 50 && port == 0; ++tries) {
            QTcpServer probe;
            QTcpServer next;
            if (probe.listen(QHostAddress::LocalHost, 0) && probe.serverPort() < 65535 &&
                next.listen(QHostAddress::LocalHost, probe.serverPort() + 1)) {
                port = probe.serverPort();
            }
        }
        ASSERT_NE(port, 0);
    }

    void options(bool on, const QString& pin = QStringLiteral("135799"))
    {
        dir.write("options.ini",
                  QStringLiteral("[Network]\nPlayers_View=%1\nPort=%2\nBind=127.0.0.1\nRemote_PIN=%3\n")
                      .arg(on ? "true" : "false")
                      .arg(port)
                      .arg(pin)
                      .toUtf8());
    }

    HttpReply pair(const QByteArray& pin)
    {
        return exchange(port, httpRequest("POST", "/api/pair", R"({"pin":")" + pin + R"("})"));
    }

    QByteArray pairedToken()
    {
        const HttpReply paired = pair("135799");
        EXPECT_EQ(paired.status, 200) << paired.body.constData();
        return QJsonDocument::fromJson(paired.body).object()["token"].toString().toLatin1();
    }

    HttpReply command(const QByteArray& token, const QByteArray& name)
    {
        return exchange(port, httpRequest("POST", "/api/command", R"({"command":")" + name + R"("})",
                                          "Authorization: Bearer " + token + "\r\n"));
    }

    static QLabel* notice(ClockApplication& app) { return &app.screen()->notice(); }

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

    const QByteArray token = pairedToken();
    const auto command = [&](const QByteArray& name) { return this->command(token, name).status; };
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

TEST_F(NetworkLinkTest, ACommandWhileADialogIsOpenIsRefusedWith409)
{
    options(true);
    ClockApplication app(dir.folders().Program, boxes, sounds, clock);
    ASSERT_EQ(app.start(), std::nullopt);
    ASSERT_NE(app.network(), nullptr);
    app.screen()->show();
    const QByteArray token = pairedToken();
    ClockScreenModel& model = app.screen()->model();
    ASSERT_TRUE(model.isVisible(ScreenElementId::lblPaused));

    QDialog dialog(app.screen());
    dialog.setWindowModality(Qt::ApplicationModal);
    dialog.show();
    QCoreApplication::processEvents();
    ASSERT_NE(QApplication::activeModalWidget(), nullptr);
    HttpReply refused;
    // The server hears of the dialog through the event loop; a command meanwhile is dropped as before.
    ASSERT_TRUE(runEventsUntil([&] {
        refused = command(token, "pause");
        return refused.status == 409;
    })) << refused.status;
    EXPECT_EQ(refused.body, R"({"error":"the clock has a dialog open"})");
    QCoreApplication::processEvents();
    EXPECT_TRUE(model.isVisible(ScreenElementId::lblPaused)) << "the refused pause did not run";

    dialog.close();
    HttpReply taken;
    ASSERT_TRUE(runEventsUntil([&] {
        taken = command(token, "pause");
        return taken.status != 409;
    }));
    EXPECT_EQ(taken.status, 200);
    EXPECT_TRUE(runEventsUntil([&] { return !model.isVisible(ScreenElementId::lblPaused); }));
}

TEST_F(NetworkLinkTest, APinTheRemoteCannotUseLeavesItOffAndTheScreenSaysWhy)
{
    options(true, QStringLiteral("4711"));
    ClockApplication app(dir.folders().Program, boxes, sounds, clock);
    ASSERT_EQ(app.start(), std::nullopt);
    ASSERT_NE(app.network(), nullptr) << "the players' view stays on";
    EXPECT_TRUE(boxes.shown.isEmpty()) << "a notice, not a box over the clock";
    EXPECT_EQ(pair("4711").status, 403);
    QLabel* shown = notice(app);
    ASSERT_NE(shown, nullptr);
    EXPECT_FALSE(shown->isHidden());
    EXPECT_EQ(shown->text(), "The remote is off: Remote_PIN in options.ini must be 6 to 12 digits.");
    EXPECT_EQ(shown->focusPolicy(), Qt::NoFocus);
    EXPECT_TRUE(shown->testAttribute(Qt::WA_TransparentForMouseEvents));
}

TEST_F(NetworkLinkTest, GuessingStopsPairingAndTheScreenSaysSoUntilItIsOver)
{
    options(true);
    ClockApplication app(dir.folders().Program, boxes, sounds, clock);
    ASSERT_EQ(app.start(), std::nullopt);
    ASSERT_NE(app.network(), nullptr);
    QLabel* shown = notice(app);
    ASSERT_NE(shown, nullptr);
    EXPECT_TRUE(shown->isHidden());
    // Ten wrong PINs within ten minutes, the address's own lock-out waited out half-way.
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(pair("000000").status, 401) << i;
        if (i == 4) {
            clock.advance(60'000);
        }
    }
    EXPECT_EQ(pair("135799").status, 429);
    ASSERT_TRUE(runEventsUntil([&] { return !shown->isHidden(); }));
    EXPECT_EQ(shown->text(),
              "Too many wrong remote PINs: no phone can pair for 1 minute. Paired phones keep working.");
    // A further wrong PIN once it is over stops pairing for two minutes, counted down on the screen.
    clock.advance(60'000);
    EXPECT_EQ(pair("000000").status, 401);
    ASSERT_TRUE(runEventsUntil([&] { return shown->text().contains("for 2 minutes"); }))
        << shown->text().toStdString();
    clock.advance(60'000);
    ASSERT_TRUE(runEventsUntil([&] { return shown->text().contains("for 1 minute."); }))
        << shown->text().toStdString();
    clock.advance(60'000);
    EXPECT_TRUE(runEventsUntil([&] { return shown->isHidden(); }));
    EXPECT_EQ(pair("135799").status, 200);
}

TEST_F(NetworkLinkTest, ForgettingThePairedPhonesEndsTheirTokensAtOnce)
{
    options(true);
    ClockApplication app(dir.folders().Program, boxes, sounds, clock);
    ASSERT_EQ(app.start(), std::nullopt);
    ASSERT_NE(app.network(), nullptr);
    const QByteArray token = pairedToken();
    EXPECT_EQ(command(token, "player_up").status, 200);
    app.network()->service().forgetPairedPhones();
    EXPECT_EQ(command(token, "player_up").status, 401);
}

// Options closed with OK: the players' view opens, moves to a new PIN and closes without a restart.
TEST_F(NetworkLinkTest, ChangedOptionsTakeEffectAtOnceAndTheSameOnesKeepThePairedPhones)
{
    ClockApplication app(dir.folders().Program, boxes, sounds, clock);
    ASSERT_EQ(app.start(), std::nullopt);
    ASSERT_EQ(app.network(), nullptr);
    const auto qrCodes = [&] { return app.screen()->findChildren<QLabel*>("imgQrCode").size(); };

    options(true);
    app.applyNetworkOptions();
    ASSERT_NE(app.network(), nullptr);
    EXPECT_TRUE(portOpen());
    EXPECT_EQ(qrCodes(), 1);
    const QByteArray token = pairedToken();

    NetworkLink* const running = app.network();
    app.applyNetworkOptions();
    EXPECT_EQ(app.network(), running);
    EXPECT_EQ(command(token, "player_up").status, 200);

    options(true, QStringLiteral("24680246"));
    app.applyNetworkOptions();
    ASSERT_NE(app.network(), nullptr);
    EXPECT_EQ(command(token, "player_up").status, 401);
    EXPECT_EQ(pair("135799").status, 401);
    EXPECT_EQ(pair("24680246").status, 200);
    EXPECT_EQ(qrCodes(), 1);

    options(false);
    app.applyNetworkOptions();
    EXPECT_EQ(app.network(), nullptr);
    EXPECT_FALSE(portOpen());
    EXPECT_EQ(qrCodes(), 0);
    app.screen()->keyReleased(VirtualKey::F3); // nothing to show or hide, and nothing breaks
    EXPECT_EQ(qrCodes(), 0);
}

// The director switches the players' view on in Options over the running clock; the pages answer before
// the settings are closed.
TEST_F(NetworkLinkTest, SwitchedOnInOptionsTheViewOpensWithoutARestart)
{
    options(false);
    ClockApplication app(dir.folders().Program, boxes, sounds, clock);
    ASSERT_EQ(app.start(), std::nullopt);
    ASSERT_EQ(app.network(), nullptr);
    bool switchedOn = false;
    bool openedAtOnce = false;
    QTimer driver;
    QObject::connect(&driver, &QTimer::timeout, [&] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog) {
            return;
        }
        if (dialog->objectName() == "frmOptions" && !switchedOn) {
            dialog->findChild<QCheckBox*>("chkPlayersView")->setChecked(true);
            QMetaObject::invokeMethod(dialog, "accept", Qt::QueuedConnection);
            switchedOn = true;
        } else if (dialog->objectName() == "frmClockSettings" && !switchedOn) {
            QMetaObject::invokeMethod(dialog->findChild<QPushButton*>("cmdOptions"), "click",
                                      Qt::QueuedConnection);
        } else if (dialog->objectName() == "frmClockSettings") {
            openedAtOnce = app.network() != nullptr;
            QMetaObject::invokeMethod(dialog, "reject", Qt::QueuedConnection);
        }
    });
    driver.start(50);
    app.screen()->settingsClicked();
    EXPECT_TRUE(switchedOn);
    EXPECT_TRUE(openedAtOnce);
    ASSERT_NE(app.network(), nullptr);
    EXPECT_TRUE(portOpen());
}
