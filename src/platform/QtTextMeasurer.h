#pragma once

#include "core/TextMeasurer.h"

#include <QFont>

// Measures texts in Tahoma as the window draws them.
class QtTextMeasurer : public TextMeasurer
{
public:
    // Twips per pixel of the primary display in each direction, from its logical dots per inch (15 at 96).
    static double twipsPerPixelX();
    static double twipsPerPixelY();

    QtTextMeasurer();

    QSize measure(const QString& text, double pointSize, bool bold) const override;

    static QFont clockFont(double pointSize, bool bold = true);
};
