#include "ManagerTournamentSource.h"

#include "manager/ManagerError.h"
#include "manager/ManagerTimeLimits.h"
#include "manager/RunWithinTimeLimit.h"

namespace {

// A list that comes this quickly is there when the dialog shows, without a flash of "loading".
constexpr int QuickListMs = 300;

} // namespace

QList<TournamentListEntry> ManagerTournamentSource::list()
{
    return RunWithinTimeLimit<QList<TournamentListEntry>>(
        [settings = m_settings, today = m_today()] { return ListTournaments(settings, today); },
        ManagerTimeLimits::current().watchdogMs);
}

void ManagerTournamentSource::listLater(QObject* context, std::function<void(const ListOutcome&)> done)
{
    // A new request replaces one still running.
    m_listing = std::make_unique<ManagerWorker>();
    auto outcome = std::make_shared<ListOutcome>();
    const int limit = ManagerTimeLimits::current().watchdogMs;
    QObject::connect(m_listing.get(), &ManagerWorker::finished, context, [outcome, done] { done(*outcome); });
    QObject::connect(m_listing.get(), &ManagerWorker::timedOut, context, [limit, done] {
        ListOutcome late;
        late.error = ManagerTimeLimitMessage(limit);
        done(late);
    });
    m_listing->start(
        [outcome, settings = m_settings, today = m_today()] {
            try {
                outcome->entries = ListTournaments(settings, today);
                outcome->read = true;
            } catch (const ClockError& e) {
                outcome->error = e.message();
            } catch (const std::exception& e) {
                outcome->error = QString::fromLocal8Bit(e.what());
            }
        },
        limit);
    m_listing->waitFor(QuickListMs);
}

ImportedTournament ManagerTournamentSource::import(qint32 id)
{
    return RunWithinTimeLimit<ImportedTournament>(
        [settings = m_settings, id] { return ImportTournament(settings, id); },
        ManagerTimeLimits::current().watchdogMs);
}
