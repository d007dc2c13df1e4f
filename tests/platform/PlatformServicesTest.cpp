#include "platform/QtMessageBoxes.h"
#include "platform/QtSoundPlayer.h"
#include "support/QtPrinters.h"

#include <QAbstractButton>
#include <QApplication>
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

// Without an audio device (as on the build machines) sounds must play nothing and fail nothing.
TEST(QtSoundPlayer, MissingFilesAndDevicesAreQuiet)
{
    QtSoundPlayer player;
    player.play(QString());
    player.play(QStringLiteral(KAVRO_SOURCE_DIR "/data/sounds/No such sound.wav"));
    player.play(QStringLiteral(KAVRO_SOURCE_DIR "/data/sounds/Count.wav"));
    QCoreApplication::processEvents();
    player.play(QStringLiteral(KAVRO_SOURCE_DIR "/data/sounds/Count.wav")); // again, cutting the first off
    player.play(QStringLiteral(KAVRO_SOURCE_DIR "/data/sounds/End.wav"));
    for (int pass = 0; pass < 20; ++pass) {
        QCoreApplication::processEvents();
    }
    player.play(QStringLiteral(KAVRO_SOURCE_DIR "/data/sounds"));
    SUCCEED();
}

} // namespace
