// Start-up from the entry point to the running clock screen, with the message boxes answered by the test.
#include "app/ClockApplication.h"

#include "ClockProgramFolder.h"
#include "core/ClockSettingsFile.h"
#include "core/Guarded.h"
#include "core/RecoveryRecord.h"
#include "core/TournamentState.h"
#include "display/frmClock.h"
#include "manager/ManagerRefresher.h"
#include "support/QtPrinters.h"
#include "support/ScreenElementPrinter.h"
#include "support/SmallFileSystem.h"

#include <QApplication>
#include <QAudioDevice>
#include <QCoreApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QMediaDevices>
#include <QPushButton>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTimer>
#include <algorithm>
#include <gtest/gtest.h>

namespace {

class Startup : public testing::Test, protected ClockProgramFolder
{
protected:
    void SetUp() override { ASSERT_NO_THROW(WriteManagerDatabase(dir)); }
};

TEST_F(Startup, FirstStartWithoutRequiredFilesWelcomesThenRefusesToRun)
{
    {
        ClockApplication app(dir.folders().Program, boxes, sounds, clock);
        EXPECT_EQ(app.start(), 1);
    }
    ASSERT_EQ(boxes.shown.size(), 2);
    EXPECT_EQ(boxes.shown[0].icon, MessageBoxes::Icon::None);
    EXPECT_TRUE(boxes.shown[0].text.startsWith("Welcome to KAVRO Clock!\r\n\r\n"));
    EXPECT_EQ(boxes.shown[1].icon, MessageBoxes::Icon::Critical);
    EXPECT_TRUE(boxes.shown[1].text.contains("Blinds (" + dir.folders().Blinds + "*.blinds.csv)\r\n"));
    EXPECT_TRUE(boxes.shown[1].text.contains("Prize Pool (" + dir.folders().Parent + "prize-pool.csv or "));
    EXPECT_TRUE(QFile::exists(dir.programPath("darvel.ini"))); // the first run's file stays

    boxes.shown.clear();
    {
        ClockApplication again(dir.folders().Program, boxes, sounds, clock);
        EXPECT_EQ(again.start(), 1);
    }
    ASSERT_EQ(boxes.shown.size(), 1); // no second welcome
    EXPECT_EQ(boxes.shown[0].icon, MessageBoxes::Icon::Critical);
}

TEST_F(Startup, ClockComesUpPausedOnTheSavedLevel)
{
    addRequiredFiles();
    dir.write("darvel.ini", "Level=3\r\nTime=--:--\r\nBlinds=speed.blinds.csv\r\nPlayers=40\r\nEntries=45\r\n"
                            "Buyin=100\r\nBuyin_Chips=5000\r\nColor_Style=3\r\nBackground=Blue.jpg\r\n");
    ClockApplication app(dir.folders().Program, boxes, sounds, clock);
    ASSERT_EQ(app.start(), std::nullopt);
    EXPECT_TRUE(boxes.shown.isEmpty()) << boxes.shown.value(0).text.toStdString();
    frmClock* screen = app.screen();
    ASSERT_NE(screen, nullptr);
    EXPECT_TRUE(screen->isVisible());
    EXPECT_EQ(screen->windowTitle(), "Darvel");
    EXPECT_TRUE(screen->model().isVisible(ScreenElementId::lblPaused));
    EXPECT_EQ(app.state().Tournament.Time, "15:00");
    EXPECT_EQ(caption(app, ScreenElementId::lblLevel), "3");
    EXPECT_EQ(caption(app, ScreenElementId::lblBlinds), "75/150");
    EXPECT_EQ(caption(app, ScreenElementId::lblPlayers), "40/45");
    EXPECT_EQ(caption(app, ScreenElementId::lblPrize), "$4,500");
    EXPECT_EQ(caption(app, ScreenElementId::lblStack), "5,625");
    EXPECT_TRUE(caption(app, ScreenElementId::lblPrizePool1).startsWith("1st\r\n2nd\r\n"));
    EXPECT_EQ(screen->label(ScreenElementId::lblTimer0)->text() +
                  screen->label(ScreenElementId::lblTimer1)->text(),
              "15");
    EXPECT_EQ(caption(app, ScreenElementId::lblTotalTime), "00:30");
}

// An optional feature that does not work is told in the corner, which leaves by itself; no box stops the
// clock or sits over the digits.
TEST_F(Startup, APlayersViewThatCannotOpenIsToldInTheCornerNotInABox)
{
    addRequiredFiles();
    QTcpServer taken;
    ASSERT_TRUE(taken.listen(QHostAddress::LocalHost));
    dir.write("darvel.ini", "Level=1\r\nBlinds=speed.blinds.csv\r\n");
    dir.write("options.ini", "[Network]\r\nPlayers_View=true\r\nBind=127.0.0.1\r\nPort=" +
                                 QByteArray::number(taken.serverPort()) + "\r\n");
    ClockApplication app(dir.folders().Program, boxes, sounds, clock);
    ASSERT_EQ(app.start(), std::nullopt);
    EXPECT_TRUE(boxes.shown.isEmpty()) << boxes.shown.value(0).text.toStdString();
    const CornerNotice& notice = app.screen()->notice();
    EXPECT_TRUE(notice.isVisible());
    EXPECT_TRUE(notice.text().startsWith("The players' view could not be opened on port"))
        << notice.text().toStdString();
    EXPECT_TRUE(app.screen()->clockTick().isActive());
}

// The Test button of the options is the director's own question: without a sound output it says so in a
// message box instead of staying silent.
TEST_F(Startup, OptionsTestSaysWhenThereIsNoSoundOutput)
{
    if (!QMediaDevices::audioOutputs().isEmpty()) {
        GTEST_SKIP() << "this machine has a sound output";
    }
    addRequiredFiles();
    dir.write("darvel.ini", "Level=1\r\nBlinds=speed.blinds.csv\r\n");
    ClockApplication app(dir.folders().Program, boxes, sounds, clock);
    ASSERT_EQ(app.start(), std::nullopt);
    const QString noSound = "The computer has no sound output.";
    const auto said = [&] {
        return std::count_if(boxes.shown.begin(), boxes.shown.end(),
                             [&](const FakeMessageBoxes::Shown& box) { return box.text == noSound; });
    };
    bool tested = false;
    QElapsedTimer waited;
    waited.start();
    QTimer driver;
    QObject::connect(&driver, &QTimer::timeout, [&] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog) {
            return;
        }
        const bool done = said() > 0 || waited.elapsed() > 30000;
        if (dialog->objectName() == "frmOptions" && !tested) {
            // Queued: a timer's slot that runs a dialog's loop would hold the timer.
            QMetaObject::invokeMethod(dialog->findChild<QPushButton*>("cmdTest"), "click",
                                      Qt::QueuedConnection);
            tested = true;
        } else if (dialog->objectName() == "frmClockSettings" && !tested) {
            QMetaObject::invokeMethod(dialog->findChild<QPushButton*>("cmdOptions"), "click",
                                      Qt::QueuedConnection);
        } else if (done) {
            QMetaObject::invokeMethod(dialog, "reject", Qt::QueuedConnection);
        }
    });
    driver.start(50);
    app.screen()->settingsClicked();
    EXPECT_TRUE(tested);
    EXPECT_EQ(said(), 1) << "the Test button stayed silent";
}

