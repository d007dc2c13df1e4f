// Start-up's use of the desktop and the network: the screen-saver switch and the version check, with
// the desktop faked and the upgrade server on the loopback interface.
#include "app/ClockApplication.h"
#include "display/frmClock.h"
#include "platform/CombinedScreenSaver.h"
#include "platform/modScreensaver.h"
#include "support/EventLoopWait.h"
#include "support/FakeClock.h"
#include "support/FakeMessageBoxes.h"
#include "support/FakeSoundPlayer.h"
#include "support/LocalHttpServer.h"
#include "support/ManagerDatabaseFile.h"
#include "support/QtPrinters.h"
#include "support/TempProgramFolder.h"
#include "upgrade/UpgradeContext.h"
#include "upgrade/fUpgrade.h"

#include <QElapsedTimer>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>
#include <memory>
#include <stdexcept>

namespace {

const QString ExitQuestion = "Are you sure that you want to exit KAVRO Clock?";

struct DesktopLog
{
    bool enabled = true;
    QList<bool> switches;
};

class FakeScreenSaver : public ScreenSaverBackend
{
public:
    explicit FakeScreenSaver(std::shared_ptr<DesktopLog> log) : m_log(std::move(log)) {}
    bool isActive() override { return m_log->enabled; }
    bool setActive(bool active) override
    {
        m_log->switches.append(active);
        return true;
    }

private:
    std::shared_ptr<DesktopLog> m_log;
};

class BrokenScreenSaver : public ScreenSaverBackend
{
public:
    bool isActive() override { throw std::runtime_error("no desktop"); }
    bool setActive(bool) override { throw std::runtime_error("no desktop"); }
};

class PlatformStartup : public testing::Test
{
protected:
    TempProgramFolder dir;
    FakeMessageBoxes boxes;
    FakeSoundPlayer sounds;
    FakeClock clock;
    LocalHttpServer server;
    std::shared_ptr<DesktopLog> desktop = std::make_shared<DesktopLog>();

