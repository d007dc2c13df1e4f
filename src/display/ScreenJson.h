#pragma once

#include <QJsonObject>
#include <QString>

class ClockScreenModel;

// The clock screen as the TV view redraws it: every element at its place in twips, the scheme's colours
// and the notices' own words. The tournament's values come from the snapshot, not from here.
class ScreenJson
{
public:
    // {"screen", "colours", "paused_text", "break_text"}.
    static QJsonObject fromModel(const ClockScreenModel& model);
    // "#rrggbb".
    static QString colour(int red, int green, int blue);
};
