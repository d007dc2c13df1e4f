#pragma once

#include <QString>
#include <QtGlobal>
#include <optional>

// The time left in a level or break as the clock keeps it in Time: minutes, ":" and two digits of
// seconds ("20:00", "125:30"). Every time read from a file or typed in goes through here, so the clock
// never counts from a time it cannot count down.
class LevelTime
{
public:
    // The seconds of a time of up to five digits of minutes and two of seconds (00 to 59); nothing for
    // anything else: "--:--", a sign, blanks, letters, a missing part.
    static std::optional<qint64> seconds(const QString& text);

    // The time written as the clock writes it, with at least two digits of minutes ("5:00" gives
    // "05:00"); nothing when it is not a time.
    static std::optional<QString> normalised(const QString& text);

    // The full length of a level or break of that many minutes; a negative length counts as 0.
    static QString full(qint64 lengthMinutes);

    // The time to run with in a level or break of that many minutes: the time normalised when it lies
    // within the length, the full length otherwise.
    static QString checked(const QString& text, qint64 lengthMinutes);
};
