// The clock window's colours, pictures and proportional scaling, with the real fonts.
#include "display/FreeImageError.h"
#include "display/frmClock.h"
#include "display/modFreeImage.h"
#include "support/ClockWindowFixture.h"
#include "support/QtPrinters.h"
#include "support/ScreenElementPrinter.h"

#include <QApplication>
#include <QLabel>
#include <gtest/gtest.h>
#include <memory>

namespace {

class ClockScreenLookTest : public ClockWindowFixture
{
protected:
    void SetUp() override
    {
        state.Display.Color_Style = 3;
        folder.write("blinds/Test.blinds.csv", "Level,SB,BB,Ante,Min,Break\r\n1,25,50,0,20,0\r\n");
        folder.write("background/.keep", "");
    }
    void resize(int width, int height)
    {
        window->resize(width, height);
        QApplication::processEvents();
    }
    void writePicture(const char* relative, int width, int height)
    {
        modFreeImage::Initialise();
        FIBITMAP* picture = FreeImage_Allocate(width, height, 24);
        ASSERT_TRUE(modFreeImage::SaveImage(FIF_JPEG, picture, folder.programPath(relative), 0));
        FreeImage_Unload(picture);
    }
};

TEST_F(ClockScreenLookTest, ElementsKeepTheirProportionsAndFontsFollowTheHeight)
{
    open();
    resize(1205, 676); // the first window's size at 96 dots per inch
    const ScreenElement title = at(ScreenElementId::lblTitle);
    const ScreenElement box = at(ScreenElementId::Shape3);
    const double digitSize = window->model().timer(0).fontSize;

    resize(2410, 1352);
    EXPECT_NEAR(at(ScreenElementId::lblTitle).top, 2 * title.top, 2);
    EXPECT_NEAR(at(ScreenElementId::Shape3).left, 2 * box.left, 2);
    EXPECT_NEAR(at(ScreenElementId::Shape3).width, 2 * box.width, 2);
    EXPECT_NEAR(at(ScreenElementId::Shape3).height, 2 * box.height, 2);
    EXPECT_NEAR(window->model().timer(0).fontSize, 2 * digitSize, 0.01);
    EXPECT_NEAR(window->label(ScreenElementId::lblTimer0)->font().pointSizeF(), 2 * digitSize, 0.01);
    EXPECT_EQ(window->label(ScreenElementId::Shape3), nullptr);
    EXPECT_NEAR(window->pixelRect(at(ScreenElementId::Shape3)).right(), 2410 - 2 * 100 / 15, 2);
}

TEST_F(ClockScreenLookTest, ScreenOfAnotherShapeGetsTheFirstWindowsShapeCentred)
{
    open();
    resize(1205, 676);
    const double digitSize = window->model().timer(0).fontSize;
    struct Case
    {
        int width, height;
        QRect area;
    };
    for (const Case& c :
         {Case{1205, 1352, QRect(0, 338, 1205, 676)}, Case{2410, 676, QRect(602, 0, 1205, 676)}}) {
        resize(c.width, c.height);
        EXPECT_NEAR(window->model().timer(0).fontSize, digitSize, 0.01) << c.width << "x" << c.height;
        const QRect logo = window->pixelRect(at(ScreenElementId::imgLogo));
        EXPECT_NEAR(logo.left(), c.area.left() + 200 / 15, 1);
        EXPECT_NEAR(logo.top(), c.area.top() + 500 / 15, 1);
        EXPECT_NEAR(window->pixelRect(at(ScreenElementId::shpLevel)).right(), c.area.right() - 200 / 15, 2);
        // The labels themselves move with the area, changed or not.
        for (const ScreenElementId name : {ScreenElementId::lblLevel, ScreenElementId::lblBlinds,
                                           ScreenElementId::lblTitle, ScreenElementId::lblTimer0}) {
            EXPECT_EQ(window->label(name)->geometry(), window->pixelRect(at(name))) << name;
        }
    }
}

TEST_F(ClockScreenLookTest, BackgroundIsRebuiltAtEverySizeAndKeptWhenItsFileGoes)
{
    state.Display.Background = "Blue.jpg";
    writePicture("background/Blue.jpg", 1024, 768);
    open();
    for (const QSize size : {QSize(1280, 1024), QSize(1920, 1080), QSize(640, 480)}) {
        resize(size.width(), size.height());
        // In the device's pixels, covering the window exactly (run with QT_SCALE_FACTOR=2 to see both).
        EXPECT_EQ(window->backgroundPicture().size(), size * window->devicePixelRatio());
        EXPECT_EQ(window->backgroundPicture().deviceIndependentSize().toSize(), size);
    }
    state.Display.Background = "Gone.jpg";
    window->RefreshBackground();
    EXPECT_EQ(window->backgroundPicture().deviceIndependentSize().toSize(), QSize(640, 480))
        << "the old picture stays";

    folder.write("background/Broken.jpg", "not a picture");
    state.Display.Background = "Broken.jpg";
    EXPECT_THROW(window->RefreshBackground(), FreeImageError);
    EXPECT_EQ(window->backgroundPicture().deviceIndependentSize().toSize(), QSize(640, 480));

    state.Display.Background.clear();
    window->RefreshBackground();
    EXPECT_TRUE(window->backgroundPicture().isNull()) << "the scheme's colour shows";
}

TEST_F(ClockScreenLookTest, LogoIsShownOnlyWhenTheProgramFolderHasOne)
{
    open();
    EXPECT_FALSE(window->label(ScreenElementId::imgLogo)->isVisible());
    const QRect withoutLogo = window->label(ScreenElementId::lblTitle)->geometry();
    window.reset();

    writePicture("logo.jpg", 100, 50);
    open();
    EXPECT_TRUE(window->label(ScreenElementId::imgLogo)->isVisible());
    EXPECT_FALSE(window->label(ScreenElementId::imgLogo)->pixmap().isNull());
    EXPECT_EQ(window->label(ScreenElementId::lblTitle)->geometry(), withoutLogo) << "the rest does not move";
}

TEST_F(ClockScreenLookTest, SchemeComesFromTheSettingsAndReachesTheLevelClock)
{
    struct Case
    {
        int style;
        bool panels;
        RgbColour back;
        RgbColour digits;
        RgbColour alert;
    };
    for (const Case& c : {Case{0, false, {255, 255, 255}, {128, 0, 0}, {0, 0, 255}},
                          Case{1, true, {238, 232, 234}, {128, 0, 0}, {255, 128, 0}},
                          Case{2, true, {124, 134, 55}, {255, 255, 0}, {192, 255, 192}},
                          Case{4, true, {128, 0, 128}, {192, 255, 255}, {128, 128, 128}},
                          Case{5, true, {64, 64, 64}, {255, 255, 192}, {128, 128, 128}}}) {
        state.Display.Color_Style = qint16(c.style);
        open();
        EXPECT_EQ(window->model().backColour(), c.back) << c.style;
        EXPECT_EQ(at(ScreenElementId::Shape2).visible, c.panels);
        EXPECT_EQ(at(ScreenElementId::Shape1).visible, c.panels);
        EXPECT_EQ(window->logic().clock.DigitColour, c.digits) << c.style;
        EXPECT_EQ(window->logic().clock.AlertColour, c.alert) << c.style;
        EXPECT_EQ(window->model().timer(0).foreColour, c.digits) << c.style;
        window.reset();
    }
}

} // namespace
