#pragma once

#include <QImage>
#include <QString>

// A QR code of a short text (an address) as a black-on-white picture with the quiet zone around it.
class QrCode
{
public:
    // moduleSize pixels per module; a null image when the text cannot be encoded.
    static QImage encode(const QString& text, int moduleSize = 4);
};
