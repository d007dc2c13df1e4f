#include "ManagerTournamentSource.h"

QList<TournamentListEntry> ManagerTournamentSource::list()
{
    return ListTournaments(m_settings, m_today());
}

ImportedTournament ManagerTournamentSource::import(qint32 id)
{
    return ImportTournament(m_settings, id);
}
