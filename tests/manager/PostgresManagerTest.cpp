// The manager link against a real server through an ODBC data source, with the SQL Server literal forms
// (closed='False', date>='mm/dd/yy'). scripts/with-postgres starts the server and names the data source.
#include "ManagerScenario.h"
#include "core/TournamentState.h"
#include "manager/ConnectManagerDatabase.h"
#include "manager/CountTournament.h"
#include "manager/ImportTournament.h"
#include "manager/ManagerConnection.h"
#include "manager/ManagerError.h"
#include "manager/ManagerIni.h"
#include "manager/ManagerRefresher.h"
#include "manager/ManagerSettings.h"
#include "manager/RefreshFromManager.h"
#include "manager/RunWithinTimeLimit.h"
#include "manager/TournamentList.h"
#include "support/FakeMessageBoxes.h"
#include "support/QtPrinters.h"
#include "support/ShortManagerTimeLimits.h"
#include "support/TempProgramFolder.h"

#include <QProcess>
#include <QSignalSpy>
#include <gtest/gtest.h>
#include <memory>

namespace {

QString dataSource()
{
    return qEnvironmentVariable("KAVRO_TEST_PG_DSN");
}

QString writerDataSource()
{
    return qEnvironmentVariable("KAVRO_TEST_PG_WRITER_DSN");
}

// Stops the server for the life of the object, and starts it again whatever the test did.
class ServerOutage
{
public:
    ServerOutage() { m_stopped = control("stop"); }
    ~ServerOutage()
    {
        if (m_stopped) {
            control("start");
        }
    }
    bool stopped() const { return m_stopped; }

private:
    bool m_stopped = false;

    static bool control(const QString& action)
    {
        QProcess p;
        p.start(qEnvironmentVariable("KAVRO_TEST_PG_CONTROL"), {action});
        return p.waitForFinished(90000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
    }
};

// A manager transaction in a session of its own holding a table until release() or the end.
class TableLock
{
public:
    explicit TableLock(const QString& table)
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QODBC"), Name);
        db.setDatabaseName(writerDataSource());
        m_held = db.open() && db.transaction() &&
                 QSqlQuery(db).exec(QStringLiteral("LOCK TABLE %1 IN ACCESS EXCLUSIVE MODE").arg(table));
    }
    ~TableLock()
    {
        release();
        QSqlDatabase::removeDatabase(Name);
    }
    TableLock(const TableLock&) = delete;
    TableLock& operator=(const TableLock&) = delete;

    bool held() const { return m_held; }
    void release()
    {
        QSqlDatabase db = QSqlDatabase::database(Name, false);
        if (db.isOpen()) {
            db.rollback();
            db.close();
        }
        m_held = false;
    }

private:
    inline static const QString Name = QStringLiteral("kavro-test-lock");
    bool m_held = false;
};

class Postgres : public ::testing::Test
{
protected:
    TempProgramFolder dir;
    ManagerSettings settings;
    FakeMessageBoxes boxes;

