#include "CountTournament.h"

#include "ManagerConnection.h"
#include "ManagerError.h"
#include "SqlValue.h"

#include <QHash>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QVariant>
#include <QVector>
#include <limits>

namespace {

struct Receipt
{
    QVariant player;
    qint64 table = 0;
};

// Seat and player values compared as numbers when both are whole numbers, otherwise as text; an empty
// seat or an unknown player never matches.
bool samePlayer(const QVariant& seat, const QVariant& player)
{
    if (seat.isNull() || player.isNull()) {
        return false;
    }
    const auto a = SqlValue::wholeNumber(seat);
    const auto b = SqlValue::wholeNumber(player);
    if (a && b) {
        return *a == *b;
    }
    return seat.toString() == player.toString();
}

qint16 checkedCount(qint64 n, const char* what)
{
    if (n > std::numeric_limits<qint16>::max()) {
        throw ManagerError(
            QStringLiteral("The tournament has more %1 than the clock can count.").arg(QLatin1String(what)));
    }
    return qint16(n);
}

QString receiptsQuery(qint32 id)
{
    return QStringLiteral("Select player_id, table_id From transactions Where tournament_id=") +
           QString::number(id) + QStringLiteral(" And type='Receipt'");
}

QVector<Receipt> readReceipts(ManagerConnection& connection, qint32 id)
{
    QVector<Receipt> receipts;
    QSqlQuery q = connection.select(receiptsQuery(id));
    const QSqlRecord record = q.record();
    const int player = record.indexOf(QStringLiteral("player_id"));
    const int table = record.indexOf(QStringLiteral("table_id"));
    if (player < 0 || table < 0) {
        throw ManagerError(QStringLiteral("The transactions table has no player_id or table_id column."));
    }
    while (q.next()) {
        const QVariant tableValue = q.value(table);
        const auto tableId = SqlValue::wholeNumber(tableValue);
        if (!tableId) {
            throw ManagerError(tableValue.isNull()
                                   ? QStringLiteral("A receipt of tournament %1 names no table.").arg(id)
                                   : QStringLiteral("A receipt of tournament %1 names the table \"%2\".")
                                         .arg(id)
                                         .arg(tableValue.toString()));
        }
        receipts.append({q.value(player), *tableId});
    }
    return receipts;
}

qint64 countRows(ManagerConnection& connection, qint32 id, const QString& type)
{
    QSqlQuery q = connection.select(QStringLiteral("Select id From transactions Where tournament_id=") +
                                    QString::number(id) + QStringLiteral(" And type='") + type + u'\'');
    qint64 n = 0;
    while (q.next()) {
        ++n;
    }
    return n;
}

bool seatedAt(const QSqlQuery& tableRow, const QVector<int>& seatColumns, const QVariant& player)
{
    for (const int column : seatColumns) {
        if (samePlayer(tableRow.value(column), player)) {
            return true;
        }
    }
    return false;
}

QVector<int> seatIndexes(const QSqlRecord& record, qint16 seats)
{
    QVector<int> indexes;
    for (int i = 1; i <= seats; ++i) {
        const int index = record.indexOf(QStringLiteral("seat_%1_pid").arg(i));
        if (index < 0) {
            throw ManagerError(QStringLiteral("The tables table has no seat_%1_pid column.").arg(i));
        }
        indexes.append(index);
    }
    return indexes;
}

TournamentCounts finish(ManagerConnection& connection, qint32 id, qint64 players, qint64 entries)
{
    TournamentCounts counts;
    counts.Players = checkedCount(players, "seated players");
    counts.Entries = checkedCount(entries, "receipts");
    counts.Rebuys = checkedCount(countRows(connection, id, QStringLiteral("Player Rebuy")), "rebuys");
    counts.Addons = checkedCount(countRows(connection, id, QStringLiteral("Player Addon")), "add-ons");
    return counts;
}

} // namespace

