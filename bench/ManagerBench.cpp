// Recounting a tournament of 2,000 receipts from the manager's database, on an SQLite file and on a
// PostgreSQL server reached through an ODBC data source (run through scripts/with-postgres; skipped
// otherwise): the batched count of the refresh against one tables query per receipt. Targets: under
// 30 ms on SQLite and under 100 ms on PostgreSQL per refresh, and the user-interface thread never
// waiting for one (the refresher's start() only hands the work over).
//
// Then the same refresh against a database with a year of history (50 closed tournaments of 2,400
// receipts each), with and without the index on transactions(tournament_id, type) that the demo
// database has, and on PostgreSQL over a link of 20 ms and 100 ms round-trip time (a delaying proxy on
// loopback in front of the server).
#include "DelayingProxy.h"
#include "manager/CountTournament.h"
#include "manager/ManagerConnection.h"
#include "manager/ManagerIni.h"
#include "manager/ManagerRefresher.h"
#include "manager/ManagerSettings.h"
#include "manager/RefreshFromManager.h"
#include "support/ManagerTestDb.h"

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdio>
#include <map>
#include <memory>
#include <optional>
#include <string>

namespace {

constexpr int Receipts = 2000;
constexpr int Tables = 200;
constexpr int TournamentId = 1;
constexpr int HistoryTournaments = 50;
constexpr int HistoryReceipts = 2400;

// Seconds per refresh, by backend and method, for the closing comparison.
std::map<std::string, std::map<std::string, double>> seconds;

void seedLargeTournament(ManagerTestDb& db)
{
    db.createSchema();
    db.setConfig("'0'", "'0'", "'0'");
    db.addTournament(TournamentId, "Big Field", "2026-12-08", false, "Holdem", 10);
    QList<QList<int>> seats(Tables, QList<int>(10, 0));
    QStringList transactions;
    int id = 0;
    for (int i = 0; i < Receipts; ++i) {
        const int player = 10000 + i;
        const int table = i % Tables;
        transactions.append(
            ManagerTestDb::transaction(++id, player, QString::number(1 + table), TournamentId, "Receipt"));
        if (i % 5 != 0 && seats[table][(i / Tables) % 10] == 0) {
            seats[table][(i / Tables) % 10] = player; // four in five still seated where they started
        }
        if (i % 6 == 0) {
            transactions.append(ManagerTestDb::transaction(++id, player, QString::number(1 + table),
                                                           TournamentId, "Player Rebuy"));
        }
        if (i % 4 == 0) {
            transactions.append(ManagerTestDb::transaction(++id, player, QString::number(1 + table),
                                                           TournamentId, "Player Addon"));
        }
    }
    db.addTransactions(transactions);
    QStringList rows;
    for (int t = 0; t < Tables; ++t) {
        rows.append(ManagerTestDb::tableRow(1 + t, seats[t]));
    }
    db.addTables(rows);
}

// A year of Friday tournaments before the running one, closed, with their receipts, rebuys and add-ons.
void addHistory(ManagerTestDb& db)
{
    int id = 1000000;
    for (int t = 0; t < HistoryTournaments; ++t) {
        const int tournament = 100 + t;
        db.addTournament(tournament, "Friday Deepstack", "2025-12-05", true, "Holdem", 10);
        QStringList transactions;
        for (int i = 0; i < HistoryReceipts; ++i) {
            const QString table = QString::number(1 + i % Tables);
            transactions.append(ManagerTestDb::transaction(++id, 20000 + i, table, tournament, "Receipt"));
            if (i % 6 == 0) {
                transactions.append(
                    ManagerTestDb::transaction(++id, 20000 + i, table, tournament, "Player Rebuy"));
            }
            if (i % 4 == 0) {
                transactions.append(
                    ManagerTestDb::transaction(++id, 20000 + i, table, tournament, "Player Addon"));
            }
        }
        db.addTransactions(transactions);
    }
}

void setIndex(ManagerTestDb& db, bool on)
{
    db.exec(QStringLiteral("DROP INDEX IF EXISTS transactions_tournament_type"));
    if (on) {
        db.exec(QStringLiteral(
            "CREATE INDEX transactions_tournament_type ON transactions (tournament_id, type)"));
    }
    // Fresh statistics, as a server that has run for a year would have.
    db.exec(QStringLiteral("ANALYZE"));
}

std::optional<ManagerSettings> sqliteManager()
{
    static QTemporaryDir dir;
    static std::optional<ManagerSettings> settings;
    if (!settings) {
        ManagerSettings s;
        s.DATABASE = dir.filePath("manager.db");
        ApplyManagerDialect(s);
        ManagerTestDb db(ManagerTestDb::Kind::Sqlite, s.DATABASE);
        seedLargeTournament(db);
        settings = s;
    }
    return settings;
}

std::optional<ManagerSettings> postgresManager()
{
    static std::optional<ManagerSettings> settings;
    const QString dsn = qEnvironmentVariable("KAVRO_TEST_PG_DSN");
    const QString writer = qEnvironmentVariable("KAVRO_TEST_PG_WRITER_DSN");
    if (!settings && !dsn.isEmpty() && !writer.isEmpty()) {
        ManagerTestDb db(ManagerTestDb::Kind::Odbc, writer);
        seedLargeTournament(db);
        ManagerSettings s;
        s.SQLSERVER = dsn;
        ApplyManagerDialect(s);
        settings = s;
    }
    return settings;
}

// The writer of the database, to switch the index; the history is added on first use.
std::unique_ptr<ManagerTestDb> historyWriter(const std::string& backend)
{
    static std::map<std::string, bool> seeded;
    std::unique_ptr<ManagerTestDb> db;
    if (backend == "SQLite") {
        const auto settings = sqliteManager();
        db = std::make_unique<ManagerTestDb>(ManagerTestDb::Kind::Sqlite, settings->DATABASE);
    } else {
        const QString writer = qEnvironmentVariable("KAVRO_TEST_PG_WRITER_DSN");
        if (!postgresManager() || writer.isEmpty()) {
            return nullptr;
        }
        db = std::make_unique<ManagerTestDb>(ManagerTestDb::Kind::Odbc, writer);
    }
    if (!seeded[backend]) {
        addHistory(*db);
        seeded[backend] = true;
    }
    return db;
}

std::optional<ManagerSettings> manager(const std::string& backend)
{
    return backend == "SQLite" ? sqliteManager() : postgresManager();
}

void recount(benchmark::State& state, const std::string& backend, bool perReceipt)
{
    const auto settings = manager(backend);
    if (!settings) {
        state.SkipWithError("no PostgreSQL server: run through scripts/with-postgres");
        return;
    }
    double total = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        TournamentCounts counts;
        if (perReceipt) {
            ManagerConnection connection(*settings);
            counts =
                CountTournamentPerReceipt(connection, TournamentId, SeatsPerTable(connection, TournamentId));
        } else {
            const RefreshResult result = FetchRefreshCounts(*settings, TournamentId);
            if (!result.ok()) {
                state.SkipWithError(result.Error.toStdString().c_str());
                return;
            }
            counts = *result.Counts;
        }
        benchmark::DoNotOptimize(counts);
        total += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        if (counts.Entries != Receipts) {
            state.SkipWithError("wrong count");
            return;
        }
    }
    seconds[backend][perReceipt ? "per receipt" : "batched"] = total / double(state.iterations());
}

