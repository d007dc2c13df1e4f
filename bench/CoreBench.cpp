#include "core/BlindStructure.h"
#include "core/BlindStructureGenerator.h"
#include "core/ClockFolders.h"
#include "core/SplitCsvLine.h"
#include "core/TextFile.h"
#include "core/TournamentState.h"

#include <QDir>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

QString typicalLine(int i)
{
    return QStringLiteral("%1,%2,%3,\"%4\" , %5 ,0").arg(i).arg(i * 100).arg(i * 200).arg(i * 25).arg(20);
}

void SplitCsvLineThroughput(benchmark::State& state)
{
    QStringList lines;
    qint64 bytes = 0;
    for (int i = 0; i < 1000; ++i) {
        lines.append(typicalLine(i));
        bytes += lines.last().size();
    }
    for (auto _ : state) {
        for (const QString& line : lines) {
            benchmark::DoNotOptimize(SplitCsvLine(line));
        }
    }
    // Characters of the line, counted as the bytes of the Windows-1252 file they came from.
    state.SetBytesProcessed(state.iterations() * bytes);
}
BENCHMARK(SplitCsvLineThroughput);

void SplitCsvLineWide(benchmark::State& state)
{
    QStringList fields;
    for (int i = 0; i < 300; ++i) {
        fields.append(QString::number(i * 7));
    }
    const QString line = fields.join(u',');
    for (auto _ : state) {
        benchmark::DoNotOptimize(SplitCsvLine(line));
    }
    state.SetBytesProcessed(state.iterations() * line.size());
}
BENCHMARK(SplitCsvLineWide);

void LoadBlindStructure500Levels(benchmark::State& state)
{
    QTemporaryDir dir;
    QDir(dir.path()).mkpath(QStringLiteral("Clock/blinds"));
    TournamentState tournament;
    tournament.Folders = ClockFolders::fromProgramFolder(dir.filePath(QStringLiteral("Clock")));
    tournament.Tournament.Blinds = QStringLiteral("Big.blinds.csv");
    QStringList lines{QStringLiteral("Level,Small Blind,Big Blind,Ante,Minutes,Break")};
    for (int i = 1; i <= 500; ++i) {
        lines.append(QStringLiteral("%1,%2,%3,%4,20,%5")
                         .arg(i)
                         .arg(i * 50)
                         .arg(i * 100)
                         .arg(i * 10)
                         .arg(i % 4 == 0 ? 10 : 0));
    }
    TextFile::writeLines(tournament.Folders.Blinds + tournament.Tournament.Blinds, lines);
    BlindStructure structure;
    for (auto _ : state) {
        LoadBlindStructure(tournament, structure);
        if (structure.levelCount() != 500) {
            state.SkipWithError("wrong level count");
        }
    }
}
BENCHMARK(LoadBlindStructure500Levels)->Unit(benchmark::kMicrosecond);

} // namespace

// A long night in short levels: a hundred levels, with breaks, colour-ups and classic antes.
void GenerateBlindStructure100Levels(benchmark::State& state)
{
    BlindPlanInputs in;
    in.entries = 240;
    in.startingChips = 100000;
    in.playingMinutes = 600;
    in.levelMinutes = 6;
    in.breakEvery = 60;
    in.depth = 400;
    in.ante = BlindPlanInputs::Ante::Classic;
    in.anteFromLevel = 10;
    int levels = 0;
    for (auto _ : state) {
        const BlindStructure s = BlindStructureGenerator::generate(in);
        levels = s.levelCount();
        benchmark::DoNotOptimize(levels);
    }
    state.counters["levels"] = levels;
}
BENCHMARK(GenerateBlindStructure100Levels)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