    void SetUp() override
    {
        if (dataSource().isEmpty() || writerDataSource().isEmpty()) {
            GTEST_SKIP()
                << "no PostgreSQL server configured: run the tests through scripts/with-postgres, which "
                   "starts one and sets KAVRO_TEST_PG_DSN, ODBCSYSINI and ODBCINI";
        }
        ManagerTestDb db(ManagerTestDb::Kind::Odbc, writerDataSource());
        ManagerScenario::seed(db);
        settings.SQLSERVER = dataSource();
        settings.DATABASE = qEnvironmentVariable("KAVRO_TEST_PG_DB");
        ApplyManagerDialect(settings);
    }
    void TearDown() override
    {
        EXPECT_TRUE(QSqlDatabase::connectionNames().filter(ManagerConnection::namePrefix()).isEmpty());
    }
    ManagerTestDb writer() { return ManagerTestDb(ManagerTestDb::Kind::Odbc, writerDataSource()); }
    TournamentCounts count(int id, int seats, bool perReceipt = false)
    {
        ManagerConnection c(settings);
        EXPECT_EQ(c.backend(), ManagerBackend::OdbcDataSource);
        return perReceipt ? CountTournamentPerReceipt(c, id, qint16(seats))
                          : CountTournament(c, id, qint16(seats));
    }
};

TEST_F(Postgres, StartUpReadsConfigThroughTheDataSource)
{
    dir.writeParent("kavro.ini", ("DATABASE=kavro_test\r\nSQLSERVER=" + dataSource() +
                                  "\r\nDBUSERNAME=\r\nDBPASSWORD=\r\n")
                                     .toLatin1());
    ManagerSettings s;
    ConnectManagerDatabase(s, dir.folders().Parent, boxes, QLocale(QLocale::German, QLocale::Germany));
    EXPECT_TRUE(boxes.shown.isEmpty());
    EXPECT_TRUE(s.IsSqlServer);
    EXPECT_EQ(s.ConnectionString,
              "Provider=SQLOLEDB;Trusted_Connection=yes;Initial Catalog=kavro_test;Data Source=" +
                  dataSource());
    EXPECT_EQ(s.CurrencySymbol, QString::fromUtf8("€"));
    EXPECT_FALSE(s.hide_tourny);
    EXPECT_TRUE(s.auto_program_upgrade);

    writer().setConfig("'False'", "'True'", "NULL");
    ConnectManagerDatabase(s, dir.folders().Parent, boxes, QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(s.CurrencySymbol, "$");
    EXPECT_TRUE(s.hide_tourny);
    EXPECT_FALSE(s.auto_program_upgrade);
}

TEST_F(Postgres, LoginFromTheIniGoesToTheDataSource)
{
    settings.DBUSERNAME = qEnvironmentVariable("KAVRO_TEST_PG_USER");
    settings.DBPASSWORD = "kavro";
    EXPECT_EQ(count(ManagerScenario::Running, 9), ManagerScenario::runningCounts(3));
    settings.DBUSERNAME = "nobody_here";
    EXPECT_THROW(ManagerConnection{settings}, ManagerError);
}

TEST_F(Postgres, ListsWithAndWithoutHideTourny)
{
    EXPECT_EQ(TournamentListQuery(settings, ManagerScenario::Today),
              "SELECT * FROM tournament where closed='False' AND type<>'Chip Count' ORDER BY date ASC");
    EXPECT_EQ(
        ListTournaments(settings, ManagerScenario::Today),
        (QList<TournamentListEntry>{
            {1, "Friday Freezeout"}, {2, "Saturday Deepstack"}, {3, "Sunday Bounty"}, {6, "Monday Turbo"}}));
    settings.hide_tourny = true;
    EXPECT_EQ(
        TournamentListQuery(settings, ManagerScenario::Today),
        "SELECT * FROM tournament where date>='12/08/26' AND closed='False' AND type<>'Chip Count' ORDER BY "
        "date ASC");
    EXPECT_EQ(
        ListTournaments(settings, ManagerScenario::Today),
        (QList<TournamentListEntry>{{2, "Saturday Deepstack"}, {3, "Sunday Bounty"}, {6, "Monday Turbo"}}));
    EXPECT_EQ(ListTournaments(settings, QDate(2026, 12, 9)),
              (QList<TournamentListEntry>{{3, "Sunday Bounty"}, {6, "Monday Turbo"}}));
}

TEST_F(Postgres, Counts)
{
    for (const bool perReceipt : {false, true}) {
        SCOPED_TRACE(perReceipt ? "one query per receipt" : "batched");
        EXPECT_EQ(count(ManagerScenario::Running, 9, perReceipt), ManagerScenario::runningCounts(3));
        EXPECT_EQ(count(ManagerScenario::Running, 10, perReceipt), ManagerScenario::runningCounts(4));
        EXPECT_EQ(count(ManagerScenario::Running, 0, perReceipt), ManagerScenario::runningCounts(0));
        EXPECT_EQ(count(ManagerScenario::Empty, 9, perReceipt), TournamentCounts{});
        EXPECT_THROW(count(ManagerScenario::NullTable, 9, perReceipt), ManagerError);
        EXPECT_THROW(count(ManagerScenario::MissingTableRow, 9, perReceipt), ManagerError);
        EXPECT_THROW(count(ManagerScenario::Running, 500, perReceipt), ManagerError);
    }
}

TEST_F(Postgres, NothingButQueriesReachTheServer)
{
    {
        ManagerConnection c(settings);
        EXPECT_THROW(c.select("DELETE FROM transactions"), ManagerError);
        EXPECT_THROW(c.select("  update tables set seat_1_pid=NULL"), ManagerError);
    }
    EXPECT_EQ(count(ManagerScenario::Running, 9), ManagerScenario::runningCounts(3));
}

TEST_F(Postgres, Import)
{
    ManagerScenario::expectRunningImported(ImportTournament(settings, ManagerScenario::Running));
    EXPECT_THROW(ImportTournament(settings, 999), ManagerError);
}

class PostgresRefresh : public Postgres
{
protected:
    TournamentState state;
    QStringList events;
    RefreshHooks hooks{[this] { events.append("pause"); }, [this] { events.append("resume"); }};

    void SetUp() override
    {
        Postgres::SetUp();
        boxes.whileOpen = [this] { events.append("message"); };
        state.Tournament.Refresh = 5;
        state.Tournament.Tournament_ID = ManagerScenario::Running;
        state.Tournament.Player_Variance = 4;
    }
    void expectFailedKeeping(const TournamentCounts& before)
    {
        const TournamentRecord& t = state.Tournament;
        EXPECT_EQ((TournamentCounts{t.Players, t.Entries, t.Rebuys, t.Addons}), before);
        EXPECT_EQ(t.Refresh, 0);
        EXPECT_EQ(t.Player_Variance, 4);
        EXPECT_EQ(events, (QStringList{"pause", "message", "resume"}));
        ASSERT_EQ(boxes.shown.size(), 1);
        EXPECT_EQ(boxes.shown[0].icon, MessageBoxes::Icon::Warning);
        EXPECT_EQ(boxes.shown[0].text,
                  QStringLiteral("There was an error while trying to get data from KAVRO\r\n\r\n"
                                 "To continue running the tournament; update the clock\r\n"
                                 "manually using the function keys."));
    }
};

TEST_F(PostgresRefresh, DatabaseStoppedMidRun)
{
    ASSERT_EQ(RefreshFromManager(state, settings, boxes, hooks), RefreshOutcome::Updated);
    ASSERT_EQ(state.Tournament.Players, 3);
    // more players arrive; then the server goes away before the next tick
    writer().addTransactions({ManagerTestDb::transaction(50, 110, "23", 2, "Receipt")});
    writer().exec("UPDATE tables SET seat_4_pid=110 WHERE id=23");
    ASSERT_EQ(RefreshFromManager(state, settings, boxes, hooks), RefreshOutcome::Updated);
    ASSERT_EQ(state.Tournament.Players, 4);
    {
        ServerOutage outage;
        ASSERT_TRUE(outage.stopped());
        EXPECT_EQ(RefreshFromManager(state, settings, boxes, hooks), RefreshOutcome::Failed);
    }
    expectFailedKeeping(TournamentCounts{4, 7, 2, 3});
    EXPECT_EQ(RefreshFromManager(state, settings, boxes, hooks), RefreshOutcome::Skipped);
}

TEST_F(PostgresRefresh, NullTableIdAndMissingTableRowChangeNothing)
{
    for (const int id : {ManagerScenario::NullTable, ManagerScenario::MissingTableRow}) {
        SCOPED_TRACE(id);
        state.Tournament = {};
        state.Tournament.Refresh = 5;
        state.Tournament.Tournament_ID = id;
        state.Tournament.Players = 9;
        state.Tournament.Entries = 8;
        state.Tournament.Player_Variance = 4;
        events.clear();
        boxes.shown.clear();
        EXPECT_EQ(RefreshFromManager(state, settings, boxes, hooks), RefreshOutcome::Failed);
        expectFailedKeeping(TournamentCounts{9, 8, 0, 0});
    }
}

TEST_F(PostgresRefresh, RefresherReportsBackAndFailsWhenTheServerIsGone)
{
    ManagerRefresher refresher(settings);
    QSignalSpy spy(&refresher, &ManagerRefresher::finished);
    ASSERT_TRUE(refresher.start(ManagerScenario::Running));
    EXPECT_FALSE(refresher.start(ManagerScenario::Running));
    ASSERT_TRUE(spy.wait(20000));
    EXPECT_EQ(ApplyRefreshResult(state, spy.at(0).at(0).value<RefreshResult>(), boxes, hooks),
              RefreshOutcome::Updated);
    EXPECT_EQ(state.Tournament.Entries, 6);
    {
        ServerOutage outage;
        ASSERT_TRUE(outage.stopped());
        ASSERT_TRUE(refresher.start(ManagerScenario::Running));
        ASSERT_TRUE(spy.wait(30000));
    }
    EXPECT_EQ(ApplyRefreshResult(state, spy.at(1).at(0).value<RefreshResult>(), boxes, hooks),
              RefreshOutcome::Failed);
    expectFailedKeeping(ManagerScenario::runningCounts(3));
}

class PostgresLocked : public PostgresRefresh
{
protected:
    RefreshResult recountInBackground()
    {
        ManagerRefresher refresher(settings);
        QSignalSpy spy(&refresher, &ManagerRefresher::finished);
        EXPECT_TRUE(refresher.start(ManagerScenario::Running));
        if (!spy.wait(20000)) {
            ADD_FAILURE() << "no result";
            return {};
        }
        return spy.at(0).at(0).value<RefreshResult>();
    }
};

TEST_F(PostgresLocked, LockedTransactionsFailTheRecountOnceAtTheStatementLimit)
{
    ShortManagerTimeLimits limits(300, 60000);
    TableLock lock(QStringLiteral("transactions"));
    ASSERT_TRUE(lock.held());

    const RefreshResult background = recountInBackground();
    EXPECT_FALSE(background.ok());
    EXPECT_TRUE(background.Error.contains("statement timeout")) << background.Error.toStdString();
    EXPECT_THROW(ImportTournament(settings, ManagerScenario::Running), ManagerError);
    // the tournament list reads another table and still comes
    EXPECT_EQ(ListTournaments(settings, ManagerScenario::Today).size(), 4);
    EXPECT_EQ(RefreshFromManager(state, settings, boxes, hooks), RefreshOutcome::Failed);
    expectFailedKeeping(TournamentCounts{});

    lock.release();
    EXPECT_TRUE(recountInBackground().ok());
}

TEST_F(PostgresLocked, LockedTournamentTableFailsTheListAndTheImport)
{
    ShortManagerTimeLimits limits(300, 60000);
    TableLock lock(QStringLiteral("tournament"));
    ASSERT_TRUE(lock.held());
    EXPECT_THROW(ListTournaments(settings, ManagerScenario::Today), ManagerError);
    EXPECT_THROW(ImportTournament(settings, ManagerScenario::Running), ManagerError);
    lock.release();
    EXPECT_EQ(ListTournaments(settings, ManagerScenario::Today).size(), 4);
}

TEST_F(PostgresLocked, WatchdogAbandonsARecountTheServerKeepsWaiting)
{
    // The server would wait a minute: the watchdog ends the wait long before.
    auto limits = std::make_unique<ShortManagerTimeLimits>(60000, 1500);
    TableLock lock(QStringLiteral("transactions"));
    ASSERT_TRUE(lock.held());
    const RefreshResult abandoned = recountInBackground();
    EXPECT_FALSE(abandoned.ok());
    EXPECT_EQ(abandoned.Error, ManagerTimeLimitMessage(1500));
    EXPECT_EQ(RefreshFromManager(state, settings, boxes, hooks), RefreshOutcome::Failed);
    expectFailedKeeping(TournamentCounts{});

    lock.release();
    EXPECT_TRUE(ShortManagerTimeLimits::connectionsGone(ManagerConnection::namePrefix()));
    limits = std::make_unique<ShortManagerTimeLimits>(60000, 60000);
    state.Tournament.Refresh = 5;
    boxes.shown.clear();
    events.clear();
    EXPECT_EQ(RefreshFromManager(state, settings, boxes, hooks), RefreshOutcome::Updated);
    EXPECT_EQ(state.Tournament.Players, 3);
}

} // namespace
