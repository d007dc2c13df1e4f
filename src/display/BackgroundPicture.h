#pragma once

#include <QImage>
#include <QSize>
#include <QString>

// The window's background picture at the window's size: the named JPEG of the background folder, stretched
// to exactly that many pixels with Lanczos 3.
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

    // Throws FreeImageError when the file cannot be loaded or scaled; the caller keeps its picture.
    static Result build(const QString& backgroundFolder, const QString& name, QSize pixels);
};
