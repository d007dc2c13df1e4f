#include "ImportTournament.h"

#include "CountTournament.h"
#include "ManagerConnection.h"
#include "ManagerError.h"
#include "SqlValue.h"
#include "core/IniLine.h"

#include <QSqlQuery>
#include <QSqlRecord>
#include <limits>

namespace {

QVariant required(const QSqlRecord& row, const char* column, qint32 id)
{
    const int index = row.indexOf(QLatin1String(column));
    if (index < 0) {
        throw ManagerError(
            QStringLiteral("The tournament table has no %1 column.").arg(QLatin1String(column)));
    }
    const QVariant value = row.value(index);
    if (value.isNull()) {
        throw ManagerError(
            QStringLiteral("Tournament %1 has no value in %2.").arg(id).arg(QLatin1String(column)));
    }
    return value;
}

} // namespace

ImportedTournament ImportTournament(const ManagerSettings& settings, qint32 id)
{
    ImportedTournament t;
    ManagerConnection connection(settings);
    {
        QSqlQuery q =
            connection.select(QStringLiteral("SELECT * FROM tournament where id=") + QString::number(id));
        if (!q.next()) {
            throw ManagerError(QStringLiteral("Tournament %1 does not exist.").arg(id));
        }
        const QSqlRecord row = q.record();
        // The title goes on one line of darvel.ini and of the clock screen.
        t.Title = IniLine::oneLine(required(row, "event_Name", id).toString());
        t.Buyin = SqlValue::text(required(row, "Buy_in", id));
        t.Rebuy = SqlValue::text(required(row, "re_buy", id));
        t.Addon = SqlValue::text(required(row, "Addon", id));
        t.Guarantee = SqlValue::text(required(row, "prize_guarantee", id));
        t.Contribution = SqlValue::text(required(row, "prize_contribution", id));
        const auto seats = SqlValue::wholeNumber(required(row, "seats_per_table", id));
        if (!seats || *seats < std::numeric_limits<qint16>::min() ||
            *seats > std::numeric_limits<qint16>::max()) {
            throw ManagerError(QStringLiteral("Tournament %1 has no usable seats_per_table.").arg(id));
        }
        t.Seats = qint16(*seats);
    }
    t.Counts = CountTournament(connection, id, t.Seats);
    return t;
}
