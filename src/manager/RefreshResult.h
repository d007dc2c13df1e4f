#pragma once

#include "TournamentCounts.h"

#include <QMetaType>
#include <QString>
#include <optional>

// The outcome of one recount of a tournament: the counts, or why there are none.
struct RefreshResult
{
    qint32 TournamentId = 0;
    std::optional<TournamentCounts> Counts;
    QString Error;

    bool ok() const { return Counts.has_value(); }
};

Q_DECLARE_METATYPE(RefreshResult)
