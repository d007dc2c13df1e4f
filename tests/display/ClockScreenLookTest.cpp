// The clock window's colours, pictures and proportional scaling, with the real fonts.
#include "display/FreeImageError.h"
#include "display/frmClock.h"
#include "display/modFreeImage.h"
#include "support/ClockWindowFixture.h"
#include "support/EventLoopWait.h"
#include "support/QtPrinters.h"
#include "support/ScreenElementPrinter.h"

#include <QApplication>
#include <QLabel>
#include <algorithm>
#include <cstdlib>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace {

// The largest difference of a colour channel between two pictures of the same size.
int largestDifference(const QImage& a, const QImage& b)
{
    int largest = a.size() == b.size() ? 0 : 255;
    for (int y = 0; y < a.height() && y < b.height(); ++y) {
        for (int x = 0; x < a.width() && x < b.width(); ++x) {
            const QRgb p = a.pixel(x, y);
            const QRgb q = b.pixel(x, y);
            largest = std::max({largest, std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                                std::abs(qBlue(p) - qBlue(q))});
        }
    }
    return largest;
}

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
    QSize pictureSize() const { return window->backgroundPicture().deviceIndependentSize().toSize(); }
    // Runs events until the background has been built at the window's size.
    bool backgroundBuilt()
    {
        return runEventsUntil(
            [&] { return !window->isBuildingBackground() && pictureSize() == window->size(); });
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
        ASSERT_TRUE(backgroundBuilt()) << size.width() << "x" << size.height();
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

TEST_F(ClockScreenLookTest, NewSizeIsShownAtOnceAndItsBackgroundPaintsInWhenBuilt)
{
    state.Display.Background = "Blue.jpg";
    writePicture("background/Blue.jpg", 1024, 768);
    open();
    resize(800, 600);
    ASSERT_TRUE(backgroundBuilt());

    window->resize(1600, 900);
    // The window has its new size before the picture is stretched to it, on the builder's thread.
    EXPECT_EQ(window->size(), QSize(1600, 900));
    EXPECT_EQ(pictureSize(), QSize(800, 600));
    EXPECT_TRUE(window->isBuildingBackground());
    ASSERT_TRUE(backgroundBuilt());

    // Sizes in quick succession: the last one wins, whichever build ends last.
    for (const QSize size : {QSize(1024, 768), QSize(1280, 720), QSize(1000, 500)}) {
        window->resize(size);
    }
    ASSERT_TRUE(backgroundBuilt());
    EXPECT_EQ(pictureSize(), QSize(1000, 500));

    // A picture built at once (the settings changed) is newer than the one still being built.
    window->resize(1200, 700);
    ASSERT_TRUE(window->isBuildingBackground());
    state.Display.Background.clear();
    window->RefreshBackground();
    EXPECT_TRUE(window->backgroundPicture().isNull());
    ASSERT_TRUE(runEventsUntil([&] { return !window->isBuildingBackground(); }));
    EXPECT_TRUE(window->backgroundPicture().isNull()) << "the older build is dropped";
}

TEST_F(ClockScreenLookTest, PaintingPartOfTheWindowDrawsWhatAWholePaintDrawsThere)
{
    state.Display.Background = "Blue.jpg";
    // A picture with detail, so an offset or a scale between window and picture shows.
    modFreeImage::Initialise();
    FIBITMAP* picture = FreeImage_Allocate(64, 48, 24);
    for (int y = 0; y < 48; ++y) {
        BYTE* row = FreeImage_GetScanLine(picture, y);
        for (int x = 0; x < 64; ++x) {
            row[x * 3 + FI_RGBA_RED] = BYTE(x * 4);
            row[x * 3 + FI_RGBA_GREEN] = BYTE(y * 5);
            row[x * 3 + FI_RGBA_BLUE] = BYTE((x * y) % 256);
        }
    }
    ASSERT_TRUE(modFreeImage::SaveImage(FIF_JPEG, picture, folder.programPath("background/Blue.jpg"), 0));
    FreeImage_Unload(picture);
    open();
    resize(960, 540);
    ASSERT_TRUE(backgroundBuilt());

    const qreal ratio = window->devicePixelRatioF();
    QImage whole(window->size() * ratio, QImage::Format_RGB32);
    whole.setDevicePixelRatio(ratio);
    window->render(&whole, QPoint(), QRegion(), QWidget::DrawWindowBackground);
    struct Case
    {
        QString what;
        QRegion region;
    };
    const QRect digit = window->label(ScreenElementId::lblTimer2)->geometry();
    const QRect panel = window->pixelRect(at(ScreenElementId::Shape3));
    std::vector<Case> cases{
        {"a digit", QRegion(digit)},
        {"two cells", QRegion(QRect(5, 7, 31, 17)) + QRegion(QRect(500, 300, 123, 45))},
        {"a panel's left half", QRegion(panel.adjusted(-3, -3, 3 - panel.width() / 2, 3))},
        {"the bottom right corner", QRegion(QRect(900, 500, 60, 40))}};
    // Every panel's corners, the middle of each of its sides, and its inside.
    for (const ScreenElement& e : window->model().elements()) {
        if (e.kind != ScreenElement::Kind::Shape || !e.visible) {
            continue;
        }
        const QRect box = window->pixelRect(e);
        const QPoint c = box.center();
        for (const QPoint& p :
             {box.topLeft(), box.topRight(), box.bottomLeft(), box.bottomRight(), QPoint(c.x(), box.top()),
              QPoint(c.x(), box.bottom()), QPoint(box.left(), c.y()), QPoint(box.right(), c.y()), c}) {
            cases.push_back({e.name, QRegion(QRect(p - QPoint(7, 5), QSize(15, 11)))});
        }
    }
    ASSERT_GT(cases.size(), 4 + 9 * 3u) << "the scheme shows panels";
    for (const Case& c : cases) {
        QImage part(window->size() * ratio, QImage::Format_RGB32);
        part.setDevicePixelRatio(ratio);
        part.fill(Qt::magenta);
        // Placed where it is in the window: render() puts the region's corner at the offset.
        window->render(&part, c.region.boundingRect().topLeft(), c.region, QWidget::DrawWindowBackground);
        for (const QRect& r : c.region) {
            const QRect device(r.topLeft() * ratio, r.size() * ratio);
            // Antialiased edges cut by the region may differ by a shade; a misplaced picture by far more.
            EXPECT_LE(largestDifference(part.copy(device), whole.copy(device)), 2)
                << c.what.toStdString() << " at " << r.x() << "," << r.y();
        }
    }
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