void BM_RefreshSqlite(benchmark::State& state)
{
    recount(state, "SQLite", false);
}
void BM_PerReceiptSqlite(benchmark::State& state)
{
    recount(state, "SQLite", true);
}
void BM_RefreshPostgres(benchmark::State& state)
{
    recount(state, "PostgreSQL", false);
}
void BM_PerReceiptPostgres(benchmark::State& state)
{
    recount(state, "PostgreSQL", true);
}

// What the user-interface thread spends per tick with the refresher: handing the recount over. The
// wait for the result (which arrives through the event loop) is not timed.
void BM_RefresherStartSqlite(benchmark::State& state)
{
    const auto settings = sqliteManager();
    ManagerRefresher refresher(*settings);
    for (auto _ : state) {
        QEventLoop loop;
        QObject::connect(&refresher, &ManagerRefresher::finished, &loop, &QEventLoop::quit);
        const bool started = refresher.start(TournamentId);
        benchmark::DoNotOptimize(started);
        state.PauseTiming();
        loop.exec();
        state.ResumeTiming();
    }
}

// The refresh with a year of history in the tables, without (0) and with (1) the index.
void refreshWithHistory(benchmark::State& state, const std::string& backend)
{
    const auto writer = historyWriter(backend);
    if (!writer) {
        state.SkipWithError("no PostgreSQL server: run through scripts/with-postgres");
        return;
    }
    setIndex(*writer, state.range(0) != 0);
    const std::string key = backend + (state.range(0) != 0 ? " history, index" : " history, no index");
    const auto settings = manager(backend);
    double total = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        const RefreshResult result = FetchRefreshCounts(*settings, TournamentId);
        total += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        if (!result.ok() || result.Counts->Entries != Receipts) {
            state.SkipWithError("wrong count");
            return;
        }
    }
    seconds[key]["batched"] = total / double(state.iterations());
}
void BM_RefreshHistorySqlite(benchmark::State& state)
{
    refreshWithHistory(state, "SQLite");
}
void BM_RefreshHistoryPostgres(benchmark::State& state)
{
    refreshWithHistory(state, "PostgreSQL");
}

