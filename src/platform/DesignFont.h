#pragma once

#include <QFont>

// Tahoma, the font every window of the clock is designed in. A machine without it gets the copy that ships
// with Wine.
class DesignFont
{
public:
    // Makes Tahoma available to the application once; false when it is neither installed nor found.
    static bool ensureTahoma();
    static QFont tahoma(double pointSize, bool bold = false);
    // The dialogs' own text: Tahoma 8.25 points, made available first.
    static QFont dialogFont();
};
