#pragma once

#include "ClockFolders.h"
#include "Money.h"

#include <QString>
#include <QtGlobal>

// Settings and progress of the running tournament; fields are named after their keys in darvel.ini.
struct TournamentRecord
{
    qint16 Refresh = 0;
    qint16 Level = 0;
    QString Time;
    qint32 Tournament_ID = 0;
    QString Title;
    qint16 Players = 0;
    qint16 Entries = 0;
    qint16 Rebuys = 0;
    qint16 Addons = 0;
    qint16 Player_Variance = 0;
    qint16 Entry_Variance = 0;
    qint16 Rebuy_Variance = 0;
    qint16 Addon_Variance = 0;
    qint16 Prize_Rounding = 0;
    Money Prize_Guarantee;
    Money Prize_Contribution;
    QString Blinds;
    Money Buyin;
    Money Rebuy;
    Money Addon;
    Money Buyin_Chips;
    Money Rebuy_Chips;
    Money Addon_Chips;

    bool operator==(const TournamentRecord&) const = default;
};

// How the clock screen looks and sounds.
struct DisplayRecord
{
    qint16 Color_Style = 0;
    QString Background;
    QString Tick_Sound;
    QString End_Sound;

    bool operator==(const DisplayRecord&) const = default;
};

struct TournamentState
{
    TournamentRecord Tournament;
    DisplayRecord Display;
    ClockFolders Folders;
    // True only when darvel.ini did not exist when it was read; never saved.
    bool FirstRun = false;

    // The counts as shown: the manager's (or typed) count plus the director's keyboard correction.
    // Nothing when the sum leaves the 16-bit range.
    std::optional<qint16> effectivePlayers() const;
    std::optional<qint16> effectiveEntries() const;
    std::optional<qint16> effectiveRebuys() const;
    std::optional<qint16> effectiveAddons() const;
};
