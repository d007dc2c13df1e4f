#include "QrCode.h"

#include <memory>
#include <qrencode.h>

QImage QrCode::encode(const QString& text, int moduleSize)
{
    const QByteArray bytes = text.toUtf8();
    if (bytes.isEmpty() || moduleSize < 1) {
        return {};
    }
    const std::unique_ptr<QRcode, void (*)(QRcode*)> code(
        QRcode_encodeString8bit(bytes.constData(), 0, QR_ECLEVEL_M), QRcode_free);
    if (!code) {
        return {};
    }
    constexpr int QuietZone = 4;
    const int modules = code->width + 2 * QuietZone;
    QImage image(modules * moduleSize, modules * moduleSize, QImage::Format_RGB32);
    image.fill(Qt::white);
    for (int y = 0; y < code->width; ++y) {
        for (int x = 0; x < code->width; ++x) {
            if ((code->data[y * code->width + x] & 1) == 0) {
                continue;
            }
            for (int dy = 0; dy < moduleSize; ++dy) {
                auto* line = reinterpret_cast<QRgb*>(image.scanLine((y + QuietZone) * moduleSize + dy));
                for (int dx = 0; dx < moduleSize; ++dx) {
                    line[(x + QuietZone) * moduleSize + dx] = qRgb(0, 0, 0);
                }
            }
        }
    }
    return image;
}
