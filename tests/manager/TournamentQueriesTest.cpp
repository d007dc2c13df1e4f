#include "ManagerScenario.h"
#include "manager/CountTournament.h"
#include "manager/ImportTournament.h"
#include "manager/ManagerConnection.h"
#include "manager/ManagerError.h"
#include "manager/ManagerIni.h"
#include "manager/ManagerSettings.h"
#include "manager/TournamentList.h"
#include "support/FakeMessageBoxes.h"
#include "support/QtPrinters.h"
#include "support/TempProgramFolder.h"

#include <QRandomGenerator>
#include <gtest/gtest.h>

namespace {

TEST(TournamentListQuery, ManagerSqlForSqlServerAndAccess)
{
    ManagerSettings s;
    s.SQLSERVER = "PC1";
    ApplyManagerDialect(s);
    EXPECT_EQ(TournamentListQuery(s, QDate(2026, 12, 8)),
              "SELECT * FROM tournament where closed='False' AND type<>'Chip Count' ORDER BY date ASC");
    s.hide_tourny = true;
    EXPECT_EQ(
        TournamentListQuery(s, QDate(2026, 1, 5)),
        "SELECT * FROM tournament where date>='01/05/26' AND closed='False' AND type<>'Chip Count' ORDER BY "
        "date ASC");
    EXPECT_EQ(TournamentListQuery(s, QDate(2026, 1, 5), ManagerBackend::OdbcDataSource),
              TournamentListQuery(s, QDate(2026, 1, 5)));

    s.SQLSERVER = "";
    ApplyManagerDialect(s);
    EXPECT_EQ(TournamentListQuery(s, QDate(2026, 12, 8)),
              "SELECT * FROM tournament where date>=#12/08/26# AND closed=False AND type<>'Chip Count' ORDER "
              "BY date "
              "ASC");
    s.hide_tourny = false;
    EXPECT_EQ(TournamentListQuery(s, QDate(2026, 12, 8), ManagerBackend::AccessFile),
              "SELECT * FROM tournament where closed=False AND type<>'Chip Count' ORDER BY date ASC");
}

TEST(TournamentListQuery, SqliteKeepsIsoDatesAndNumericFlags)
{
    ManagerSettings s;
    ApplyManagerDialect(s);
    EXPECT_EQ(TournamentListQuery(s, QDate(2026, 12, 8), ManagerBackend::SqliteFile),
              "SELECT * FROM tournament where closed=0 AND type<>'Chip Count' ORDER BY date ASC");
    s.hide_tourny = true;
    EXPECT_EQ(TournamentListQuery(s, QDate(2026, 12, 8), ManagerBackend::SqliteFile),
              "SELECT * FROM tournament where date>='2026-12-08' AND closed=0 AND type<>'Chip Count' ORDER "
              "BY date ASC");
}

TEST(SeatColumnList, NamesTheSeatsThenTheId)
{
    EXPECT_EQ(SeatColumnList(3), "seat_1_pid, seat_2_pid, seat_3_pid, id");
    EXPECT_EQ(SeatColumnList(0), "id");
    EXPECT_EQ(SeatColumnList(-1), "id");
}

class SqliteManager : public ::testing::Test
{
protected:
    TempProgramFolder dir;
    ManagerSettings settings;

