#include "platform/DesignUnits.h"

#include "platform/DesignFont.h"
#include "platform/QtTextMeasurer.h"
#include "platform/WindowsLineMetrics.h"

#include <QFontInfo>
#include <gtest/gtest.h>

namespace {

TEST(DesignUnits, TwipsRoundToTheNearestPixelHalvesAwayFromZero)
{
    struct Case
    {
        int twips;
        int pixels;
    };
    for (const Case& c : {Case{0, 0}, Case{7, 0}, Case{8, 1}, Case{15, 1}, Case{22, 1}, Case{23, 2},
                          Case{240, 16}, Case{1335, 89}, Case{12810, 854}, Case{7020, 468}, Case{4590, 306},
                          Case{-7, 0}, Case{-8, -1}, Case{-23, -2}}) {
        EXPECT_EQ(DesignUnits::pixels(c.twips), c.pixels) << c.twips;
    }
}

TEST(DesignUnits, TwipsPerPixelFollowTheDisplaysDotsPerInch)
{
    EXPECT_DOUBLE_EQ(DesignUnits::twipsPerPixel(96), 15.0);
    EXPECT_DOUBLE_EQ(DesignUnits::twipsPerPixel(144), 10.0);
    EXPECT_DOUBLE_EQ(DesignUnits::twipsPerPixel(0), 15.0); // a display that reports nothing
}

TEST(DesignFont, TahomaIsAvailableAndMadeAsAsked)
{
    ASSERT_TRUE(DesignFont::ensureTahoma()); // installed, or Wine's copy
    const QFont bold = DesignFont::tahoma(14.25, true);
    EXPECT_EQ(bold.family(), "Tahoma");
    EXPECT_DOUBLE_EQ(bold.pointSizeF(), 14.25);
    EXPECT_TRUE(bold.bold());
    EXPECT_FALSE(DesignFont::tahoma(9).bold());
    const QFont dialog = DesignFont::dialogFont();
    EXPECT_DOUBLE_EQ(dialog.pointSizeF(), 8.25);
    EXPECT_EQ(QFontInfo(dialog).family(), "Tahoma"); // what is drawn, not only what was asked for
}

// Tahoma bold lines as the design's platform measures them at 96 dpi: ascent and descent from the font's
// Windows metrics (2049 and 423 of 2048 units), each rounded, not Qt's typographic em.
TEST(WindowsLineMetrics, TahomaBoldLinesAreAsHighAsOnTheDesignsPlatform)
{
    ASSERT_TRUE(DesignFont::ensureTahoma());
    ASSERT_DOUBLE_EQ(QtTextMeasurer::twipsPerPixelY(), 15.0) << "the cases are for 96 dpi";
    struct Case
    {
        double points;
        int ascent;
        int descent;
    };
    const QtTextMeasurer measurer;
    for (const Case& c :
         {Case{14.25, 19, 4}, Case{20.25, 27, 6}, Case{21.75, 29, 6}, Case{36, 48, 10}, Case{150, 200, 41}}) {
        const WindowsLineMetrics line(DesignFont::tahoma(c.points, true));
        EXPECT_TRUE(line.fromFontFile()) << c.points;
        EXPECT_EQ(line.ascent(), c.ascent) << c.points;
        EXPECT_EQ(line.descent(), c.descent) << c.points;
        const int lineHeight = c.ascent + c.descent;
        EXPECT_EQ(measurer.measure(" ", c.points, true).height(), lineHeight * 15) << c.points;
        EXPECT_EQ(measurer.measure("1st\r\n2nd\r\n3rd", c.points, true).height(), 3 * lineHeight * 15)
            << c.points;
    }
}

} // namespace
