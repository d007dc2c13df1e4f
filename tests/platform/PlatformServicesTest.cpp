#include "platform/QtMessageBoxes.h"
#include "platform/QtSoundPlayer.h"
#include "support/FakeClock.h"
#include "support/QtPrinters.h"

#include <QAbstractButton>
#include <QApplication>
#include <QAudioDevice>
#include <QFile>
#include <QFileInfo>
#include <QMediaDevices>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <gtest/gtest.h>

namespace {

// Runs inspect on the message box once it is open; inspect must close it.
void whenBoxOpens(std::function<void(QMessageBox&)> inspect)
{
    QTimer::singleShot(0, [inspect] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) {
            whenBoxOpens(inspect);
            return;
        }
        inspect(*box);
    });
}

TEST(QtMessageBoxes, ShowsTheTextWithTitleIconAndOk)
{
    QWidget owner;
    QtMessageBoxes boxes(&owner);
    bool seen = false;
    whenBoxOpens([&](QMessageBox& box) {
        seen = true;
        EXPECT_EQ(box.windowTitle(), "KAVRO Clock");
        EXPECT_EQ(box.icon(), QMessageBox::Critical);
        EXPECT_EQ(box.text(), "first line\nsecond <line>");
        EXPECT_EQ(box.textFormat(), Qt::PlainText);
        EXPECT_EQ(box.parentWidget(), &owner);
        ASSERT_NE(box.button(QMessageBox::Ok), nullptr);
        box.button(QMessageBox::Ok)->click();
    });
    boxes.show(MessageBoxes::Icon::Critical, "first line\r\nsecond <line>");
    EXPECT_TRUE(seen);
}

TEST(QtMessageBoxes, QuestionAnswersYesOrNo)
{
    QtMessageBoxes boxes;
    for (const bool yes : {true, false}) {
        whenBoxOpens([yes](QMessageBox& box) {
            EXPECT_EQ(box.icon(), QMessageBox::Question);
            EXPECT_EQ(box.windowTitle(), "KAVRO Clock");
            EXPECT_EQ(box.text(), "Are you sure that you want to exit KAVRO Clock?");
            box.button(yes ? QMessageBox::Yes : QMessageBox::No)->click();
        });
        EXPECT_EQ(boxes.ask("Are you sure that you want to exit KAVRO Clock?"), yes);
    }
    whenBoxOpens([](QMessageBox& box) {
        EXPECT_EQ(box.icon(), QMessageBox::Information);
        box.button(QMessageBox::Yes)->click();
    });
    EXPECT_TRUE(boxes.ask("A new version?", MessageBoxes::Icon::Information));
}

TEST(QtMessageBoxes, OwnerGoneMeansNoOwner)
{
    QtMessageBoxes boxes;
    {
        QWidget owner;
        boxes.setParentWindow(&owner);
    }
    QWidget* parent = reinterpret_cast<QWidget*>(1);
    whenBoxOpens([&](QMessageBox& box) {
        parent = box.parentWidget();
        box.button(QMessageBox::Ok)->click();
    });
    boxes.show(MessageBoxes::Icon::None, "x");
    EXPECT_EQ(parent, nullptr);
}

// A new sound cuts off the one still playing; a missing file stops it and plays nothing.
TEST(QtSoundPlayer, ANewSoundCutsOffTheOneStillPlaying)
{
    const QString count =
        QFileInfo(QStringLiteral(KAVRO_SOURCE_DIR "/data/sounds/Count.wav")).absoluteFilePath();
    const QString end = QFileInfo(QStringLiteral(KAVRO_SOURCE_DIR "/data/sounds/End.wav")).absoluteFilePath();
    FakeClock clock;
    QtSoundPlayer player(clock);
    player.play(QString());
    EXPECT_TRUE(player.currentSound().isEmpty());
    player.play(count);
    EXPECT_EQ(player.currentSound(), count);
    QCoreApplication::processEvents();
    player.play(end);
    EXPECT_EQ(player.currentSound(), end) << "the count sound is cut off";
    player.play(QStringLiteral(KAVRO_SOURCE_DIR "/data/sounds/No such sound.wav"));
    EXPECT_TRUE(player.currentSound().isEmpty()) << "a missing file stops the sound and plays nothing";
    EXPECT_FALSE(player.isPlaying());
    player.play(QStringLiteral(KAVRO_SOURCE_DIR "/data/sounds"));
    EXPECT_TRUE(player.currentSound().isEmpty()) << "a folder is no sound";
}

// The end sound is longer than the second between two ticks: the player is busy until it has played out,
// so an announcement waiting for it does not cut it off.
TEST(QtSoundPlayer, PlaysForTheWholeLengthOfTheSound)
{
    const QString end = QStringLiteral(KAVRO_SOURCE_DIR "/data/sounds/End.wav");
    const std::optional<WavePcm> pcm = WavePcm::read(end);
    ASSERT_TRUE(pcm);
    ASSERT_GT(pcm->durationMs(), 1300);
    FakeClock clock;
    QtSoundPlayer player(clock);
    player.play(end);
    EXPECT_TRUE(player.isPlaying());
    clock.advance(1000);
    EXPECT_TRUE(player.isPlaying()) << "one tick later the end sound still plays";
    clock.advance(pcm->durationMs() - 1000 - 1);
    EXPECT_TRUE(player.isPlaying());
    clock.advance(1000);
    EXPECT_FALSE(player.isPlaying()) << "played out, output buffer included";
    player.play(QStringLiteral(KAVRO_SOURCE_DIR "/data/sounds/No such sound.wav"));
    EXPECT_FALSE(player.isPlaying());
}

// Each file is read once and kept, so the count-down beeps start at once; a file replaced on disk is
// read again at its next play.
TEST(QtSoundPlayer, ReadsEachFileOnceUntilItChanges)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Count.wav"));
    ASSERT_TRUE(QFile::copy(QStringLiteral(KAVRO_SOURCE_DIR "/data/sounds/Count.wav"), path));
    FakeClock clock;
    QtSoundPlayer player(clock);
    for (int i = 0; i < 5; ++i) {
        player.play(path);
        clock.advance(1000);
    }
    EXPECT_EQ(player.loads(), 1);
    ASSERT_TRUE(QFile::remove(path));
    ASSERT_TRUE(QFile::copy(QStringLiteral(KAVRO_SOURCE_DIR "/data/sounds/End.wav"), path));
    player.play(path);
    EXPECT_EQ(player.loads(), 2);
    clock.advance(1200);
    EXPECT_TRUE(player.isPlaying()) << "the new, longer sound is played";
}

} // namespace
