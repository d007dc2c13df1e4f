#pragma once

#include "core/TextMeasurer.h"

// Every character is ten twips wide per point and a line 24 twips high per point, so sizes are easy to
// work out by hand. The blank that sets the payout line height can be given a height of its own.
class FixedTextMeasurer : public TextMeasurer
{
public:
    int blankHeight = 0;

    QSize measure(const QString& text, double pointSize, bool) const override
    {
        const int height = text == QStringLiteral(" ") && blankHeight > 0 ? blankHeight : int(pointSize * 24);
        return QSize(int(text.size() * pointSize * 10), height);
    }
};
