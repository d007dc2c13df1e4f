#pragma once

#include <QByteArray>
#include <QtGlobal>

// The clock's digits are hundreds of pixels high. Qt keeps glyphs of up to 64 pixels in its cache and
// draws larger ones from their outlines at every paint, which at 3840x2160 was most of a tick's cost.
// Call before the QApplication is made; a value set in the environment is left alone.
inline void cacheLargeGlyphs()
{
    if (!qEnvironmentVariableIsSet("QT_MAX_CACHED_GLYPH_SIZE")) {
        qputenv("QT_MAX_CACHED_GLYPH_SIZE", QByteArrayLiteral("1024"));
    }
}
