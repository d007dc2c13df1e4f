#include "TournamentListChoice.h"

TournamentListChoice TournamentListChoice::build(const QList<TournamentListEntry>& listed, qint32 linkedId,
                                                 const QString& title)
{
    TournamentListChoice choice;
    choice.entries = listed;
    if (linkedId == 0) {
        return choice;
    }
    for (qsizetype i = 0; i < listed.size(); ++i) {
        if (listed.at(i).Id == linkedId) {
            choice.selected = int(i);
            return choice;
        }
    }
    // The list runs earliest first, and a tournament left out is older than those listed.
    choice.entries.prepend({linkedId, unlistedName(linkedId, title)});
    choice.selected = 0;
    return choice;
}

QString TournamentListChoice::unlistedName(qint32 id, const QString& title)
{
    const QString name =
        title.trimmed().isEmpty() ? QStringLiteral("Tournament %1").arg(id) : title.trimmed();
    return name + QStringLiteral(" (closed or past)");
}