TEST_F(Startup, RecountArrivingWhileADialogIsOpenIsLeftForTheNextOne)
{
    addRequiredFiles();
    dir.write("darvel.ini", "Level=1\r\nBlinds=Speed.blinds.csv\r\nRefresh=0\r\n");
    ClockApplication app(dir.folders().Program, boxes, sounds, clock);
    ASSERT_EQ(app.start(), std::nullopt);
    // Linked now; the test database has no tournament tables, so every recount fails.
    app.state().Tournament.Refresh = 5;
    app.state().Tournament.Tournament_ID = 2;
    const auto recount = [&] {
        QSignalSpy done(app.refresher(), &ManagerRefresher::finished);
        guarded(app.screen()->logic().hooks.refreshFromManager);
        return done.wait(15000);
    };

    QDialog settings(app.screen());
    settings.setModal(true);
    settings.show();
    ASSERT_TRUE(recount());
    EXPECT_TRUE(boxes.shown.isEmpty());
    EXPECT_EQ(app.state().Tournament.Refresh, 5);

    settings.close();
    ASSERT_TRUE(recount());
    ASSERT_EQ(boxes.shown.size(), 1);
    EXPECT_EQ(boxes.shown[0].icon, MessageBoxes::Icon::Warning);
    EXPECT_EQ(app.state().Tournament.Refresh, 0);
}

