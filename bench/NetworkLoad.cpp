// Many live pages on loopback against the clock's web server: does every page see every tick, does
// the clock's own thread stay as cheap as without pages, and does a page that drops and comes back
// miss anything? Usage: network_load [seconds (max 60)] [pages]
#include "core/ClockScreenModel.h"
#include "core/SteadyClock.h"
#include "display/ScreenJson.h"
#include "network/NetworkService.h"
#include "network/StateJson.h"
#include "support/FixedTextMeasurer.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRandomGenerator>
#include <QThread>
#include <QTimer>
#include <QWebSocket>
#include <algorithm>
#include <atomic>
#include <cstdio>
#include <ctime>
#include <mutex>
#include <vector>

namespace {

// The first ticks build caches; they count for neither phase.
constexpr int WarmUpTicks = 2;

double threadCpuMs()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1000.0 + double(t.tv_nsec) / 1e6;
}

// The publish time of each tick, read by the pages' thread to work out the delay.
std::mutex g_lock;
std::vector<qint64> g_published;
QElapsedTimer g_since;

struct PageStats
{
    long sessions = 0;
    long messages = 0;
    long gaps = 0;        // a tick missed within a session
    long staleStarts = 0; // a new session whose first state was not the newest
    std::vector<qint64> delays;
};

// One live page: counts the ticks it sees, now and then drops and comes back.
class Page : public QObject
{
public:
    Page(QObject* parent, QUrl url, QString origin, bool dropper, PageStats& stats)
        : QObject(parent), m_url(url), m_origin(origin), m_dropper(dropper), m_stats(stats)
    {
        connectNow();
    }

private:
    QUrl m_url;
    QString m_origin;
    bool m_dropper;
    PageStats& m_stats;
    QWebSocket* m_socket = nullptr;
    int m_last = -1;
    int m_expectAtLeast = -1;

    void connectNow()
    {
        m_socket = new QWebSocket(m_origin, QWebSocketProtocol::VersionLatest, this);
        m_last = -1;
        {
            const std::lock_guard<std::mutex> guard(g_lock);
            m_expectAtLeast = int(g_published.size()) - 1;
        }
        ++m_stats.sessions;
        connect(m_socket, &QWebSocket::textMessageReceived, this,
                [this](const QString& text) { received(text); });
        m_socket->open(m_url);
        if (m_dropper) {
            QTimer::singleShot(1000 + QRandomGenerator::global()->bounded(4000), this, [this] {
                m_socket->abort();
                m_socket->deleteLater();
                QTimer::singleShot(QRandomGenerator::global()->bounded(1500), this, [this] { connectNow(); });
            });
        }
    }

