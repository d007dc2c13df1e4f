#include "BackgroundPicture.h"

#include "FreeImageError.h"
#include "core/FolderLookup.h"
#include "modFreeImage.h"

bool BackgroundPicture::fitsLimits(QSize size)
{
    return size.width() <= MaxSide && size.height() <= MaxSide &&
           qint64(size.width()) * size.height() <= MaxPixels;
}

BackgroundPicture::Result BackgroundPicture::build(const QString& backgroundFolder, const QString& name,
                                                   QSize pixels)
{
    if (name.isEmpty()) {
        return {Action::Clear, QImage()};
    }
    const QString path = FolderLookup::find(backgroundFolder, name);
    if (path.isEmpty()) {
        return {Action::Keep, QImage()};
    }
    // The header is checked before anything is decoded: a small file can claim a picture of gigabytes.
    const QSize size = modFreeImage::JpegSize(path);
    if (size.isEmpty()) {
        throw FreeImageError(481, QStringLiteral("RefreshBackground"),
                             QStringLiteral("Invalid picture: %1").arg(path));
    }
    if (!fitsLimits(size)) {
        throw FreeImageError(
            481, QStringLiteral("RefreshBackground"),
            QStringLiteral("Invalid picture: %1\r\n\r\nIt is %2 x %3 pixels; the clock shows "
                           "pictures of up to %4 pixels on a side and %5 million pixels.")
                .arg(path)
                .arg(size.width())
                .arg(size.height())
                .arg(MaxSide)
                .arg(MaxPixels / 1000000));
    }
    FIBITMAP* loaded = modFreeImage::LoadJpegReduced(path, size, pixels);
    if (!loaded) {
        throw FreeImageError(481, QStringLiteral("RefreshBackground"),
                             QStringLiteral("Invalid picture: %1").arg(path));
    }
    // The scaled picture is kept in memory rather than passed through a temporary file.
    FIBITMAP* scaled = nullptr;
    try {
        scaled = modFreeImage::RescaleImage(loaded, pixels.width(), pixels.height(), true, FILTER_LANCZOS3);
    } catch (...) {
        FreeImage_Unload(loaded);
        throw;
    }
    QImage picture = modFreeImage::ToQImage(scaled);
    if (scaled) {
        FreeImage_Unload(scaled);
    }
    if (picture.isNull()) {
        throw FreeImageError(481, QStringLiteral("RefreshBackground"),
                             QStringLiteral("Invalid picture: %1").arg(path));
    }
    return {Action::Show, picture};
}
