#pragma once

#include "TournamentSource.h"

#include <QDate>
#include <functional>

struct ManagerSettings;

// The manager's database, one connection per call.
class ManagerTournamentSource : public TournamentSource
{
public:
    explicit ManagerTournamentSource(const ManagerSettings& settings,
                                     std::function<QDate()> today = &QDate::currentDate)
        : m_settings(settings), m_today(std::move(today))
    {}

    QList<TournamentListEntry> list() override;
    ImportedTournament import(qint32 id) override;

private:
    const ManagerSettings& m_settings;
    std::function<QDate()> m_today;
};