TEST_F(Startup, BrokenSettingsFileIsReportedAndTheClockStillStarts)
{
    addRequiredFiles();
    dir.write("darvel.ini", "Title=Kept\r\nColor_Style=blue\r\n");
    ClockApplication app(dir.folders().Program, boxes, sounds, clock);
    ASSERT_EQ(app.start(), std::nullopt);
    ASSERT_FALSE(boxes.shown.isEmpty());
    EXPECT_EQ(boxes.shown[0].icon, MessageBoxes::Icon::Warning);
    EXPECT_TRUE(boxes.shown[0].text.contains("Color_Style"));
    EXPECT_TRUE(boxes.shown[0].text.contains("goes on with the default"));
    EXPECT_EQ(caption(app, ScreenElementId::lblTitle), "Kept");
    EXPECT_EQ(app.state().Display.Color_Style, 3);
    EXPECT_EQ(app.state().Tournament.Level, 1); // never read: the default, not zero
}

TEST_F(Startup, MissingManagerConfigurationEndsTheProgram)
{
    addRequiredFiles();
    QFile::remove(dir.parentPath("kavro.ini"));
    ClockApplication app(dir.folders().Program, boxes, sounds, clock);
    const auto exitCode = app.start();
    ASSERT_TRUE(exitCode.has_value());
    EXPECT_NE(*exitCode, 0);
    EXPECT_EQ(app.screen(), nullptr);
    ASSERT_EQ(boxes.shown.size(), 1);
    EXPECT_EQ(boxes.shown[0].text, dir.folders().Parent + "kavro.ini is missing!");
    EXPECT_FALSE(QFile::exists(dir.programPath("darvel.ini")));
}

// A tournament at level 4's break with counts keyed in, in a record newer than darvel.ini.
void writeRecord(const ClockFolders& folders, const QDateTime& settingsTime)
{
    TournamentState running;
    running.Folders = folders;
    ReadWriteClockSettings(running, "read");
    running.Tournament.Level = 4;
    running.Tournament.Time = "07:12";
    running.Tournament.Entries = 45;
    running.Tournament.Players = 30;
    running.Tournament.Player_Variance = -2;
    RecoveryRecord(folders).write(running, true);
    QFile settings(folders.settingsFile());
    ASSERT_TRUE(settings.open(QIODevice::ReadWrite));
    ASSERT_TRUE(settings.setFileTime(settingsTime, QFileDevice::FileModificationTime));
}

TEST_F(Startup, NewerRecordIsResumedPausedWithOneMessageAndKeptUntilANormalExit)
{
    addRequiredFiles();
    dir.write("darvel.ini", "Level=1\r\nTime=--:--\r\nBlinds=Speed.blinds.csv\r\nTitle=Kept\r\n");
    const QByteArray settings = dir.read("darvel.ini");
    writeRecord(dir.folders(), QDateTime::currentDateTime().addSecs(-60));

    ClockApplication app(dir.folders().Program, boxes, sounds, clock);
    ASSERT_EQ(app.start(), std::nullopt);
    ASSERT_EQ(boxes.shown.size(), 1);
    EXPECT_EQ(boxes.shown[0].icon, MessageBoxes::Icon::Information);
    EXPECT_TRUE(boxes.shown[0].text.contains("the break after level 4, 07:12 left"))
        << boxes.shown[0].text.toStdString();
    const TournamentRecord& t = app.state().Tournament;
    EXPECT_EQ(t.Title, "Kept");
    EXPECT_EQ(t.Level, 4);
    EXPECT_EQ(t.Time, "07:12");
    EXPECT_EQ(t.Entries, 45);
    EXPECT_EQ(t.Player_Variance, -2);
    frmClock* screen = app.screen();
    EXPECT_TRUE(screen->model().isVisible(ScreenElementId::lblPaused));
    EXPECT_TRUE(screen->model().isVisible(ScreenElementId::lblBreakNotice));
    EXPECT_FALSE(screen->model().isVisible(ScreenElementId::lblBlinds));
    EXPECT_EQ(caption(app, ScreenElementId::lblLevel), "4");

    // A key that changes the tournament reaches the record at once.
    QKeyEvent f8(QEvent::KeyRelease, Qt::Key_F8, Qt::NoModifier);
    QCoreApplication::sendEvent(screen, &f8);
    const auto record = RecoveryRecord(dir.folders()).resumable(app.state());
    ASSERT_TRUE(record.has_value());
    EXPECT_EQ(record->Entries, 46);
    EXPECT_TRUE(record->InBreak);

    boxes.answers = {false}; // a refused exit keeps the record
    screen->close();
    EXPECT_TRUE(QFile::exists(RecoveryRecord(dir.folders()).path()));
    boxes.answers = {true};
    screen->close();
    // The window manager's close saves as the Close button does; the record stays only for the break.
    EXPECT_NE(dir.read("darvel.ini"), settings);
    EXPECT_TRUE(dir.read("darvel.ini").contains("\r\nEntries=46\r\n"));
    const auto kept = RecoveryRecord(dir.folders()).resumable(app.state());
    ASSERT_TRUE(kept.has_value());
    EXPECT_TRUE(kept->InBreak);
    EXPECT_TRUE(kept->Closed);
}

