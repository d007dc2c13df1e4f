#pragma once

#include "TextMeasurer.h"

#include <QFont>

// Measures texts in Tahoma as the window draws them; a machine without Tahoma gets the copy that ships
// with Wine.
class QtTextMeasurer : public TextMeasurer
{
public:
    static constexpr int TwipsPerPixel = 15;

    QtTextMeasurer();

    QSize measure(const QString& text, double pointSize, bool bold) const override;

    static QFont clockFont(double pointSize, bool bold = true);
    // Makes Tahoma available to the application once; false when it is neither installed nor found.
    static bool ensureTahoma();
};
