#include "WindowsLineMetrics.h"

#include <QFontMetrics>
#include <QHash>
#include <QRawFont>
#include <cmath>

namespace {

// Offsets of usWinAscent and usWinDescent in the OS/2 table, both big-endian unsigned 16-bit.
constexpr int WinAscentOffset = 74;
constexpr int WinDescentOffset = 76;

int unsigned16(const QByteArray& table, int offset)
{
    return (int(static_cast<unsigned char>(table.at(offset))) << 8) |
           int(static_cast<unsigned char>(table.at(offset + 1)));
}

struct Metrics
{
    int ascent;
    int descent;
    bool fromFontFile;
};

// Fonts are asked for the same few sizes over and over (every caption change of an auto-size text).
Metrics measure(const QFont& font)
{
    static QHash<QString, Metrics> cache;
    const QString key = font.key();
    if (const auto it = cache.constFind(key); it != cache.constEnd()) {
        return *it;
    }
    const QRawFont raw = QRawFont::fromFont(font);
    const QByteArray os2 = raw.isValid() ? raw.fontTable("OS/2") : QByteArray();
    Metrics result;
    if (os2.size() >= WinDescentOffset + 2 && raw.unitsPerEm() > 0) {
        const double scale = raw.pixelSize() / raw.unitsPerEm();
        result = {int(std::lround(unsigned16(os2, WinAscentOffset) * scale)),
                  int(std::lround(unsigned16(os2, WinDescentOffset) * scale)), true};
    } else {
        const QFontMetrics qt(font);
        result = {qt.ascent(), qt.descent(), false};
    }
    cache.insert(key, result);
    return result;
}

} // namespace

WindowsLineMetrics::WindowsLineMetrics(const QFont& font)
{
    const Metrics m = measure(font);
    m_ascent = m.ascent;
    m_descent = m.descent;
    m_fromFontFile = m.fromFontFile;
}
