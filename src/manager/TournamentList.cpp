#include "TournamentList.h"

#include "ManagerConnection.h"
#include "ManagerError.h"
#include "ManagerSettings.h"
#include "SqlValue.h"

#include <QSqlQuery>
#include <QSqlRecord>
#include <limits>

QString TournamentListQuery(const ManagerSettings& settings, const QDate& today)
{
    const QString& d = settings.DateDelimiter;
    const QString& b = settings.BooleanQuote;
    QString sql = QStringLiteral("SELECT * FROM tournament where ");
    if (settings.hide_tourny) {
        sql += QStringLiteral("date>=") + d + today.toString(QStringLiteral("MM/dd/yy")) + d +
               QStringLiteral(" AND ");
    }
    return sql + QStringLiteral("closed=") + b + QStringLiteral("False") + b +
           QStringLiteral(" AND type<>'Chip Count' ORDER BY date ASC");
}

QString TournamentListQuery(const ManagerSettings& settings, const QDate& today, ManagerBackend backend)
{
    if (backend != ManagerBackend::SqliteFile) {
        return TournamentListQuery(settings, today);
    }
    QString sql = QStringLiteral("SELECT * FROM tournament where ");
    if (settings.hide_tourny) {
        sql += QStringLiteral("date>='") + today.toString(Qt::ISODate) + QStringLiteral("' AND ");
    }
    return sql + QStringLiteral("closed=0 AND type<>'Chip Count' ORDER BY date ASC");
}

QList<TournamentListEntry> ListTournaments(const ManagerSettings& settings, const QDate& today)
{
    if (settings.hide_tourny && !today.isValid()) {
        throw ManagerError(QStringLiteral("Today's date is not known."));
    }
    QList<TournamentListEntry> entries;
    ManagerConnection connection(settings);
    QSqlQuery q = connection.select(TournamentListQuery(settings, today, connection.backend()));
    const QSqlRecord record = q.record();
    const int id = record.indexOf(QStringLiteral("id"));
    const int name = record.indexOf(QStringLiteral("event_name"));
    if (id < 0 || name < 0) {
        throw ManagerError(QStringLiteral("The tournament table has no id or event_name column."));
    }
    while (q.next()) {
        const auto value = SqlValue::wholeNumber(q.value(id));
        if (!value || *value < std::numeric_limits<qint32>::min() ||
            *value > std::numeric_limits<qint32>::max()) {
            continue;
        }
        entries.append({qint32(*value), q.value(name).toString()});
    }
    return entries;
}