    void SetUp() override
    {
        settings.DATABASE = dir.parentPath("manager.db");
        ApplyManagerDialect(settings);
        ManagerTestDb db(ManagerTestDb::Kind::Sqlite, settings.DATABASE);
        ManagerScenario::seed(db);
    }
    void TearDown() override
    {
        EXPECT_TRUE(QSqlDatabase::connectionNames().filter(ManagerConnection::namePrefix()).isEmpty());
    }
    ManagerTestDb writer() { return ManagerTestDb(ManagerTestDb::Kind::Sqlite, settings.DATABASE); }
    TournamentCounts count(int id, int seats, bool perReceipt = false)
    {
        ManagerConnection c(settings);
        return perReceipt ? CountTournamentPerReceipt(c, id, qint16(seats))
                          : CountTournament(c, id, qint16(seats));
    }
};

TEST_F(SqliteManager, ListsOpenTournamentsEarliestFirst)
{
    const QList<TournamentListEntry> all = ListTournaments(settings, ManagerScenario::Today);
    EXPECT_EQ(
        all,
        (QList<TournamentListEntry>{
            {1, "Friday Freezeout"}, {2, "Saturday Deepstack"}, {3, "Sunday Bounty"}, {6, "Monday Turbo"}}));
    settings.hide_tourny = true;
    EXPECT_EQ(
        ListTournaments(settings, ManagerScenario::Today),
        (QList<TournamentListEntry>{{2, "Saturday Deepstack"}, {3, "Sunday Bounty"}, {6, "Monday Turbo"}}));
    EXPECT_EQ(ListTournaments(settings, QDate(2026, 12, 14)),
              (QList<TournamentListEntry>{{6, "Monday Turbo"}}));
}

TEST_F(SqliteManager, CountsSeatedPlayersAtTheirReceiptsTable)
{
    for (const bool perReceipt : {false, true}) {
        SCOPED_TRACE(perReceipt ? "one query per receipt" : "batched");
        EXPECT_EQ(count(ManagerScenario::Running, 9, perReceipt), ManagerScenario::runningCounts(3));
        EXPECT_EQ(count(ManagerScenario::Running, 10, perReceipt), ManagerScenario::runningCounts(4));
        EXPECT_EQ(count(ManagerScenario::Running, 1, perReceipt), ManagerScenario::runningCounts(1));
        EXPECT_EQ(count(ManagerScenario::Running, 0, perReceipt), ManagerScenario::runningCounts(0));
        EXPECT_EQ(count(ManagerScenario::Running, -1, perReceipt), ManagerScenario::runningCounts(0));
        EXPECT_EQ(count(ManagerScenario::Empty, 500, perReceipt), TournamentCounts{});
        EXPECT_EQ(count(12345, 9, perReceipt), TournamentCounts{});
    }
}

TEST_F(SqliteManager, ThreeReceiptsTwoSeated)
{
    auto db = writer();
    db.addTransactions({ManagerTestDb::transaction(100, 201, "30", 7, "Receipt"),
                        ManagerTestDb::transaction(101, 202, "30", 7, "Receipt"),
                        ManagerTestDb::transaction(102, 203, "31", 7, "Receipt")});
    db.addTables({ManagerTestDb::tableRow(30, {0, 202, 201}), ManagerTestDb::tableRow(31, {0, 0, 0, 204})});
    EXPECT_EQ(count(7, 3), (TournamentCounts{2, 3, 0, 0}));
}

TEST_F(SqliteManager, ReceiptsTheCountCannotUseAreErrors)
{
    for (const bool perReceipt : {false, true}) {
        EXPECT_THROW(count(ManagerScenario::NullTable, 9, perReceipt), ManagerError);
        EXPECT_THROW(count(ManagerScenario::MissingTableRow, 9, perReceipt), ManagerError);
        // more seats than the tables have columns for
        EXPECT_THROW(count(ManagerScenario::Running, 500, perReceipt), ManagerError);
    }
}

TEST_F(SqliteManager, NullPlayerIsNeverSeated)
{
    auto db = writer();
    db.exec("INSERT INTO transactions VALUES (200, NULL, 40, 8, 'Receipt')");
    db.addTables({ManagerTestDb::tableRow(40, {})});
    EXPECT_EQ(count(8, 10), (TournamentCounts{0, 1, 0, 0}));
    EXPECT_EQ(count(8, 10, true), (TournamentCounts{0, 1, 0, 0}));
}

TEST_F(SqliteManager, BatchedCountMatchesOneQueryPerReceipt)
{
    QRandomGenerator random(20261208);
    for (int round = 0; round < 12; ++round) {
        SCOPED_TRACE(round);
        auto db = writer();
        db.createSchema();
        QStringList transactions;
        QList<QList<int>> seats(12);
        for (QList<int>& table : seats) {
            table = QList<int>(10, 0);
        }
        for (int i = 1; i <= 150; ++i) {
            const int player = 1000 + i;
            const int table = random.bounded(12);
            transactions.append(
                ManagerTestDb::transaction(i, player, QString::number(500 + table), 9, "Receipt"));
            const int fate = random.bounded(4); // seated where the receipt says, moved, busted
            if (fate < 2) {
                seats[table][random.bounded(10)] = player;
            } else if (fate == 2) {
                seats[random.bounded(12)][random.bounded(10)] = player;
            }
            if (random.bounded(5) == 0) {
                transactions.append(ManagerTestDb::transaction(1000 + i, player, "NULL", 9, "Player Rebuy"));
            }
        }
        db.addTransactions(transactions);
        QStringList tables;
        for (int t = 0; t < 12; ++t) {
            tables.append(ManagerTestDb::tableRow(500 + t, seats[t]));
        }
        db.addTables(tables);
        const int seatCount = random.bounded(11);
        EXPECT_EQ(count(9, seatCount), count(9, seatCount, true));
    }
}

TEST_F(SqliteManager, ImportTakesTheTournamentAndItsCounts)
{
    ManagerScenario::expectRunningImported(ImportTournament(settings, ManagerScenario::Running));
}

TEST_F(SqliteManager, ImportErrorsNameTheProblem)
{
    EXPECT_THROW(ImportTournament(settings, 999), ManagerError);
    EXPECT_THROW(ImportTournament(settings, ManagerScenario::NullTable), ManagerError);
    writer().exec("UPDATE tournament SET prize_guarantee=NULL WHERE id=2");
    try {
        ImportTournament(settings, ManagerScenario::Running);
        FAIL();
    } catch (const ManagerError& e) {
        EXPECT_TRUE(e.message().contains("prize_guarantee")) << e.message().toStdString();
    }
}

TEST_F(SqliteManager, ImportedTitleIsOneLine)
{
    writer().exec(
        "UPDATE tournament SET event_Name='Saturday' || char(13) || char(10) || 'Deepstack' WHERE id=2");
    EXPECT_EQ(ImportTournament(settings, ManagerScenario::Running).Title, u"Saturday Deepstack");
}

TEST_F(SqliteManager, ImportCopesWithOddSeats)
{
    writer().exec("UPDATE tournament SET seats_per_table=-1 WHERE id=2");
    EXPECT_EQ(ImportTournament(settings, ManagerScenario::Running).Counts, ManagerScenario::runningCounts(0));
    writer().exec("UPDATE tournament SET seats_per_table=500 WHERE id=2");
    EXPECT_THROW(ImportTournament(settings, ManagerScenario::Running), ManagerError);
    writer().exec("UPDATE tournament SET seats_per_table=70000 WHERE id=2");
    EXPECT_THROW(ImportTournament(settings, ManagerScenario::Running), ManagerError);
    writer().exec("UPDATE tournament SET seats_per_table='nine' WHERE id=2");
    EXPECT_THROW(ImportTournament(settings, ManagerScenario::Running), ManagerError);
}

TEST_F(SqliteManager, ListWithoutTheTableIsAnError)
{
    writer().exec("DROP TABLE tournament");
    EXPECT_THROW(ListTournaments(settings, ManagerScenario::Today), ManagerError);
}

} // namespace
