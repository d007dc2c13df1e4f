#pragma once

#include "manager/ImportTournament.h"
#include "manager/TournamentCounts.h"
#include "support/ManagerTestDb.h"

#include <QDate>
#include <gtest/gtest.h>
#include <ostream>

inline void PrintTo(const TournamentCounts& c, std::ostream* os)
{
    *os << "{players " << c.Players << ", entries " << c.Entries << ", rebuys " << c.Rebuys << ", add-ons "
        << c.Addons << "}";
}

// The manager data most tests read. Tournament 2, 9 seats a table, six receipts:
//   101 table 21, sits at 21 seat 1            seated
//   102 table 21, busted (in no seat)          not seated
//   103 table 22, sits at 22 seat 9            seated
//   104 table 21, moved to 22 seat 2           not seated (not at the receipt's table)
//   105 table 22, sits at 22 seat 10           seated only when 10 seats are compared
//   106 table 23, sits at 23 seat 3            seated
// two rebuys and three add-ons. Tournament 1 has a receipt whose table has no row, tournament 3 one
// without a table; tournament 4 is closed, 5 is a chip count, 6 has no transactions at all.
namespace ManagerScenario {

inline const QDate Today(2026, 12, 8);
constexpr int Running = 2;
constexpr int MissingTableRow = 1;
constexpr int NullTable = 3;
constexpr int Closed = 4;
constexpr int ChipCount = 5;
constexpr int Empty = 6;

inline TournamentCounts runningCounts(int players = 3)
{
    return TournamentCounts{qint16(players), 6, 2, 3};
}

// What importing the running tournament must give, whatever the database.
inline void expectRunningImported(const ImportedTournament& t)
{
    EXPECT_EQ(t.Title, "Saturday Deepstack");
    EXPECT_EQ(t.Buyin, "12.5");
    EXPECT_EQ(t.Rebuy, "10");
    EXPECT_EQ(t.Addon, "5.25");
    EXPECT_EQ(t.Guarantee, "2500");
    EXPECT_EQ(t.Contribution, "150");
    EXPECT_EQ(t.Seats, 9);
    EXPECT_EQ(t.Counts, runningCounts(3));
}

inline void seed(ManagerTestDb& db)
{
    db.createSchema();
    db.setConfig(QStringLiteral("'1'"), QStringLiteral("'0'"), QStringLiteral("'1'"));
    db.addTournament(1, QStringLiteral("Friday Freezeout"), QStringLiteral("2026-12-04"), false,
                     QStringLiteral("Holdem"), 10);
    db.addTournament(2, QStringLiteral("Saturday Deepstack"), QStringLiteral("2026-12-08"), false,
                     QStringLiteral("Holdem"), 9, QStringLiteral("12.5"), QStringLiteral("10"),
                     QStringLiteral("5.25"), QStringLiteral("2500"), QStringLiteral("150"));
    db.addTournament(3, QStringLiteral("Sunday Bounty"), QStringLiteral("2026-12-13"), false,
                     QStringLiteral("Bounty"), 10);
    db.addTournament(4, QStringLiteral("November Cup"), QStringLiteral("2026-11-01"), true,
                     QStringLiteral("Holdem"), 10);
    db.addTournament(5, QStringLiteral("Main Event Day 2"), QStringLiteral("2026-12-09"), false,
                     QStringLiteral("Chip Count"), 10);
    db.addTournament(6, QStringLiteral("Monday Turbo"), QStringLiteral("2026-12-14"), false,
                     QStringLiteral("Turbo"), 10);
    using T = ManagerTestDb;
    const QString receipt = QStringLiteral("Receipt");
    db.addTransactions({
        T::transaction(1, 101, "21", 2, receipt),
        T::transaction(2, 102, "21", 2, receipt),
        T::transaction(3, 103, "22", 2, receipt),
        T::transaction(4, 104, "21", 2, receipt),
        T::transaction(5, 105, "22", 2, receipt),
        T::transaction(6, 106, "23", 2, receipt),
        T::transaction(7, 102, "21", 2, QStringLiteral("Player Rebuy")),
        T::transaction(8, 104, "21", 2, QStringLiteral("Player Rebuy")),
        T::transaction(9, 101, "21", 2, QStringLiteral("Player Addon")),
        T::transaction(10, 103, "22", 2, QStringLiteral("Player Addon")),
        T::transaction(11, 106, "23", 2, QStringLiteral("Player Addon")),
        T::transaction(12, 101, "21", 1, receipt),
        T::transaction(13, 107, "99", 1, receipt),
        T::transaction(14, 108, "NULL", 3, receipt),
        T::transaction(15, 109, "21", 2, QStringLiteral("Payout")),
    });
    db.addTables({
        T::tableRow(21, {101, 0, 0, 0, 0, 0, 0, 0, 0, 0}),
        T::tableRow(22, {0, 104, 0, 0, 0, 0, 0, 0, 103, 105}),
        T::tableRow(23, {0, 0, 106}),
    });
}

} // namespace ManagerScenario