// An ODBC data source for the server behind a delaying proxy, added to the private odbc.ini.
QString dataSourceThrough(quint16 port)
{
    const QString name = QStringLiteral("KavroBenchLink%1").arg(port);
    QFile ini(qEnvironmentVariable("ODBCINI"));
    if (!ini.open(QIODevice::Append | QIODevice::Text)) {
        return QString();
    }
    ini.write(QStringLiteral("\n[%1]\nDriver=PostgreSQL Unicode\nServername=127.0.0.1\nPort=%2\nDatabase=%3\n"
                             "Username=kavro\nPassword=kavro\nReadOnly=1\n")
                  .arg(name)
                  .arg(port)
                  .arg(qEnvironmentVariable("KAVRO_TEST_PG_DB"))
                  .toUtf8());
    return name;
}

// The refresh (with history and index) on PostgreSQL over a link of the given round-trip time.
void BM_RefreshPostgresOverLink(benchmark::State& state)
{
    const auto writer = historyWriter("PostgreSQL");
    const quint16 serverPort = quint16(qEnvironmentVariableIntValue("KAVRO_TEST_PG_PORT"));
    if (!writer || serverPort == 0) {
        state.SkipWithError("no PostgreSQL server: run through scripts/with-postgres");
        return;
    }
    setIndex(*writer, true);
    const int roundTrip = int(state.range(0));
    DelayingProxy proxy(serverPort, roundTrip);
    ManagerSettings settings;
    settings.SQLSERVER = dataSourceThrough(proxy.port());
    ApplyManagerDialect(settings);
    double total = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        const RefreshResult result = FetchRefreshCounts(settings, TournamentId);
        total += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        if (!result.ok() || result.Counts->Entries != Receipts) {
            state.SkipWithError(result.ok() ? "wrong count" : result.Error.toStdString().c_str());
            return;
        }
    }
    state.counters["round_trips"] = total / double(state.iterations()) / (roundTrip / 1000.0);
}

BENCHMARK(BM_RefreshSqlite)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PerReceiptSqlite)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RefreshPostgres)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PerReceiptPostgres)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RefresherStartSqlite)->Unit(benchmark::kMicrosecond)->Iterations(50);
BENCHMARK(BM_RefreshHistorySqlite)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_RefreshHistoryPostgres)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_RefreshPostgresOverLink)
    ->Arg(20)
    ->Arg(100)
    ->Iterations(5)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    const std::map<std::string, double> targets{{"SQLite", 0.030}, {"PostgreSQL", 0.100}};
    QJsonArray figures;
    for (const auto& [backend, by] : seconds) {
        const auto batched = by.find("batched");
        const auto perReceipt = by.find("per receipt");
        if (batched == by.end() || perReceipt == by.end()) {
            continue;
        }
        std::printf(
            "%s, %d receipts: refresh %.2f ms (target under %.0f ms: %s), one query per receipt %.2f ms, "
            "%.1f times faster\n",
            backend.c_str(), Receipts, batched->second * 1000, targets.at(backend) * 1000,
            batched->second < targets.at(backend) ? "met" : "MISSED", perReceipt->second * 1000,
            perReceipt->second / batched->second);
        figures.append(QJsonObject{
            {"name", QString::fromStdString(backend) + " refresh: times faster than one query per receipt"},
            {"value", perReceipt->second / batched->second},
            {"unit", "x"}});
    }
    // The figures that compare two benchmarks, for bench/render_readme.py.
    const QString results = qEnvironmentVariable("KAVRO_BENCH_RESULTS");
    if (!results.isEmpty()) {
        QFile out(QDir(results).filePath(QStringLiteral("manager_bench.derived.json")));
        if (out.open(QIODevice::WriteOnly)) {
            out.write(QJsonDocument(QJsonObject{{"figures", figures}}).toJson());
        }
    }
    return 0;
}
