#pragma once

#include "manager/TournamentList.h"

#include <QList>
#include <QString>

// The tournament list as the dialog shows it. The linked tournament stays listed and selected even when
// the manager no longer lists it (closed, or dated before today while it runs past midnight), so a save
// keeps the link; a clock linked to none selects none. Only the director's pick changes the link.
struct TournamentListChoice
{
    QList<TournamentListEntry> entries;
    int selected = -1;

    static TournamentListChoice build(const QList<TournamentListEntry>& listed, qint32 linkedId,
                                      const QString& title);

    // The entry of a linked tournament the manager did not list, named after the clock's title.
    static QString unlistedName(qint32 id, const QString& title);
};
