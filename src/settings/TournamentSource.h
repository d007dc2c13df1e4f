#pragma once

#include "core/ClockError.h"
#include "manager/ImportTournament.h"
#include "manager/TournamentList.h"

#include <QList>
#include <QObject>
#include <functional>

// The manager's open tournaments as the settings dialog reads them. list() and import() throw
// ManagerError.
class TournamentSource
{
public:
    // The tournament list, or why there is none.
    struct ListOutcome
    {
        bool read = false;
        QList<TournamentListEntry> entries;
        QString error;
    };

    virtual ~TournamentSource() = default;
    virtual QList<TournamentListEntry> list() = 0;
    virtual ImportedTournament import(qint32 id) = 0;

    // Reads the list and hands it to done in context's thread, unless context has gone by then. Here at
    // once; a source that may be slow answers later, through the event loop.
    virtual void listLater(QObject* context, std::function<void(const ListOutcome&)> done)
    {
        Q_UNUSED(context);
        ListOutcome outcome;
        try {
            outcome.entries = list();
            outcome.read = true;
        } catch (const ClockError& e) {
            outcome.error = e.message();
        }
        done(outcome);
    }
};
