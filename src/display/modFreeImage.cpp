#include "modFreeImage.h"

#include "FreeImageError.h"

#include <QFile>
#include <algorithm>

namespace modFreeImage {

namespace {

// Paths are handed to the library in the platform's file name encoding.
QByteArray nativePath(const QString& fileName)
{
    return QFile::encodeName(fileName);
}

} // namespace

void Initialise()
{
    // Linked as a shared library the library starts itself; a static build needs the call. It is harmless
    // when repeated.
    static const bool started = [] {
        FreeImage_Initialise(FALSE);
        return true;
    }();
    (void)started;
}

FIBITMAP* LoadJpeg(const QString& fileName)
{
    Initialise();
    return FreeImage_Load(FIF_JPEG, nativePath(fileName).constData(), JPEG_DEFAULT);
}

QSize JpegSize(const QString& fileName)
{
    Initialise();
    FIBITMAP* header = FreeImage_Load(FIF_JPEG, nativePath(fileName).constData(), FIF_LOAD_NOPIXELS);
    if (!header) {
        return {};
    }
    const QSize size(int(FreeImage_GetWidth(header)), int(FreeImage_GetHeight(header)));
    FreeImage_Unload(header);
    return size;
}

FIBITMAP* LoadJpegReduced(const QString& fileName, QSize fullSize, QSize atLeast)
{
    int divisor = 8;
    while (divisor > 1 &&
           (fullSize.width() / divisor < atLeast.width() || fullSize.height() / divisor < atLeast.height())) {
        divisor /= 2;
    }
    if (divisor == 1) {
        return LoadJpeg(fileName);
    }
    // The JPEG loader takes a wanted size in the upper 16 bits of its flags and decodes at the smallest
    // scale whose longer side still reaches it.
    const int longer = std::max(fullSize.width(), fullSize.height());
    const int wanted = std::min((longer + divisor - 1) / divisor, 0x7FFF);
    Initialise();
    return FreeImage_Load(FIF_JPEG, nativePath(fileName).constData(), JPEG_DEFAULT | (wanted << 16));
}

FIBITMAP* RescaleImage(FIBITMAP* picture, int width, int height, bool freeSource, FREE_IMAGE_FILTER filter)
{
    if (!picture) {
        return picture;
    }
    if (!FreeImage_HasPixels(picture)) {
        throw FreeImageError(5, QStringLiteral("MFreeImage"),
                             QStringLiteral("Invalid procedure call or argument\r\n\r\n"
                                            "Unable to rescale a 'header-only' bitmap."));
    }
    if (int(FreeImage_GetWidth(picture)) == width && int(FreeImage_GetHeight(picture)) == height) {
        return picture;
    }
    FIBITMAP* scaled = FreeImage_Rescale(picture, width, height, filter);
    if (freeSource) {
        FreeImage_Unload(picture);
    }
    return scaled;
}

bool SaveImage(FREE_IMAGE_FORMAT format, FIBITMAP* picture, const QString& fileName, int flags)
{
    Initialise();
    return FreeImage_Save(format, picture, nativePath(fileName).constData(), flags) != FALSE;
}

QImage ToQImage(FIBITMAP* picture)
{
    if (!picture || !FreeImage_HasPixels(picture)) {
        return QImage();
    }
    const int width = int(FreeImage_GetWidth(picture));
    const int height = int(FreeImage_GetHeight(picture));
    if (FreeImage_GetImageType(picture) == FIT_BITMAP && FreeImage_GetBPP(picture) == 24) {
        // A JPEG's 24-bit pixels go straight into the picture, row by row: a 32-bit copy in between
        // would cost as much memory again as the picture itself (33 MB at 3840x2160).
        QImage image(width, height, QImage::Format_RGB32);
        if (image.isNull()) {
            return image;
        }
        for (int y = 0; y < height; ++y) {
            const BYTE* from = FreeImage_GetScanLine(picture, height - 1 - y);
            auto* to = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (int x = 0; x < width; ++x, from += 3) {
                to[x] = qRgb(from[FI_RGBA_RED], from[FI_RGBA_GREEN], from[FI_RGBA_BLUE]);
            }
        }
        return image;
    }
    FIBITMAP* bits32 = FreeImage_ConvertTo32Bits(picture);
    if (!bits32) {
        return QImage();
    }
    QImage image(width, height, QImage::Format_RGB32);
    if (!image.isNull()) {
        // 32-bit FreeImage pixels are B, G, R, A in memory like Format_RGB32 on little-endian machines.
        FreeImage_ConvertToRawBits(image.bits(), bits32, int(image.bytesPerLine()), 32, FI_RGBA_RED_MASK,
                                   FI_RGBA_GREEN_MASK, FI_RGBA_BLUE_MASK, TRUE);
    }
    FreeImage_Unload(bits32);
    return image;
}

} // namespace modFreeImage