QString SeatColumnList(qint16 seats)
{
    QString list;
    for (int i = 1; i <= seats; ++i) {
        list += QStringLiteral("seat_%1_pid, ").arg(i);
    }
    return list + QStringLiteral("id");
}

TournamentCounts CountTournament(ManagerConnection& connection, qint32 tournamentId, qint16 seats)
{
    const QVector<Receipt> receipts = readReceipts(connection, tournamentId);
    qint64 players = 0;
    if (!receipts.isEmpty()) {
        qint64 low = receipts.first().table;
        qint64 high = low;
        for (const Receipt& r : receipts) {
            low = std::min(low, r.table);
            high = std::max(high, r.table);
        }
        // Each table's seats as read; a table id seen twice keeps its first row, as a lookup by id would.
        QHash<qint64, QVector<QVariant>> seatsOf;
        {
            QSqlQuery q = connection.select(QStringLiteral("Select ") + SeatColumnList(seats) +
                                            QStringLiteral(" From tables Where id>=") + QString::number(low) +
                                            QStringLiteral(" And id<=") + QString::number(high));
            const QSqlRecord record = q.record();
            const QVector<int> seatColumns = seatIndexes(record, seats);
            const int idColumn = record.indexOf(QStringLiteral("id"));
            while (q.next()) {
                const auto tableId = SqlValue::wholeNumber(q.value(idColumn));
                if (!tableId || seatsOf.contains(*tableId)) {
                    continue;
                }
                QVector<QVariant> values;
                values.reserve(seatColumns.size());
                for (const int column : seatColumns) {
                    values.append(q.value(column));
                }
                seatsOf.insert(*tableId, values);
            }
        }
        for (const Receipt& r : receipts) {
            const auto found = seatsOf.constFind(r.table);
            if (found == seatsOf.constEnd()) {
                throw ManagerError(QStringLiteral("Table %1 of a receipt of tournament %2 does not exist.")
                                       .arg(r.table)
                                       .arg(tournamentId));
            }
            for (const QVariant& seat : *found) {
                if (samePlayer(seat, r.player)) {
                    ++players;
                    break;
                }
            }
        }
    }
    return finish(connection, tournamentId, players, receipts.size());
}

TournamentCounts CountTournamentPerReceipt(ManagerConnection& connection, qint32 tournamentId, qint16 seats)
{
    const QVector<Receipt> receipts = readReceipts(connection, tournamentId);
    const QString columns = SeatColumnList(seats);
    qint64 players = 0;
    for (const Receipt& r : receipts) {
        QSqlQuery q = connection.select(QStringLiteral("Select ") + columns +
                                        QStringLiteral(" From tables Where id=") + QString::number(r.table));
        const QVector<int> seatColumns = seatIndexes(q.record(), seats);
        if (!q.next()) {
            throw ManagerError(QStringLiteral("Table %1 of a receipt of tournament %2 does not exist.")
                                   .arg(r.table)
                                   .arg(tournamentId));
        }
        if (seatedAt(q, seatColumns, r.player)) {
            ++players;
        }
    }
    return finish(connection, tournamentId, players, receipts.size());
}

qint16 SeatsPerTable(ManagerConnection& connection, qint32 tournamentId)
{
    QSqlQuery q = connection.select(QStringLiteral("SELECT seats_per_table FROM tournament where id=") +
                                    QString::number(tournamentId));
    if (!q.next()) {
        throw ManagerError(QStringLiteral("Tournament %1 does not exist.").arg(tournamentId));
    }
    const QVariant value = q.value(QStringLiteral("seats_per_table"));
    const auto seats = SqlValue::wholeNumber(value);
    if (!seats || *seats < std::numeric_limits<qint16>::min() ||
        *seats > std::numeric_limits<qint16>::max()) {
        throw ManagerError(QStringLiteral("Tournament %1 has no usable seats_per_table.").arg(tournamentId));
    }
    return qint16(*seats);
}
