#pragma once

#include <FreeImage.h>
#include <QImage>
#include <QSize>
#include <QString>

// The picture operations over FreeImage: load, rescale and save JPEG pictures.
namespace modFreeImage {

// Starts the library once per process; the other operations call it.
void Initialise();

// The JPEG file as a picture; null when the library cannot load it.
FIBITMAP* LoadJpeg(const QString& fileName);

// The size the JPEG file's header claims, read without decoding any pixels; empty when the header cannot
// be read.
QSize JpegSize(const QString& fileName);

// The JPEG file decoded at 1/2, 1/4 or 1/8 of its size where that still covers atLeast, which saves most of
// the memory and time of a large picture that is to be shrunk anyway; null when it cannot be loaded.
FIBITMAP* LoadJpegReduced(const QString& fileName, QSize fullSize, QSize atLeast);

// The picture at width x height: the same picture when it already has that size, otherwise a new one made
// with the filter, releasing the source when freeSource is set. A null picture comes back as it is; one
// without pixel data throws FreeImageError 5.
FIBITMAP* RescaleImage(FIBITMAP* picture, int width, int height, bool freeSource, FREE_IMAGE_FILTER filter);

// True when the library reports that the picture was written.
bool SaveImage(FREE_IMAGE_FORMAT format, FIBITMAP* picture, const QString& fileName, int flags);

// A copy of the picture for drawing, top row first.
QImage ToQImage(FIBITMAP* picture);

} // namespace modFreeImage
