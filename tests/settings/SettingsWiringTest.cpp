// The settings dialog and the help screen opened from the running clock screen, as the program wires them.
#include "SettingsFakes.h"
#include "app/ClockApplication.h"
#include "display/frmClock.h"
#include "display/frmHelp.h"
#include "settings/frmClockSettings.h"
#include "support/FakeClock.h"
#include "support/FakeMessageBoxes.h"
#include "support/FakeSoundPlayer.h"
#include "support/ManagerDatabaseFile.h"
#include "support/QtPrinters.h"
#include "support/TempProgramFolder.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

namespace {

class OpenedFromTheClock : public testing::Test
{
protected:
    TempProgramFolder dir;
    FakeMessageBoxes boxes;
    FakeSoundPlayer sounds;
    FakeClock clock;
    FakeFileChooser files;
    FakeDesktopOpener desktop;
    std::unique_ptr<ClockApplication> app;

    void SetUp() override
    {
        ASSERT_NO_THROW(WriteManagerDatabase(
            dir, false,
            {"CREATE TABLE tournament (id INTEGER, event_name TEXT, date TEXT, closed INTEGER, type TEXT)",
             "INSERT INTO tournament VALUES (5, 'Friday Cup', '2026-12-04', 0, 'Freezeout')"}));
        dir.copySample("blinds/Speed.blinds.csv", "blinds/Speed.blinds.csv");
        dir.copySample("prize-pool.csv", "../prize-pool.csv");
        dir.copySample("sounds/Count.wav", "sounds/Count.wav");
        dir.copySample("sounds/End.wav", "sounds/End.wav");
        dir.write("darvel.ini", "Level=2\r\nTime=12:00\r\nBlinds=Speed.blinds.csv\r\nColor_Style=3\r\n"
                                "Tick_Sound=Count.wav\r\nEnd_Sound=End.wav\r\n");
        app = std::make_unique<ClockApplication>(dir.folders().Program, boxes, sounds, clock);
        app->setFileChooser(files);
        app->setDesktopOpener(desktop);
        ASSERT_EQ(app->start(), std::nullopt);
    }

    void TearDown() override { app.reset(); }

    bool paused() { return app->screen()->logic().clock.isPaused(); }

    // Runs inside the modal window once it is up; the window is closed afterwards whatever happened.
    void whileOpen(const std::function<void(QWidget*)>& check)
    {
        QTimer::singleShot(0, [check] {
            QWidget* modal = QApplication::activeModalWidget();
            check(modal);
            if (QWidget* still = QApplication::activeModalWidget()) {
                still->close();
            }
        });
    }
};

TEST_F(OpenedFromTheClock, F2OpensTheSettingsPausedAndASaveReachesTheClock)
{
    app->screen()->logic().clock.setPaused(false);
    bool sawDialog = false;
    whileOpen([&](QWidget* modal) {
        auto* dialog = qobject_cast<frmClockSettings*>(modal);
        ASSERT_NE(dialog, nullptr);
        sawDialog = true;
        EXPECT_TRUE(paused());
        EXPECT_EQ(dialog->parentWidget(), app->screen());
        auto* tournament = dialog->findChild<QComboBox*>("cboTourny");
        EXPECT_EQ(tournament->count(), 1);
        EXPECT_EQ(tournament->currentIndex(), -1); // a clock linked to none until the director picks one
        tournament->setCurrentText("Friday Cup");
        dialog->findChild<QLineEdit*>("txtName")->setText("Friday Cup");
        dialog->findChild<QComboBox*>("cboColor")->setCurrentText("Black");
        dialog->findChild<QPushButton*>("cmdApply")->click();
    });
    QTest::keyRelease(app->screen(), Qt::Key_F2);
    EXPECT_TRUE(sawDialog);
    EXPECT_FALSE(paused()); // running again, as before
    EXPECT_EQ(app->state().Tournament.Title, "Friday Cup");
    EXPECT_EQ(app->state().Tournament.Tournament_ID, 5);
    EXPECT_EQ(app->screen()->model().caption(ScreenElementId::lblTitle), "Friday Cup");
    EXPECT_TRUE(dir.read("darvel.ini").contains("\r\nTitle=Friday Cup\r\n"));
    EXPECT_TRUE(dir.read("darvel.ini").startsWith("Color_Style=5\r\n"));
}

TEST_F(OpenedFromTheClock, SavedCountsShowAtOnceOnAPausedOrRunningClock)
{
    for (const bool pausedBefore : {true, false}) {
        SCOPED_TRACE(pausedBefore ? "paused" : "running");
        app->screen()->logic().clock.setPaused(pausedBefore);
        const QString players = pausedBefore ? "9" : "6";
        const QString entries = pausedBefore ? "12" : "7";
        whileOpen([&](QWidget* modal) {
            ASSERT_NE(modal, nullptr);
            modal->findChild<QLineEdit*>("txtPlayers")->setText(players);
            modal->findChild<QLineEdit*>("txtEntries")->setText(entries);
            modal->findChild<QLineEdit*>("txtBuyin")->setText("100");
            modal->findChild<QPushButton*>("cmdApply")->click();
        });
        QTest::keyRelease(app->screen(), Qt::Key_F2);
        EXPECT_EQ(paused(), pausedBefore);
        const ClockScreenModel& model = app->screen()->model();
        EXPECT_EQ(model.caption(ScreenElementId::lblPlayers), players + "/" + entries);
        EXPECT_TRUE(model.caption(ScreenElementId::lblPrize).endsWith(pausedBefore ? "1,200" : "700"))
            << model.caption(ScreenElementId::lblPrize).toStdString();
        // 12 entries pay 45 % of 1,200 to the winner, 7 entries 50 % of 700.
        EXPECT_TRUE(model.caption(ScreenElementId::lblPrizePool2).contains(pausedBefore ? "540" : "350"))
            << model.caption(ScreenElementId::lblPrizePool2).toStdString();
    }
}

TEST_F(OpenedFromTheClock, F1OpensHelpAndRestoresThePauseState)
{
    for (const bool pausedBefore : {false, true}) {
        app->screen()->logic().clock.setPaused(pausedBefore);
        bool sawHelp = false;
        whileOpen([&](QWidget* modal) {
            sawHelp = qobject_cast<frmHelp*>(modal) != nullptr;
            EXPECT_TRUE(paused());
            if (modal) {
                modal->findChild<QPushButton*>("Command1")->click();
            }
        });
        QTest::keyRelease(app->screen(), Qt::Key_F1);
        EXPECT_TRUE(sawHelp);
        EXPECT_EQ(paused(), pausedBefore);
    }
}

TEST_F(OpenedFromTheClock, EditBlindsUsesTheFileChooserAndDesktopGivenToTheProgram)
{
    const QString blinds = dir.folders().Blinds + "Speed.blinds.csv";
    files.answers = {blinds};
    whileOpen([&](QWidget* modal) {
        ASSERT_NE(modal, nullptr);
        modal->findChild<QPushButton*>("cmdEditBlinds")->click();
    });
    app->screen()->settingsClicked();
    EXPECT_EQ(desktop.opened, QStringList({blinds}));
}

} // namespace
