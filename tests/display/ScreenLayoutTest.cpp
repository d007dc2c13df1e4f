#include "display/ScreenLayout.h"

#include "core/ClockScreenModel.h"
#include "display/ColorStyle.h"
#include "display/ColourScheme.h"
#include "display/LayoutOverflow.h"
#include "support/FixedTextMeasurer.h"
#include "support/ScreenElementPrinter.h"

#include <gtest/gtest.h>

namespace {

class ScreenLayoutTest : public testing::Test
{
protected:
    FixedTextMeasurer measurer;
    ClockScreenModel screen{measurer};
    ColourScheme scheme;
    qint16 line = 0;

    const ScreenElement& at(ScreenElementId id) { return screen.element(id); }
    int right(ScreenElementId id) { return at(id).left + at(id).width; }
    int bottom(ScreenElementId id) { return at(id).top + at(id).height; }
    void layout() { ScreenLayout(screen, scheme).LayoutScreen(9, line); }
};

TEST_F(ScreenLayoutTest, TitleStaysCentredAndGoesNegativeWhenWiderThanTheWindow)
{
    struct Case
    {
        int screenWidth;
        int titleLength;
        int left;
    };
    // 36 pt: 360 twips a character. Odd widths are rounded to even before halving.
    for (const Case& c : {Case{18075, 6, 9037 - 1080}, Case{18076, 6, 9038 - 1080},
                          Case{18075, 60, 9037 - 10800}, Case{9000, 1, 4500 - 180}}) {
        screen.setScreenSize(c.screenWidth, 10140);
        screen.setCaption(ScreenElementId::lblTitle, QString(c.titleLength, u'W'));
        layout();
        EXPECT_EQ(at(ScreenElementId::lblTitle).left, c.left) << c.screenWidth << " " << c.titleLength;
        EXPECT_EQ(at(ScreenElementId::lblTitle).top, 800);
    }
}

TEST_F(ScreenLayoutTest, BlindsTextsWidenBothBlindPanelsEqually)
{
    screen.setCaption(ScreenElementId::lblBlinds, "25/50");
    layout();
    const ScreenElement narrow = at(ScreenElementId::shpBlinds);
    screen.setCaption(ScreenElementId::lblBlinds, "25,000/50,000");
    layout();
    const ScreenElement wide = at(ScreenElementId::shpBlinds);

    EXPECT_EQ(wide.width - narrow.width, 8 * 360) << "eight more characters at 36 pt";
    EXPECT_EQ(wide.width,
              at(ScreenElementId::lblBlinds).width + at(ScreenElementId::lblBlindsCaption).width + 900);
    EXPECT_EQ(at(ScreenElementId::shpNext).width, wide.width);
    EXPECT_EQ(at(ScreenElementId::shpNext).left, wide.left);
    EXPECT_EQ(at(ScreenElementId::shpNext).top, bottom(ScreenElementId::shpBlinds) + 500);
    EXPECT_EQ(wide.left, 9037 - wide.width / 2);
    EXPECT_EQ(at(ScreenElementId::lblBlindsCaption).left, wide.left + 250);
    EXPECT_EQ(right(ScreenElementId::lblBlinds), right(ScreenElementId::shpBlinds) - 250);
    for (const ScreenElementId caption :
         {ScreenElementId::lblAnteCaption, ScreenElementId::lblNextLevelCaption,
          ScreenElementId::lblNextAnteCaption}) {
        EXPECT_EQ(right(caption), right(ScreenElementId::lblBlindsCaption)) << caption;
    }
    for (const ScreenElementId value :
         {ScreenElementId::lblAnte, ScreenElementId::lblNextLevel, ScreenElementId::lblNextAnte}) {
        EXPECT_EQ(at(value).left, at(ScreenElementId::lblBlinds).left) << value;
    }
    EXPECT_EQ(at(ScreenElementId::lblAnteCaption).top,
              at(ScreenElementId::shpBlinds).top + at(ScreenElementId::lblBlindsCaption).height);
    EXPECT_EQ(at(ScreenElementId::lblNextAnteCaption).top,
              at(ScreenElementId::shpNext).top + at(ScreenElementId::lblNextLevelCaption).height);
}

TEST_F(ScreenLayoutTest, PayoutBoxHoldsTenLinesAndTheBarCoversExactlyTheFirstLine)
{
    for (int h : {486, 300, 3266}) {
        measurer.blankHeight = h;
        layout();
        EXPECT_EQ(line, h);
        EXPECT_EQ(at(ScreenElementId::Shape2).height, 10 * h + 100);
        EXPECT_EQ(at(ScreenElementId::Shape1).top, at(ScreenElementId::lblPrizePool1).top) << h;
        EXPECT_EQ(at(ScreenElementId::Shape1).height, h);
        EXPECT_EQ(at(ScreenElementId::lblPrizePool1).height, 9 * h);
        EXPECT_EQ(at(ScreenElementId::lblPrizePool2).top, at(ScreenElementId::lblPrizePool1).top);
        EXPECT_EQ(at(ScreenElementId::lblPrizePool2).left, at(ScreenElementId::lblPrizePool1).left + 1200);
        EXPECT_EQ(at(ScreenElementId::Shape3).top, at(ScreenElementId::Shape2).top);
        EXPECT_EQ(at(ScreenElementId::Shape3).height, at(ScreenElementId::Shape2).height);
        EXPECT_EQ(right(ScreenElementId::Shape3), screen.screenWidth() - 100);
    }
}

TEST_F(ScreenLayoutTest, LineHeightAbove3266OverflowsThePayoutBoxAndEndsTheLayoutThere)
{
    measurer.blankHeight = 3267;
    const int prizesTop = at(ScreenElementId::lblPrizes).top;
    const int boxHeight = at(ScreenElementId::Shape2).height;
    EXPECT_THROW(layout(), LayoutOverflow);
    EXPECT_EQ(at(ScreenElementId::Shape1).top, 2 * 3267 + 4500) << "the bar is placed before the box";
    EXPECT_EQ(at(ScreenElementId::Shape2).top, 3267 + 4400);
    EXPECT_EQ(at(ScreenElementId::Shape2).height, boxHeight);
    EXPECT_EQ(at(ScreenElementId::lblPrizes).top, prizesTop);

    measurer.blankHeight = 40000;
    EXPECT_THROW(ScreenLayout(screen, scheme).MeasureTextCell(ScreenElementId::lblPrizePool1),
                 LayoutOverflow);
}

TEST_F(ScreenLayoutTest, DigitsAreACentredRowAtTheLayoutSizeInTheDigitColour)
{
    scheme.choose(4);
    screen.setCaption(ScreenElementId::lblTimer0, "1");
    layout();
    int total = 0;
    for (int i = 0; i < ClockScreenModel::DigitCount; ++i) {
        EXPECT_EQ(screen.timer(i).fontSize, 150);
        EXPECT_EQ(screen.timer(i).foreColour, scheme.DigitColour);
        EXPECT_EQ(screen.timer(i).top, 1800);
        if (i > 0) {
            EXPECT_EQ(screen.timer(i).left, screen.timer(i - 1).left + screen.timer(i - 1).width + 100);
        }
        total += screen.timer(i).width + 100;
    }
    EXPECT_EQ(screen.timer(0).left, 9037 - total / 2);
}

TEST_F(ScreenLayoutTest, TotalsStackUnderTheirCaptionsInTheRightBox)
{
    layout();
    const ScreenElementId pairs[][2] = {{ScreenElementId::lblTotalTimeCaption, ScreenElementId::lblTotalTime},
                                        {ScreenElementId::lblBreakCaption, ScreenElementId::lblBreak},
                                        {ScreenElementId::lblStackCaption, ScreenElementId::lblStack},
                                        {ScreenElementId::lblPlayersCaption, ScreenElementId::lblPlayers},
                                        {ScreenElementId::lblPrizeCaption, ScreenElementId::lblPrize}};
    int expectedTop = at(ScreenElementId::Shape3).top + 100;
    for (const auto& [caption, value] : pairs) {
        EXPECT_EQ(at(caption).top, expectedTop) << caption;
        EXPECT_EQ(at(value).top, bottom(caption)) << value;
        EXPECT_EQ(at(caption).left, at(ScreenElementId::Shape3).left + 500);
        EXPECT_EQ(at(value).left, at(ScreenElementId::Shape3).left + 500);
        expectedTop = bottom(value) + 150;
    }
    EXPECT_EQ(at(ScreenElementId::lblLevel).left + at(ScreenElementId::lblLevel).width,
              right(ScreenElementId::shpLevel));
    EXPECT_EQ(right(ScreenElementId::shpLevel), screen.screenWidth() - 200);
}

struct SchemeCase
{
    int style;
    RgbColour digit, alert, back, title, highlight;
    bool visible, solid, opaque;
};

class ColourSchemeTest : public ScreenLayoutTest, public testing::WithParamInterface<SchemeCase>
{
};

TEST_P(ColourSchemeTest, SchemeColoursTheScreenThroughColorStyleAndTheLayout)
{
    const SchemeCase& c = GetParam();
    scheme.choose(3);
    scheme.PanelFillColour = RgbColour{1, 2, 3};
    ColorStyle(c.style, scheme, screen);
    // White and Grey draw no fill, so they keep whatever fill colour was there.
    const RgbColour fill = c.style <= 1 ? RgbColour{1, 2, 3} : RgbColour{248, 248, 248};
    EXPECT_EQ(scheme.DigitColour, c.digit);
    EXPECT_EQ(scheme.AlertColour, c.alert);
    EXPECT_EQ(screen.backColour(), c.back);
    EXPECT_EQ(at(ScreenElementId::lblTitle).foreColour, c.title);
    for (const ScreenElementId panel : Panels) {
        EXPECT_EQ(at(panel).visible, c.visible) << panel;
        EXPECT_EQ(at(panel).backColour, fill) << panel;
    }
    EXPECT_EQ(at(ScreenElementId::Shape1).visible, c.visible);

    layout();
    for (const ScreenElementId panel : Panels) {
        EXPECT_EQ(at(panel).fillSolid, c.solid) << panel;
        EXPECT_EQ(at(panel).opaque, c.opaque) << panel;
        EXPECT_EQ(at(panel).visible, c.visible) << panel;
    }
    EXPECT_EQ(at(ScreenElementId::Shape1).backColour, c.highlight);
    EXPECT_TRUE(at(ScreenElementId::Shape1).fillSolid) << "the bar keeps its solid fill";
    EXPECT_EQ(screen.timer(3).foreColour, c.digit);
}

INSTANTIATE_TEST_SUITE_P(
    AllSchemes, ColourSchemeTest,
    testing::Values(
        SchemeCase{
            0, {128, 0, 0}, {0, 0, 255}, {255, 255, 255}, {0, 0, 0}, {254, 255, 215}, false, true, true},
        SchemeCase{
            1, {128, 0, 0}, {255, 128, 0}, {238, 232, 234}, {0, 0, 0}, {254, 255, 215}, true, false, false},
        SchemeCase{2,
                   {255, 255, 0},
                   {192, 255, 192},
                   {124, 134, 55},
                   {255, 255, 255},
                   {254, 255, 215},
                   true,
                   true,
                   true},
        SchemeCase{3,
                   {255, 255, 128},
                   {128, 128, 128},
                   {0, 0, 128},
                   {224, 224, 224},
                   {255, 224, 192},
                   true,
                   true,
                   true},
        SchemeCase{4,
                   {192, 255, 255},
                   {128, 128, 128},
                   {128, 0, 128},
                   {255, 255, 255},
                   {255, 192, 255},
                   true,
                   true,
                   true},
        SchemeCase{5,
                   {255, 255, 192},
                   {128, 128, 128},
                   {64, 64, 64},
                   {224, 224, 224},
                   {255, 224, 192},
                   true,
                   true,
                   true}));

TEST_F(ScreenLayoutTest, UnknownSchemeNumberChangesNoColourButShowsThePanels)
{
    ColorStyle(0, scheme, screen);
    const ColourScheme white = scheme;
    ColorStyle(6, scheme, screen);
    EXPECT_EQ(scheme.DigitColour, white.DigitColour);
    EXPECT_EQ(scheme.BackColour, white.BackColour);
    EXPECT_TRUE(scheme.PanelsVisible);
    EXPECT_TRUE(at(ScreenElementId::shpLevel).visible);
}

} // namespace
