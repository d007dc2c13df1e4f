#pragma once

#include "TournamentCounts.h"

#include <QString>

class ManagerConnection;

// Counts a tournament's players, entries, rebuys and add-ons on an open connection. A player counts as
// seated when the table named in the receipt holds the receipt's player in one of its first `seats` seat
// columns. Reads the receipts and their tables in two queries and matches them in memory. Throws
// ManagerError on a query error, a receipt without a table (null table_id), a table without a row, or
// more than 32767 of anything.
TournamentCounts CountTournament(ManagerConnection& connection, qint32 tournamentId, qint16 seats);

// The same result with one tables query per receipt: the reference the batched count is measured and
// checked against.
TournamentCounts CountTournamentPerReceipt(ManagerConnection& connection, qint32 tournamentId, qint16 seats);

// "seat_1_pid, seat_2_pid, ..., id" for the first `seats` seats.
QString SeatColumnList(qint16 seats);

// Reads seats_per_table of a tournament. Throws ManagerError when the tournament does not exist or the
// value is not a 16-bit whole number.
qint16 SeatsPerTable(ManagerConnection& connection, qint32 tournamentId);
