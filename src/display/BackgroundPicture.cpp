#include "BackgroundPicture.h"

#include "FreeImageError.h"
#include "core/FolderLookup.h"
#include "modFreeImage.h"

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
    FIBITMAP* loaded = modFreeImage::LoadJpeg(path);
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
