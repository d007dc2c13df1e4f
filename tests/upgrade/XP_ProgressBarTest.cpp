// The progress bar's pixels, read from its off-screen picture.
#include "upgrade/XP_ProgressBar.h"

#include <QCoreApplication>
#include <QFont>
#include <QImage>
#include <gtest/gtest.h>

namespace {

// The upgrade window's bar: 274 x 23 pixels, red 44, green 132, blue 190, style 1.
constexpr int W = 274;
constexpr int H = 23;
const QRgb Blue = qRgb(44, 132, 190);
const QRgb Light = qRgb(168, 204, 228); // lighter by 150
const QRgb White = qRgb(255, 255, 255);

class ProgressBar : public testing::Test
{
protected:
    XP_ProgressBar bar;

    void SetUp() override
    {
        bar.resize(W, H);
        bar.setColor(12485676);
        bar.setScrolling(1);
    }
    QImage at(int value)
    {
        bar.setValue(value);
        return bar.surface();
    }
    static QRgb px(const QImage& image, int x, int y) { return image.pixel(x, y) | 0xFF000000u; }
    // The first column at or after from, on the bar's middle row, that is not the fill colour.
    static int fillEnd(const QImage& image, int from = 4)
    {
        int x = from;
        while (x < image.width() && px(image, x, H / 2) == Blue) {
            ++x;
        }
        return x;
    }
};

TEST(ProgressBarColours, ColourValuesAndLightShades)
{
    EXPECT_EQ(XP_ProgressBar::fromColourValue(12485676), qRgb(44, 132, 190));
    EXPECT_EQ(XP_ProgressBar::fromColourValue(12500670), qRgb(190, 190, 190));
    EXPECT_EQ(XP_ProgressBar::fromColourValue(0x0000FF), qRgb(255, 0, 0));
    EXPECT_EQ(XP_ProgressBar::lighter(Blue, 150), Light);
    EXPECT_EQ(XP_ProgressBar::lighter(Blue, 0), Blue);
    EXPECT_EQ(XP_ProgressBar::lighter(Blue, 255), White);
    EXPECT_EQ(XP_ProgressBar::lighter(qRgb(0, 255, 100), 80), qRgb(80, 255, 148));
}

TEST_F(ProgressBar, FrameAndRoundedCornersAtEveryValue)
{
    const QRgb c190 = qRgb(190, 190, 190);
    const QRgb c239 = qRgb(239, 239, 239);
    const QRgb c104 = qRgb(104, 104, 104);
    const QRgb c172 = XP_ProgressBar::fromColourValue(10922924);
    const QRgb c127 = XP_ProgressBar::fromColourValue(8224383);
    const QRgb c173 = XP_ProgressBar::fromColourValue(10988460);
    const QRgb c119 = XP_ProgressBar::fromColourValue(7829367);
    const struct
    {
        int x, y;
        QRgb colour;
    } pixels[] = {
        // lines of the frame and the outer rectangle
        {W / 2, 1, c190},
        {1, H / 2, c190},
        {W / 2, H - 2, c239},
        {2, H / 2, c239},
        {W / 2, 2, c239},
        {W - 2, H / 2, c239},
        {W / 2, 0, c104},
        {W / 2, H - 1, c104},
        {0, H / 2, c104},
        {W - 1, H / 2, c104},
        // top left
        {0, 0, White},
        {0, 1, c172},
        {0, 2, c127},
        {1, 0, c173},
        {1, 1, c119},
        {2, 0, c127},
        {2, 2, c190},
        // bottom left
        {0, H - 1, White},
        {1, H - 1, c172},
        {2, H - 1, c127},
        {0, H - 3, c127},
        {0, H - 2, c173},
        {1, H - 2, c119},
        // top right
        {W - 1, 0, White},
        {W - 1, 1, c190},
        {W - 1, 2, c127},
        {W - 2, 2, c190},
        {W - 2, 1, c104},
        // bottom right
        {W - 1, H - 1, White},
        {W - 1, H - 2, c190},
        {W - 1, H - 3, c127},
        {W - 2, H - 2, c119},
        {W - 2, H - 1, c190},
        {W - 3, H - 1, c127},
    };
    for (int value : {0, 50, 98, 100}) {
        const QImage image = at(value);
        for (const auto& p : pixels) {
            EXPECT_EQ(px(image, p.x, p.y), p.colour) << "value " << value << " at " << p.x << "," << p.y;
        }
    }
}

TEST_F(ProgressBar, StyleOneBarEndsAndStub)
{
    const struct
    {
        int value;
        int end; // first column after the fill
    } cases[] = {
        {0, 12},   // the stub: 4 to 11
        {1, 12},   // still within the stub
        {50, 141}, // 50 / 98 x 271 + 3 = 141.3
        {98, 269}, // full: the end at the right edge, kept 4 pixels inside
        {99, 272}, // beyond full the fill runs on under the frame
        {100, 272},
    };
    for (const auto& c : cases) {
        const QImage image = at(c.value);
        EXPECT_EQ(fillEnd(image), c.end) << "value " << c.value;
        EXPECT_EQ(px(image, 3, H / 2), White) << "value " << c.value;
        if (c.end < W - 2) {
            EXPECT_EQ(px(image, c.end, H / 2), White) << "value " << c.value;
        }
    }
    EXPECT_EQ(at(150), at(100)); // above the range reads as 100 %
}

TEST_F(ProgressBar, StyleOneGradientsAboveAndBelowTheFill)
{
    const QImage image = at(50);
    const struct
    {
        int y;
        QRgb colour;
    } rows[] = {
        {3, Light},
        {5, qRgb(127, 180, 215)}, // two sixths of the way from light to the colour
        {7, qRgb(85, 156, 203)},
        {8, Blue},
        {H - 10, Blue},
        {H - 6, qRgb(127, 180, 215)}, // four sixths of the way back
        {H - 4, Light},
        {H - 3, White},
    };
    for (const auto& r : rows) {
        EXPECT_EQ(px(image, 60, r.y), r.colour) << "row " << r.y;
        EXPECT_EQ(px(image, 4, r.y), r.colour) << "row " << r.y;
        EXPECT_EQ(px(image, 141, r.y), White) << "row " << r.y;
    }
}

TEST_F(ProgressBar, StyleZeroFillsWholeEightPixelSteps)
{
    bar.setScrolling(0);
    for (int value = 8; value <= 90; value += 7) {
        const QImage image = at(value);
        const int last = fillEnd(image, 4) - 1;
        // Every step is a 6-pixel block and a 2-pixel gap counted from x = 3.
        int x = 4;
        int lastFilled = 0;
        for (; x < W - 8; ++x) {
            const bool gap = (x - 3) % 8 >= 6;
            const QRgb colour = px(image, x, H / 2);
            if (colour == Blue) {
                EXPECT_FALSE(gap) << "value " << value << " x " << x;
                lastFilled = x;
            }
        }
        const int stepEnd = lastFilled + 1 + 2; // the last block's gap belongs to its step
        EXPECT_EQ((stepEnd - 3) % 8, 0) << "value " << value;
        EXPECT_EQ(px(image, 9, H / 2), White) << "value " << value;
        EXPECT_EQ(last, 8) << "value " << value; // the first block is 4 to 8
    }
}

TEST_F(ProgressBar, ValueIsAPercentageOfTheRange)
{
    const struct
    {
        int min, max, value, percent;
    } cases[] = {
        {0, 100, 37, 37},   {0, 200, 101, 50}, // 50.5 to the even neighbour
        {0, 200, 103, 52},                     // 51.5
        {10, 100, 20, 30},                     // the minimum is added after scaling
        {0, 0, 5, 0},                          // a range of no width
        {0, 100, 250, 250},                    // kept; drawn as 100 %
    };
    for (const auto& c : cases) {
        bar.setMin(c.min);
        bar.setMax(c.max);
        bar.setValue(c.value);
        EXPECT_EQ(bar.Value(), c.percent) << c.min << ".." << c.max << " value " << c.value;
    }
}

TEST_F(ProgressBar, VerticalBarGrowsUpFromTheBottom)
{
    bar.resize(H, 100);
    bar.setOrientation(1);
    const QImage image = at(50); // top = 100 x (1 - 50/98) = 49, moved down to an even height
    EXPECT_EQ(px(image, 12, 97), Blue);
    EXPECT_EQ(px(image, 12, 50), Blue);
    EXPECT_EQ(px(image, 12, 49), White);
    EXPECT_EQ(px(image, 4, 70), Light);
    EXPECT_EQ(px(image, H - 4, 70), Light);
}

TEST_F(ProgressBar, TextOnlyWhenAsked)
{
    const QImage plain = at(40);
    bar.setShowText(true);
    const QImage withText = bar.surface();
    EXPECT_NE(plain, withText);
    bar.setShowText(false);
    EXPECT_EQ(bar.surface(), plain);

    // A new font is only stored; the next paint shows it.
    bar.setShowText(true);
    bar.show(); // a hidden widget gets a resize event, which redraws on its own, with every grab
    QCoreApplication::processEvents();
    QFont large = bar.font();
    large.setPixelSize(20);
    bar.setFont(large);
    EXPECT_EQ(bar.surface(), withText);
    bar.grab();
    EXPECT_NE(bar.surface(), withText);
}

TEST_F(ProgressBar, EveryFillingStyleFillsFromTheStartAsTheValueGrows)
{
    // Inside the frame: the first quarter of the bar is drawn at 50 % as at 100 %, the last quarter at
    // 50 % as at 0 %, and the full and the empty bar differ. Style 2 is the "Searching.." look, which
    // does not fill; style 8 tiles a picture.
    bar.setShowText(false);
    QImage tile(4, 4, QImage::Format_RGB32);
    tile.fill(qRgb(200, 30, 30));
    bar.setImage(tile);
    const QRect first(W / 8, 4, W / 4, H - 8);
    const QRect last(5 * W / 8, 4, W / 4, H - 8);
    for (int style : {0, 1, 3, 4, 5, 6, 7, 8, 9}) {
        bar.setScrolling(style);
        const QImage empty = at(0);
        const QImage half = at(50);
        const QImage full = at(100);
        EXPECT_NE(full.copy(first), empty.copy(first)) << "style " << style;
        EXPECT_EQ(half.copy(first), full.copy(first)) << "style " << style;
        EXPECT_EQ(half.copy(last), empty.copy(last)) << "style " << style;
    }
}

TEST_F(ProgressBar, EveryStyleDrawsAtEverySizeWithoutFailing)
{
    for (int style = -1; style <= 10; ++style) {
        bar.setScrolling(style);
        bar.setShowText(true);
        for (const QSize size : {QSize(1, 1), QSize(5, 3), QSize(W, H), QSize(20, 200)}) {
            bar.resize(size);
            for (int orientation : {0, 1}) {
                bar.setOrientation(orientation);
                for (int value : {-20, 0, 50, 100, 1000}) {
                    bar.setValue(value);
                    EXPECT_EQ(bar.surface().size(), size);
                }
            }
        }
    }
}

} // namespace