    void configure(bool autoUpgrade, bool requiredFiles = true)
    {
        ASSERT_NO_THROW(WriteManagerDatabase(dir, autoUpgrade));
        dir.write("darvel.ini", "Level=1\r\nBlinds=Speed.blinds.csv\r\n");
        if (requiredFiles) {
            dir.copySample("blinds/Speed.blinds.csv", "blinds/Speed.blinds.csv");
            dir.copySample("prize-pool.csv", "../prize-pool.csv");
            dir.copySample("background/Blue.jpg", "background/Blue.jpg");
        }
    }
    std::unique_ptr<ClockApplication> program()
    {
        auto app = std::make_unique<ClockApplication>(dir.folders().Program, boxes, sounds, clock);
        app->setScreenSaver(std::make_unique<FakeScreenSaver>(desktop));
        app->upgrade().baseUrl = server.url("/software/upgrade/darvel/");
        return app;
    }
};

TEST(modScreensaver, FailuresCountAsNotEnabled)
{
    modScreensaver none;
    EXPECT_FALSE(none.IsScreenSaverActive());
    EXPECT_FALSE(none.SetScreenSaverActive(false));
    modScreensaver broken(std::make_unique<BrokenScreenSaver>());
    EXPECT_FALSE(broken.IsScreenSaverActive());
    EXPECT_FALSE(broken.SetScreenSaverActive(true));

    EXPECT_EQ(modScreensaver::forPlatform("offscreen"), nullptr);
    EXPECT_EQ(modScreensaver::forPlatform("minimal"), nullptr);
    EXPECT_NE(modScreensaver::forPlatform("xcb"), nullptr);
    EXPECT_NE(modScreensaver::forPlatform("wayland"), nullptr);
}

TEST(CombinedScreenSaver, OnlyTheSwitchesFoundOnAreSwitched)
{
    auto xServer = std::make_shared<DesktopLog>();
    auto service = std::make_shared<DesktopLog>();
    const auto combined = [&] {
        std::vector<std::unique_ptr<ScreenSaverBackend>> backends;
        backends.push_back(std::make_unique<FakeScreenSaver>(xServer));
        backends.push_back(std::make_unique<FakeScreenSaver>(service));
        return CombinedScreenSaver(std::move(backends));
    };

    xServer->enabled = false; // a desktop session that leaves the X server's timeout at 0
    CombinedScreenSaver desktop = combined();
    EXPECT_TRUE(desktop.isActive());
    EXPECT_TRUE(desktop.setActive(false));
    EXPECT_TRUE(desktop.setActive(true));
    EXPECT_TRUE(xServer->switches.isEmpty());
    EXPECT_EQ(service->switches, (QList<bool>{false, true}));

    service->switches.clear();
    service->enabled = false;
    CombinedScreenSaver neither = combined();
    EXPECT_FALSE(neither.isActive());
    EXPECT_FALSE(neither.setActive(false));
    EXPECT_TRUE(service->switches.isEmpty());

    xServer->enabled = service->enabled = true;
    CombinedScreenSaver both = combined();
    EXPECT_TRUE(both.setActive(false)); // asks first when nobody has
    EXPECT_EQ(xServer->switches, QList<bool>{false});
    EXPECT_EQ(service->switches, QList<bool>{false});
}

TEST_F(PlatformStartup, ScreenSaverFoundOnIsOffWhileTheClockRunsAndOnAfterANormalExit)
{
    configure(false);
    auto app = program();
    ASSERT_EQ(app->start(), std::nullopt);
    EXPECT_EQ(desktop->switches, QList<bool>{false});

    boxes.answers = {false, true};
    EXPECT_FALSE(app->screen()->close());
    EXPECT_EQ(desktop->switches, QList<bool>{false});
    EXPECT_TRUE(app->screen()->close());
    EXPECT_EQ(desktop->switches, (QList<bool>{false, true}));
    EXPECT_TRUE(server.requests().isEmpty()); // no version check unless the manager asks for it
}

TEST_F(PlatformStartup, ScreenSaverFoundOffIsNeverTouched)
{
    configure(false);
    desktop->enabled = false;
    auto app = program();
    ASSERT_EQ(app->start(), std::nullopt);
    boxes.answers = {true};
    EXPECT_TRUE(app->screen()->close());
    EXPECT_TRUE(desktop->switches.isEmpty());
}

TEST_F(PlatformStartup, MissingRequiredFileEndsWithTheScreenSaverLeftOff)
{
    configure(false, false);
    auto app = program();
    EXPECT_EQ(app->start(), 1);
    EXPECT_EQ(desktop->switches, QList<bool>{false});
}

TEST_F(PlatformStartup, VersionCheckRunsOnceTheScreenIsUpAndADeclinedUpgradeKeepsTheClock)
{
    configure(true);
    server.serve("/software/upgrade/darvel/version.txt", "1.0.7");
    boxes.answers = {false};
    bool screenVisibleWhenAsked = false;
    auto app = program();
    boxes.whileOpen = [&] { screenVisibleWhenAsked = app->screen() && app->screen()->isVisible(); };
    EXPECT_EQ(app->start(), std::nullopt);
    EXPECT_EQ(server.requests().size(), 1);
    ASSERT_EQ(boxes.questions.size(), 1);
    EXPECT_TRUE(boxes.questions[0].startsWith("A new version of this software is available! "));
    EXPECT_TRUE(screenVisibleWhenAsked);
    EXPECT_TRUE(app->screen()->isVisible());
}

TEST_F(PlatformStartup, ClosingTheClockDuringTheVersionCheckEndsTheProgram)
{
    configure(true);
    // The upgrade server takes the request and then says nothing.
    server.route("/software/upgrade/darvel/version.txt",
                 {200, QByteArray(4096, '1'), LocalHttpServer::Ending::Stall});
    boxes.answers = {true};
    auto app = program();
    QTimer::singleShot(300, [&] { app->screen()->close(); });
    QElapsedTimer waited;
    waited.start();
    EXPECT_EQ(app->start(), 0);
    EXPECT_LT(waited.elapsed(), 10000); // not the transfer's own time-out
    EXPECT_EQ(boxes.questions, QStringList{ExitQuestion});
    EXPECT_FALSE(app->screen()->isVisible());
}

TEST_F(PlatformStartup, HandOverToTheInstallerEndsAtOnceWithoutTheExitQuestion)
{
    configure(true);
    server.serve("/software/upgrade/darvel/version.txt", "1.0.7");
    server.serve("/software/upgrade/darvel/" + UpgradeContext::remoteProgramName(), "new program");
    server.serve("/software/upgrade/darvel/" + UpgradeContext::installerName(), "installer");
    boxes.answers = {true};
    auto app = program();
    QStringList started;
    app->upgrade().startInstaller = [&](const QString& installer, const QString&) {
        started.append(installer);
        return true;
    };
    app->upgrade().showDialog = [&](fUpgrade& dialog) {
        EXPECT_EQ(dialog.parentWidget(), app->screen());
        dialog.show();
        dialog.Command1->click();
    };
    EXPECT_EQ(app->start(), 0);
    EXPECT_EQ(started, QStringList{dir.programPath(UpgradeContext::installerName())});
    EXPECT_FALSE(boxes.questions.contains(ExitQuestion));
    EXPECT_EQ(desktop->switches, QList<bool>{false}); // the screen's closing steps are skipped
    EXPECT_EQ(dir.read("target"), dir.folders().Program.toUtf8() + "\r\n");
}

} // namespace
