#pragma once

#include "TournamentSource.h"
#include "manager/ManagerSettings.h"
#include "manager/ManagerWorker.h"

#include <QDate>
#include <functional>
#include <memory>

// The manager's database, one connection per call, each in a thread of its own with a time limit. The
// list for the dialog holds the dialog back only a moment, then comes when it is read; what is still
// running when the source ends is abandoned.
class ManagerTournamentSource : public TournamentSource
{
public:
    explicit ManagerTournamentSource(const ManagerSettings& settings,
                                     std::function<QDate()> today = &QDate::currentDate)
        : m_settings(settings), m_today(std::move(today))
    {}

    QList<TournamentListEntry> list() override;
    void listLater(QObject* context, std::function<void(const ListOutcome&)> done) override;
    ImportedTournament import(qint32 id) override;

private:
    ManagerSettings m_settings;
    std::function<QDate()> m_today;
    std::unique_ptr<ManagerWorker> m_listing;
};
