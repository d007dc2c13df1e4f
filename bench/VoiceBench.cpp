// Rendering an announcement with espeak-ng, as the announcer's worker thread does for each new text.
#include "voice/AnnouncementText.h"
#include "voice/EspeakRenderer.h"

#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

QStringList announcements()
{
    const AnnouncementText english({}, 5);
    return {english.levelStart(12, "1.5K", "3K", "0"),
            english.levelStart(6, "300", "600", "75"),
            english.breakStart(15),
            english.breakWarning(),
            english.levelWarning(5),
            english.lastLevelEnd()};
}

void RenderAnnouncement(benchmark::State& state)
{
    const QString text = announcements().at(int(state.range(0)));
    QTemporaryDir dir;
    const QString path = dir.filePath("a.wav");
    EspeakRenderer renderer(QStringLiteral("en"), 160);
    QString error;
    renderer.render(text, path, &error); // the engine starts once per program
    for (auto _ : state) {
        if (!renderer.render(text, path, &error)) {
            state.SkipWithError(error.toStdString().c_str());
            break;
        }
    }
    state.SetLabel(text.toStdString());
    state.counters["bytes"] = double(QFile(path).size());
}
BENCHMARK(RenderAnnouncement)->DenseRange(0, 5)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
