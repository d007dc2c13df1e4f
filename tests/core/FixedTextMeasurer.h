#pragma once

#include "core/TextMeasurer.h"

// Every character is ten twips wide per point and a line 24 twips high per point, so sizes are easy to
// work out by hand.
class FixedTextMeasurer : public TextMeasurer
{
public:
    QSize measure(const QString& text, double pointSize, bool) const override
    {
        return QSize(int(text.size() * pointSize * 10), int(pointSize * 24));
    }
};
