#pragma once

#include <QFont>

// Line metrics as Windows gives them for a font: ascent and descent from the font's OS/2 table
// (usWinAscent, usWinDescent), scaled to the font's pixel size and rounded each on its own. Qt takes the
// typographic metrics of a font marked USE_TYPO_METRICS instead, which makes a Tahoma line about a sixth
// shorter than the design measured it. A font without an OS/2 table keeps Qt's own metrics.
class WindowsLineMetrics
{
public:
    explicit WindowsLineMetrics(const QFont& font);

    // Pixels from the top of a line to its baseline, from the baseline to the bottom, and a whole line.
    int ascent() const { return m_ascent; }
    int descent() const { return m_descent; }
    int height() const { return m_ascent + m_descent; }
    // False when the font gave no OS/2 table and Qt's metrics stand in.
    bool fromFontFile() const { return m_fromFontFile; }

private:
    int m_ascent = 0;
    int m_descent = 0;
    bool m_fromFontFile = false;
};
