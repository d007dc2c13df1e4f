#include "ProvisionalLayout.h"

#include "ClockScreenModel.h"
#include "QtTextMeasurer.h"

#include <gtest/gtest.h>

namespace {

class ProvisionalLayoutTest : public testing::Test
{
protected:
    QtTextMeasurer measurer;
    ClockScreenModel screen{measurer};
    const ScreenElement& at(const char* name) { return screen.element(QString::fromLatin1(name)); }
    int layout() { return ProvisionalLayout::apply(screen, RgbColour{1, 2, 3}, 9); }
};

TEST_F(ProvisionalLayoutTest, LongTitleStaysCentred)
{
    screen.setCaption("lblTitle", "Sunday");
    layout();
    const int shortLeft = at("lblTitle").left;
    EXPECT_EQ(shortLeft, screen.screenWidth() / 2 - at("lblTitle").width / 2);
    screen.setCaption("lblTitle", QString(200, u'W'));
    layout();
    EXPECT_LT(at("lblTitle").left, 0) << "wider than the window";
    EXPECT_EQ(at("lblTitle").left, screen.screenWidth() / 2 - at("lblTitle").width / 2);
}

TEST_F(ProvisionalLayoutTest, PayoutBoxHoldsTenLinesAndTheBarCoversTheFirstPlace)
{
    const int line = layout();
    EXPECT_GT(line, 0);
    EXPECT_EQ(at("Shape2").height, 10 * line + 100);
    EXPECT_EQ(at("Shape1").top, at("lblPrizePool1").top);
    EXPECT_EQ(at("Shape1").height, line);
    EXPECT_EQ(at("lblPrizePool1").height, 9 * line);
    EXPECT_EQ(at("Shape3").top, at("Shape2").top);
    EXPECT_EQ(at("Shape3").height, at("Shape2").height);
    EXPECT_EQ(at("Shape3").left + at("Shape3").width + 100, screen.screenWidth());
}

TEST_F(ProvisionalLayoutTest, DigitsShrinkToLayoutSizeInTheDigitColour)
{
    layout();
    for (int i = 0; i < ClockScreenModel::DigitCount; ++i) {
        EXPECT_EQ(screen.timer(i).fontSize, 150);
        EXPECT_EQ(screen.timer(i).foreColour, (RgbColour{1, 2, 3}));
        EXPECT_EQ(screen.timer(i).top, 1800);
    }
    EXPECT_EQ(screen.timer(4).left, screen.timer(3).left + screen.timer(3).width + 100);
}

TEST_F(ProvisionalLayoutTest, BlindsPanelsFollowTheBlindsWidth)
{
    screen.setCaption("lblBlinds", "25/50");
    layout();
    const int narrow = at("shpBlinds").width;
    screen.setCaption("lblBlinds", "25,000/50,000");
    layout();
    EXPECT_GT(at("shpBlinds").width, narrow);
    EXPECT_EQ(at("shpNext").width, at("shpBlinds").width);
    EXPECT_EQ(at("shpNext").left, at("shpBlinds").left);
    EXPECT_EQ(at("lblNextAnteCaption").left + at("lblNextAnteCaption").width,
              at("lblBlindsCaption").left + at("lblBlindsCaption").width);
    // totals: each caption 150 below the value above it
    EXPECT_EQ(at("lblBreakCaption").top, at("lblTotalTime").top + at("lblTotalTime").height + 150);
    EXPECT_EQ(at("lblPrize").top, at("lblPrizeCaption").top + at("lblPrizeCaption").height);
}

} // namespace
