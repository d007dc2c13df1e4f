#include "display/BackgroundPicture.h"

#include "display/FreeImageError.h"
#include "display/modFreeImage.h"
#include "support/TempProgramFolder.h"

#include <QColor>
#include <QFile>
#include <gtest/gtest.h>

namespace {

// A picture whose left half is red and right half blue, so a stretch shows where the halves went.
FIBITMAP* halves(int width, int height)
{
    modFreeImage::Initialise();
    FIBITMAP* picture = FreeImage_Allocate(width, height, 24);
    for (int y = 0; y < height; ++y) {
        BYTE* row = FreeImage_GetScanLine(picture, y);
        for (int x = 0; x < width; ++x) {
            const bool left = x < width / 2;
            row[x * 3 + FI_RGBA_RED] = left ? 255 : 0;
            row[x * 3 + FI_RGBA_GREEN] = 0;
            row[x * 3 + FI_RGBA_BLUE] = left ? 0 : 255;
        }
    }
    return picture;
}

class BackgroundPictureTest : public testing::Test
{
protected:
    TempProgramFolder folder;
    void SetUp() override { folder.write("background/.keep", ""); }
    QString background() { return folder.folders().Background; }

    void writeJpeg(const QString& name, int width, int height)
    {
        FIBITMAP* picture = halves(width, height);
        ASSERT_TRUE(modFreeImage::SaveImage(FIF_JPEG, picture, background() + name, 0));
        FreeImage_Unload(picture);
    }

