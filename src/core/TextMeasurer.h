#pragma once

#include <QSize>
#include <QString>

// The size in twips that a text takes in the clock screen's font (Tahoma) at a point size; auto-size
// elements follow it. The window measures with the real font, tests with a fixed rule.
class TextMeasurer
{
public:
    virtual ~TextMeasurer() = default;
    virtual QSize measure(const QString& text, double pointSize, bool bold) const = 0;
};
