#pragma once

#include "TournamentCounts.h"

#include <QString>

struct ManagerSettings;

// A manager tournament as the settings dialog takes it over: its texts as the fields show them, the
// seats per table, and the counts.
struct ImportedTournament
{
    QString Title;
    QString Buyin;
    QString Rebuy;
    QString Addon;
    QString Guarantee;
    QString Contribution;
    qint16 Seats = 0;
    TournamentCounts Counts;

    bool operator==(const ImportedTournament&) const = default;
};

// Reads tournament `id` and counts it, in one connection of its own. Throws ManagerError when the
// tournament does not exist, a copied column is missing or null, or the connection, a query or the
// count fails; nothing is imported then.
ImportedTournament ImportTournament(const ManagerSettings& settings, qint32 id);
