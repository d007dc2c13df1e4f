#pragma once

#include "manager/ImportTournament.h"
#include "manager/TournamentList.h"

#include <QList>

// The manager's open tournaments as the settings dialog reads them. Both throw ManagerError.
class TournamentSource
{
public:
    virtual ~TournamentSource() = default;
    virtual QList<TournamentListEntry> list() = 0;
    virtual ImportedTournament import(qint32 id) = 0;
};
