// Recounting a tournament of 2,000 receipts from the manager's database, on an SQLite file and on a
// PostgreSQL server reached through an ODBC data source (run through scripts/with-postgres; skipped
// otherwise): the batched count of the refresh against one tables query per receipt. Targets: under
// 30 ms on SQLite and under 100 ms on PostgreSQL per refresh, and the user-interface thread never
// waiting for one (the refresher's start() only hands the work over).
#include "manager/CountTournament.h"
#include "manager/ManagerConnection.h"
#include "manager/ManagerIni.h"
#include "manager/ManagerRefresher.h"
#include "manager/ManagerSettings.h"
#include "manager/RefreshFromManager.h"
#include "support/ManagerTestDb.h"

#include <QCoreApplication>
#include <QEventLoop>
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

BENCHMARK(BM_RefreshSqlite)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PerReceiptSqlite)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RefreshPostgres)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PerReceiptPostgres)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RefresherStartSqlite)->Unit(benchmark::kMicrosecond)->Iterations(50);

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
    }
    return 0;
}
