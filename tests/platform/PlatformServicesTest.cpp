#include "platform/QtMessageBoxes.h"
#include "platform/QtSoundPlayer.h"
#include "support/QtPrinters.h"

#include <QAbstractButton>
#include <QApplication>
#include <QAudioDevice>
#include <QFileInfo>
#include <QMediaDevices>
#include <QMessageBox>
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

// A new sound cuts off the one still playing; a missing file stops it and plays nothing. Without an
// audio device (as on the build machines) nothing fails, and the player never claims to be busy, so
// nothing waiting for it waits for ever.
TEST(QtSoundPlayer, ANewSoundCutsOffTheOneStillPlaying)
{
    const QString count =
        QFileInfo(QStringLiteral(KAVRO_SOURCE_DIR "/data/sounds/Count.wav")).absoluteFilePath();
    const QString end = QFileInfo(QStringLiteral(KAVRO_SOURCE_DIR "/data/sounds/End.wav")).absoluteFilePath();
    QtSoundPlayer player;
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
    player.play(end);
    for (int pass = 0; pass < 20; ++pass) {
        QCoreApplication::processEvents();
    }
    if (QMediaDevices::audioOutputs().isEmpty()) {
        EXPECT_FALSE(player.isPlaying()) << "no device: nothing is heard, so nothing is playing";
    }
}

} // namespace
