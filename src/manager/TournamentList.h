#pragma once

#include "ManagerBackend.h"

#include <QDate>
#include <QList>
#include <QString>

struct ManagerSettings;

// One open tournament of the manager, as the settings dialog lists it.
struct TournamentListEntry
{
    qint32 Id = 0;
    QString Name;

    bool operator==(const TournamentListEntry&) const = default;
};

// The query of open tournaments in the manager's own SQL (SQL Server or Access literals from the
// settings); with hide_tourny only those dated today or later.
QString TournamentListQuery(const ManagerSettings& settings, const QDate& today);

// The same for the backend actually reached: an SQLite file keeps dates as ISO text and flags as 0/1.
QString TournamentListQuery(const ManagerSettings& settings, const QDate& today, ManagerBackend backend);

// Opens a connection and lists the open tournaments, earliest first. Rows without a whole-number id are
// left out. Throws ManagerError.
QList<TournamentListEntry> ListTournaments(const ManagerSettings& settings, const QDate& today);