TEST_F(Startup, NormalExitInABreakResumesTheBreakWithoutAMessage)
{
    addRequiredFiles();
    dir.write("darvel.ini", "Level=1\r\nTime=--:--\r\nBlinds=Speed.blinds.csv\r\n");
    writeRecord(dir.folders(), QDateTime::currentDateTime().addSecs(-60)); // the break after level 4
    {
        ClockApplication app(dir.folders().Program, boxes, sounds, clock);
        ASSERT_EQ(app.start(), std::nullopt);
        boxes.answers = {true};
        app.screen()->close();
    }
    ASSERT_EQ(boxes.shown.size(), 1); // the crash's message
    for (int restart = 1; restart <= 2; ++restart) {
        SCOPED_TRACE(restart);
        boxes.shown.clear();
        ClockApplication app(dir.folders().Program, boxes, sounds, clock);
        ASSERT_EQ(app.start(), std::nullopt);
        EXPECT_TRUE(boxes.shown.isEmpty()) << boxes.shown.value(0).text.toStdString();
        const ClockScreenModel& model = app.screen()->model();
        EXPECT_TRUE(model.isVisible(ScreenElementId::lblBreakNotice));
        EXPECT_FALSE(model.isVisible(ScreenElementId::lblBlinds));
        EXPECT_TRUE(model.isVisible(ScreenElementId::lblPaused));
        EXPECT_EQ(app.state().Tournament.Level, 4);
        EXPECT_EQ(app.state().Tournament.Time, "07:12");
        EXPECT_EQ(app.screen()->logic().clock.levelMinutesText, "10");
        boxes.answers = {true};
        app.screen()->close();
    }
}

// The program folder on a small file system of its own, with what the clock needs to start.
class StartupOnSmallDisk : public Startup
{
protected:
    std::unique_ptr<SmallFileSystem> disk;

    void SetUp() override
    {
        Startup::SetUp();
        disk = std::make_unique<SmallFileSystem>(dir.folders().Program, 256);
        dir.copySample("blinds/Speed.blinds.csv", "blinds/Speed.blinds.csv");
        dir.copySample("prize-pool.csv", "../prize-pool.csv");
        dir.write("darvel.ini", "Level=2\r\nTime=06:00\r\nBlinds=Speed.blinds.csv\r\nBackground=\r\n"
                                "Tick_Sound=\r\nEnd_Sound=\r\n");
    }
    void TearDown() override { disk.reset(); }

    static void press(frmClock* screen, int key)
    {
        QKeyEvent event(QEvent::KeyRelease, key, Qt::NoModifier);
        QCoreApplication::sendEvent(screen, &event);
    }
    static QLabel* notice(frmClock* screen) { return screen->findChild<QLabel*>("cornerNotice"); }
};

