#include "display/CornerNotice.h"

#include <QSignalSpy>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

class CornerNoticeTest : public ::testing::Test
{
protected:
    QWidget screen;
    CornerNotice* notice = new CornerNotice(&screen);

    void SetUp() override
    {
        screen.resize(1280, 720);
        screen.show();
    }
};

// Each source has one line; a save problem stays until it is mended, a feature's notice leaves by itself.
TEST_F(CornerNoticeTest, EachSourceHasItsLineAndFeatureLinesLeaveByThemselves)
{
    EXPECT_FALSE(notice->isVisible());
    notice->showSaveProblem("No space left on device");
    notice->post("announcements", "The computer has no sound output.", 50);
    notice->post("players-view", "The players' view could not be opened on port 8080.", 50);
    notice->post("announcements", "The computer has no sound output!", 150);
    ASSERT_TRUE(notice->isVisible());
    EXPECT_EQ(notice->text(), "The tournament cannot be saved: No space left on device\n"
                              "The clock keeps running and keeps trying.\n"
                              "The computer has no sound output!\n"
                              "The players' view could not be opened on port 8080.");
    QTest::qWait(100);
    EXPECT_TRUE(notice->line("players-view").isEmpty()) << "gone after its time";
    EXPECT_EQ(notice->line("announcements"), "The computer has no sound output!") << "a new post, a new time";
    QTest::qWait(150);
    EXPECT_TRUE(notice->line("announcements").isEmpty());
    EXPECT_TRUE(notice->isVisible()) << "the save problem stays";
    notice->showSaveProblem(QString());
    EXPECT_FALSE(notice->isVisible());
}

// Bottom left, out of the keys' and the pointer's way, and still there after a resize.
TEST_F(CornerNoticeTest, SitsInTheBottomLeftCornerAndTakesNoKeys)
{
    notice->post("players-view", "The players' view could not be opened.", CornerNotice::FeatureMs);
    EXPECT_EQ(notice->focusPolicy(), Qt::NoFocus);
    EXPECT_TRUE(notice->testAttribute(Qt::WA_TransparentForMouseEvents));
    for (const QSize size : {QSize(1280, 720), QSize(1024, 768)}) {
        screen.resize(size);
        QCoreApplication::processEvents();
        EXPECT_EQ(notice->x(), 8);
        EXPECT_EQ(notice->geometry().bottom() + 1, size.height() - 8);
        EXPECT_LE(notice->width(), size.width() / 3);
    }
}

} // namespace
