#pragma once

#include <QString>
#include <optional>

// The dialog's editing of the remaining time "mm:ss" with the minutes and seconds spinners, checked
// against the length of the selected level.
class RemainingTime
{
public:
    struct Change
    {
        QString time;
        // The value the seconds spinner must be set to, when it must move.
        std::optional<int> seconds;
    };

    // The leading numbers of the first and the last two characters; "--" reads as 0.
    static int minutesPart(const QString& time);
    static int secondsPart(const QString& time);

    // The minutes spinner moved to minutes; levelMinutes is the selected level's length.
    static Change minutesChanged(const QString& time, int minutes, int levelMinutes);
    // The seconds spinner moved to seconds while the minutes spinner stands at minutesSpinner.
    static Change secondsChanged(const QString& time, int seconds, int minutesSpinner, int levelMinutes);
    // Another level was picked: a time beyond its length becomes its full length.
    static QString levelPicked(const QString& time, int levelMinutes);
    // A time stored in the older short form ("5:00", " 7:05") in the dialog's "mm:ss"; any other text as
    // it is.
    static QString normalised(const QString& time);
    // The full length of a level, "mm:00".
    static QString fullLength(int levelMinutes);
};
