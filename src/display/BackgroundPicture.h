#pragma once

#include <QImage>
#include <QSize>
#include <QString>

// The window's background picture at the window's size: the named JPEG of the background folder, stretched
// to exactly that many pixels with Lanczos 3. A picture larger than the window is decoded at a reduced
// scale where the format allows.
class BackgroundPicture
{
public:
    enum class Action
    {
        Clear, // no picture named: the background colour shows
        Keep,  // the file is missing: the previous picture stays
        Show
    };

    struct Result
    {
        Action action = Action::Keep;
        QImage picture;
    };

    // Larger pictures are refused from their header alone.
    static constexpr int MaxSide = 16384;
    static constexpr qint64 MaxPixels = 100000000;
    static bool fitsLimits(QSize size);

    // Throws FreeImageError when the file cannot be loaded or scaled, or claims a size beyond the limits;
    // the caller keeps its picture.
    static Result build(const QString& backgroundFolder, const QString& name, QSize pixels);
};