    void received(const QString& text)
    {
        const int tick = QJsonDocument::fromJson(text.toUtf8()).object()["title"].toString().toInt();
        ++m_stats.messages;
        if (m_last < 0) {
            if (tick < m_expectAtLeast) {
                ++m_stats.staleStarts;
            }
        } else if (tick > m_last + 1) {
            m_stats.gaps += tick - m_last - 1;
        }
        // The first state of a session was published before it connected: no delay to speak of.
        if (m_last >= 0 && tick != m_last) {
            const std::lock_guard<std::mutex> guard(g_lock);
            if (tick >= 0 && tick < int(g_published.size())) {
                m_stats.delays.push_back(g_since.elapsed() - g_published[size_t(tick)]);
            }
        }
        m_last = std::max(m_last, tick);
    }
};

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const int seconds = std::clamp(argc > 1 ? atoi(argv[1]) : 30, 6, 60);
    const int pages = std::clamp(argc > 2 ? atoi(argv[2]) : 300, 1, 1000);
    const int idleTicks = seconds / 3;
    const int loadTicks = seconds - idleTicks;
    g_since.start();

    SteadyClock steady;
    ClockOptions::Network options;
    options.playersView = true;
    options.bind = QStringLiteral("127.0.0.1");
    options.port = 0;
    NetworkService service(options, steady);
    QString error;
    if (!service.start(&error)) {
        std::fprintf(stderr, "network_load: %s\n", qPrintable(error));
        return 1;
    }
    // The ports were free ones; the service picks its own with port 0.
    const QUrl url(QStringLiteral("ws://127.0.0.1:%1/").arg(service.pushPort()));
    const QString origin = QStringLiteral("http://127.0.0.1:%1").arg(service.httpPort());

    FixedTextMeasurer measurer;
    ClockScreenModel model(measurer);
    TournamentSnapshot snapshot;
    int tick = 0;
    QByteArray shown;
    // What the clock's thread does per second: change the screen, turn it into the state, hand it over.
    const auto clockTick = [&] {
        model.setCaption(ScreenElementId::lblTitle, QString::number(tick));
        const int left = 3600 - tick;
        const QString digits = QStringLiteral("%1:%2")
                                   .arg(left / 60, 2, 10, QLatin1Char('0'))
                                   .arg(left % 60, 2, 10, QLatin1Char('0'));
        for (int i = 0; i < ClockScreenModel::DigitCount; ++i) {
            model.setCaption(timerId(i), digits.mid(i, 1));
        }
        snapshot.title = QString::number(tick);
        snapshot.time = digits;
        snapshot.secondsLeft = left;
        shown = StateJson::toBytes(StateJson::fromSnapshot(snapshot, ScreenJson::fromModel(model)));
        {
            const std::lock_guard<std::mutex> guard(g_lock);
            g_published.push_back(g_since.elapsed());
        }
        service.publish(shown);
        ++tick;
    };

    QThread pageThread;
    pageThread.start();
    PageStats steadyStats;
    PageStats dropStats;
    QObject pageRoot;
    pageRoot.moveToThread(&pageThread);

    double idleCpu = 0;
    double loadCpu = 0;
    QTimer ticker;
    ticker.setTimerType(Qt::PreciseTimer);
    ticker.setInterval(1000);
    double phaseStart = threadCpuMs();
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        clockTick();
        if (tick == WarmUpTicks) {
            phaseStart = threadCpuMs();
        } else if (tick == idleTicks) {
            idleCpu = threadCpuMs() - phaseStart;
            // Four in five pages stay; the others drop and come back at random.
            QMetaObject::invokeMethod(&pageRoot, [&] {
                for (int i = 0; i < pages; ++i) {
                    const bool dropper = i % 5 == 4;
                    new Page(&pageRoot, url, origin, dropper, dropper ? dropStats : steadyStats);
                }
            });
            phaseStart = threadCpuMs();
        } else if (tick == idleTicks + loadTicks) {
            loadCpu = threadCpuMs() - phaseStart;
            ticker.stop();
            QTimer::singleShot(1500, &app, &QCoreApplication::quit);
        }
    });
    ticker.start();
    app.exec();
    QMetaObject::invokeMethod(
        &pageRoot, [&] { qDeleteAll(pageRoot.children()); }, Qt::BlockingQueuedConnection);
    pageThread.quit();
    pageThread.wait();

    std::vector<qint64> delays = steadyStats.delays;
    delays.insert(delays.end(), dropStats.delays.begin(), dropStats.delays.end());
    std::sort(delays.begin(), delays.end());
    const auto percentile = [&](double p) {
        return delays.empty() ? 0 : delays[size_t(p * double(delays.size() - 1))];
    };
    const double idlePerTick = idleCpu / (idleTicks - WarmUpTicks);
    const double loadPerTick = loadCpu / loadTicks;
    const long expectedSteady = long(pages - pages / 5) * loadTicks;
    std::printf("pages %d, ticks idle %d / with pages %d, state %lld bytes\n", pages, idleTicks, loadTicks,
                static_cast<long long>(shown.size()));
    std::printf("clock thread CPU per tick: idle %.3f ms, with pages %.3f ms (%+.1f %%)\n", idlePerTick,
                loadPerTick, (loadPerTick / idlePerTick - 1) * 100);
    std::printf("steady pages: %ld sessions, %ld states (at least %ld expected), %ld missed ticks\n",
                steadyStats.sessions, steadyStats.messages, expectedSteady, steadyStats.gaps);
    std::printf(
        "dropping pages: %ld sessions, %ld states, %ld missed ticks within a session, %ld sessions that "
        "did not start with the newest state\n",
        dropStats.sessions, dropStats.messages, dropStats.gaps, dropStats.staleStarts);
    std::printf("delay publish -> page: median %lld ms, 99 %% %lld ms, max %lld ms\n",
                static_cast<long long>(percentile(0.5)), static_cast<long long>(percentile(0.99)),
                static_cast<long long>(delays.empty() ? 0 : delays.back()));
    const bool ok = steadyStats.gaps == 0 && dropStats.gaps == 0 && dropStats.staleStarts == 0 &&
                    steadyStats.messages >= expectedSteady && loadPerTick <= idlePerTick * 1.2 &&
                    (delays.empty() || delays.back() < 1000);
    std::printf("%s\n", ok ? "PASS" : "FAIL");
    return ok ? 0 : 1;
}