TEST_F(StartupOnSmallDisk, FullDiskIsShownOnTheScreenAndTheRecordOutlivesTheExit)
{
    if (!disk->mounted()) {
        GTEST_SKIP() << "cannot mount a small file system (needs root)";
    }
    {
        ClockApplication app(dir.folders().Program, boxes, sounds, clock);
        ASSERT_EQ(app.start(), std::nullopt);
        frmClock* screen = app.screen();
        ASSERT_NE(notice(screen), nullptr);
        EXPECT_FALSE(notice(screen)->isVisible());
        press(screen, Qt::Key_F8);
        disk->fill();
        press(screen, Qt::Key_F8);
        ASSERT_TRUE(notice(screen)->isVisible());
        EXPECT_TRUE(notice(screen)->text().contains("No space left on device"))
            << notice(screen)->text().toStdString();
        EXPECT_TRUE(screen->clockTick().isActive());
        EXPECT_TRUE(boxes.shown.isEmpty()); // nothing that stops the clock or takes the keyboard

        boxes.answers = {false, true};
        EXPECT_FALSE(screen->close());
        ASSERT_EQ(boxes.questions.size(), 1);
        EXPECT_TRUE(boxes.questions[0].contains("darvel.ini: No space left on device"))
            << boxes.questions[0].toStdString();
        EXPECT_FALSE(boxes.questions[0].contains("canceled"));
        EXPECT_TRUE(screen->isVisible());
        EXPECT_TRUE(screen->close());
    }
    EXPECT_TRUE(QFile::exists(RecoveryRecord(dir.folders()).path())); // the only copy of the night
    boxes.shown.clear();
    ClockApplication again(dir.folders().Program, boxes, sounds, clock);
    ASSERT_EQ(again.start(), std::nullopt);
    EXPECT_EQ(again.state().Tournament.Entries, 1);
    EXPECT_EQ(again.state().Tournament.Level, 2);
    ASSERT_EQ(boxes.shown.size(), 1);
    EXPECT_TRUE(boxes.shown[0].text.startsWith("The clock did not end normally."));
}

TEST_F(StartupOnSmallDisk, ReadOnlyFolderIsShownOnTheScreenAtTheStart)
{
    if (!disk->makeReadOnly()) {
        GTEST_SKIP() << "no read-only folder: not root, and permission bits do not hold for this user";
    }
    ClockApplication app(dir.folders().Program, boxes, sounds, clock);
    ASSERT_EQ(app.start(), std::nullopt);
    frmClock* screen = app.screen();
    ASSERT_NE(notice(screen), nullptr);
    ASSERT_TRUE(notice(screen)->isVisible());
    const QString text = notice(screen)->text();
    EXPECT_TRUE(text.contains("Read-only file system") || text.contains("Permission denied"))
        << text.toStdString();
    EXPECT_TRUE(boxes.shown.isEmpty());
    press(screen, Qt::Key_F8); // still failing: still the one notice
    EXPECT_TRUE(notice(screen)->isVisible());
    EXPECT_EQ(screen->findChildren<QLabel*>("cornerNotice").size(), 1);

    boxes.answers = {true};
    EXPECT_TRUE(screen->close());
    ASSERT_EQ(boxes.questions.size(), 1);
    EXPECT_EQ(boxes.questionIcons[0], MessageBoxes::Icon::Warning);
    EXPECT_TRUE(boxes.questions[0].contains("No keeps the clock running"));
}

TEST_F(Startup, RecordOlderThanDarvelIniIsIgnored)
{
    addRequiredFiles();
    dir.write("darvel.ini", "Level=2\r\nTime=03:00\r\nBlinds=Speed.blinds.csv\r\n");
    writeRecord(dir.folders(), QDateTime::currentDateTime().addSecs(60));

    ClockApplication app(dir.folders().Program, boxes, sounds, clock);
    ASSERT_EQ(app.start(), std::nullopt);
    EXPECT_TRUE(boxes.shown.isEmpty()) << boxes.shown.value(0).text.toStdString();
    EXPECT_EQ(app.state().Tournament.Level, 2);
    EXPECT_EQ(app.state().Tournament.Time, "03:00");
    EXPECT_FALSE(app.screen()->model().isVisible(ScreenElementId::lblBreakNotice));
}

} // namespace