    // A small real JPEG whose frame header is rewritten to claim another size, as a hostile file does.
    void writeJpegClaiming(const QString& name, int width, int height)
    {
        writeJpeg(name, 16, 16);
        QFile file(background() + name);
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        QByteArray bytes = file.readAll();
        const qsizetype frame = bytes.indexOf(QByteArray("\xFF\xC0", 2));
        ASSERT_GT(frame, 0);
        // Marker, length, precision, then height and width, big-endian.
        bytes[frame + 5] = char(height >> 8);
        bytes[frame + 6] = char(height & 0xFF);
        bytes[frame + 7] = char(width >> 8);
        bytes[frame + 8] = char(width & 0xFF);
        file.seek(0);
        file.write(bytes);
    }
};

TEST_F(BackgroundPictureTest, PictureClaimingASizeBeyondTheLimitsIsRefusedFromItsHeader)
{
    for (const QSize claimed : {QSize(16385, 8), QSize(8, 16385), QSize(20000, 20000)}) {
        writeJpegClaiming("Huge.jpg", claimed.width(), claimed.height());
        ASSERT_EQ(modFreeImage::JpegSize(background() + "Huge.jpg"), claimed);
        try {
            BackgroundPicture::build(background(), "Huge.jpg", QSize(1280, 1024));
            ADD_FAILURE() << "no error for " << claimed.width() << "x" << claimed.height();
        } catch (const FreeImageError& e) {
            EXPECT_EQ(e.number(), 481);
            EXPECT_TRUE(e.description().startsWith("Invalid picture: " + background() + "Huge.jpg"));
            EXPECT_TRUE(e.description().contains(
                QString("%1 x %2 pixels").arg(claimed.width()).arg(claimed.height())))
                << e.description().toStdString();
        }
    }
}

TEST_F(BackgroundPictureTest, LimitsAreSixteenThousandOnASideAndAHundredMegapixels)
{
    for (const auto& [size, fits] :
         {std::pair{QSize(16384, 6103), true}, std::pair{QSize(16384, 6104), false},
          std::pair{QSize(16385, 1), false}, std::pair{QSize(1, 16385), false},
          std::pair{QSize(10000, 10000), true}, std::pair{QSize(10000, 10001), false}}) {
        EXPECT_EQ(BackgroundPicture::fitsLimits(size), fits) << size.width() << "x" << size.height();
    }
}

TEST_F(BackgroundPictureTest, LargePictureIsDecodedReducedButStillCoversTheWindow)
{
    writeJpeg("Large.jpg", 2000, 1500);
    const QString path = background() + "Large.jpg";
    for (const auto& [window, decoded] :
         {std::pair{QSize(400, 300), QSize(500, 375)}, std::pair{QSize(960, 540), QSize(1000, 750)},
          std::pair{QSize(1280, 1600), QSize(2000, 1500)}}) {
        FIBITMAP* picture = modFreeImage::LoadJpegReduced(path, QSize(2000, 1500), window);
        ASSERT_NE(picture, nullptr);
        EXPECT_EQ(QSize(int(FreeImage_GetWidth(picture)), int(FreeImage_GetHeight(picture))), decoded)
            << window.width() << "x" << window.height();
        FreeImage_Unload(picture);
    }
    const BackgroundPicture::Result result =
        BackgroundPicture::build(background(), "Large.jpg", QSize(400, 300));
    ASSERT_EQ(result.action, BackgroundPicture::Action::Show);
    EXPECT_EQ(result.picture.size(), QSize(400, 300));
    EXPECT_GT(QColor(result.picture.pixel(180, 150)).red(), 200);
    EXPECT_GT(QColor(result.picture.pixel(220, 150)).blue(), 200);
}

TEST_F(BackgroundPictureTest, StretchesToTheWindowWithoutKeepingTheAspect)
{
    writeJpeg("Blue.jpg", 1024, 768);
    const BackgroundPicture::Result result =
        BackgroundPicture::build(background(), "blue.JPG", QSize(1280, 1024));
    ASSERT_EQ(result.action, BackgroundPicture::Action::Show);
    EXPECT_EQ(result.picture.size(), QSize(1280, 1024));
    // The red half now ends at 640 across the whole height.
    for (int y : {2, 512, 1021}) {
        EXPECT_GT(QColor(result.picture.pixel(600, y)).red(), 200) << y;
        EXPECT_GT(QColor(result.picture.pixel(680, y)).blue(), 200) << y;
    }
}

TEST_F(BackgroundPictureTest, PictureOfTheWindowsSizeIsNotRescaled)
{
    FIBITMAP* picture = halves(64, 48);
    EXPECT_EQ(modFreeImage::RescaleImage(picture, 64, 48, true, FILTER_LANCZOS3), picture);
    EXPECT_EQ(FreeImage_GetWidth(picture), 64u) << "still there despite free-source";
    FIBITMAP* wider = modFreeImage::RescaleImage(picture, 65, 48, false, FILTER_LANCZOS3);
    ASSERT_NE(wider, picture);
    EXPECT_EQ(FreeImage_GetWidth(wider), 65u);
    FreeImage_Unload(wider);
    FreeImage_Unload(picture);
    EXPECT_EQ(modFreeImage::RescaleImage(nullptr, 10, 10, true, FILTER_LANCZOS3), nullptr);
}

TEST_F(BackgroundPictureTest, HeaderOnlyPictureCannotBeRescaled)
{
    writeJpeg("Header.jpg", 32, 32);
    FIBITMAP* header = FreeImage_Load(FIF_JPEG, QFile::encodeName(background() + "Header.jpg").constData(),
                                      FIF_LOAD_NOPIXELS);
    ASSERT_NE(header, nullptr);
    ASSERT_FALSE(FreeImage_HasPixels(header));
    try {
        modFreeImage::RescaleImage(header, 64, 64, true, FILTER_LANCZOS3);
        ADD_FAILURE() << "no error";
    } catch (const FreeImageError& e) {
        EXPECT_EQ(e.number(), 5);
        EXPECT_EQ(e.source(), QString("MFreeImage"));
        EXPECT_EQ(
            e.description(),
            QString("Invalid procedure call or argument\r\n\r\nUnable to rescale a 'header-only' bitmap."));
    }
    FreeImage_Unload(header);
}

TEST_F(BackgroundPictureTest, NoNameClearsMissingFileKeepsAndUnreadableFileIsAnError)
{
    EXPECT_EQ(BackgroundPicture::build(background(), "", QSize(10, 10)).action,
              BackgroundPicture::Action::Clear);
    EXPECT_EQ(BackgroundPicture::build(background(), "Gone.jpg", QSize(10, 10)).action,
              BackgroundPicture::Action::Keep);

    // A JPEG start followed by rubbish, and a file that is not a picture at all.
    folder.write("background/Corrupt.jpg", QByteArray("\xFF\xD8\xFF\xE0") + QByteArray(300, '\x17'));
    folder.write("background/Text.jpg", "not a picture");
    for (const char* name : {"Corrupt.jpg", "Text.jpg"}) {
        EXPECT_THROW(BackgroundPicture::build(background(), name, QSize(10, 10)), FreeImageError) << name;
    }
}

TEST_F(BackgroundPictureTest, SaveReportsWhetherThePictureWasWritten)
{
    FIBITMAP* picture = halves(16, 16);
    EXPECT_TRUE(modFreeImage::SaveImage(FIF_JPEG, picture, background() + "temp-back.jpg", 0));
    EXPECT_TRUE(QFile::exists(background() + "temp-back.jpg"));
    EXPECT_FALSE(modFreeImage::SaveImage(FIF_JPEG, picture, background() + "no/such/folder/x.jpg", 0));
    FreeImage_Unload(picture);
}

// FreeImage keeps the bottom row first; a JPEG's pixels are 24-bit, other pictures 8 or 32.
TEST(ToQImageTest, KeepsColoursAndTheTopRowFirstAtEveryDepth)
{
    modFreeImage::Initialise();
    for (const int bits : {24, 32, 8}) {
        FIBITMAP* picture = FreeImage_Allocate(3, 2, bits);
        ASSERT_NE(picture, nullptr);
        if (bits == 8) {
            RGBQUAD* palette = FreeImage_GetPalette(picture);
            for (int i = 0; i < 256; ++i) {
                palette[i].rgbRed = BYTE(i);
                palette[i].rgbGreen = BYTE(255 - i);
                palette[i].rgbBlue = BYTE(i / 2);
            }
        }
        const int bytes = bits / 8;
        for (int line = 0; line < 2; ++line) {
            BYTE* row = FreeImage_GetScanLine(picture, line);
            for (int x = 0; x < 3; ++x) {
                // Bottom line (0) and top line (1) differ in every pixel.
                const int value = 40 * x + 100 * line + 10;
                if (bits == 8) {
                    row[x] = BYTE(value);
                } else {
                    row[x * bytes + FI_RGBA_RED] = BYTE(value);
                    row[x * bytes + FI_RGBA_GREEN] = BYTE(255 - value);
                    row[x * bytes + FI_RGBA_BLUE] = BYTE(value / 2);
                }
            }
        }
        const QImage image = modFreeImage::ToQImage(picture);
        FreeImage_Unload(picture);
        ASSERT_EQ(image.size(), QSize(3, 2)) << bits;
        EXPECT_EQ(image.format(), QImage::Format_RGB32) << bits;
        for (int y = 0; y < 2; ++y) {
            for (int x = 0; x < 3; ++x) {
                const int value = 40 * x + 100 * (1 - y) + 10;
                EXPECT_EQ(QColor(image.pixel(x, y)), QColor(value, 255 - value, value / 2))
                    << bits << " bits at " << x << "," << y;
            }
        }
    }
}

} // namespace
