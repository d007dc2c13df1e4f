// Many live pages on loopback against the clock's web server, with the server's limits in place: does
// every page see every tick, does the clock's own thread stay as cheap as without pages, does a page
// that drops and comes back miss anything, and how many requests a second does a flood beside them get
// answered? Each page comes from an address of its own in 127.0.0.0/8, as phones would, since one address
// may hold only a few connections. Usage: network_load [seconds (max 60)] [pages]
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
#include <QTcpSocket>
#include <QThread>
#include <QTimer>
#include <algorithm>
#include <atomic>
#include <cstdio>
#include <ctime>
#include <mutex>
#include <vector>

namespace {

// The first ticks build caches; they count for neither phase.
constexpr int WarmUpTicks = 2;
constexpr int FloodAddresses = 8;
constexpr int FloodConnectionsPerAddress = 8;

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
    long refused = 0;     // a handshake answered with anything but 101
    std::vector<qint64> delays;
};

// The source address of page or flood client number i: 127.0.0.2 and on, 250 to a /24.
QHostAddress sourceAddress(int i)
{
    return QHostAddress(quint32((127u << 24) + 2u + quint32(i / 250) * 256u + quint32(i % 250)));
}

// One live page: a WebSocket client of its own over a socket bound to its address (QWebSocket cannot
// choose one). Counts the ticks it sees, now and then drops and comes back.
class Page : public QObject
{
public:
    Page(QObject* parent, int index, quint16 port, QString origin, bool dropper, PageStats& stats)
        : QObject(parent), m_source(sourceAddress(index)), m_port(port), m_origin(origin), m_dropper(dropper),
          m_stats(stats)
    {
        connectNow();
    }

private:
    QHostAddress m_source;
    quint16 m_port;
    QString m_origin;
    bool m_dropper;
    PageStats& m_stats;
    QTcpSocket* m_socket = nullptr;
    QByteArray m_buffer;
    QByteArray m_message;
    bool m_upgraded = false;
    int m_last = -1;
    int m_expectAtLeast = -1;

    void connectNow()
    {
        m_socket = new QTcpSocket(this);
        m_socket->bind(m_source);
        m_buffer.clear();
        m_message.clear();
        m_upgraded = false;
        m_last = -1;
        {
            const std::lock_guard<std::mutex> guard(g_lock);
            m_expectAtLeast = int(g_published.size()) - 1;
        }
        ++m_stats.sessions;
        connect(m_socket, &QTcpSocket::connected, this, [this] {
            m_socket->write("GET / HTTP/1.1\r\nHost: 127.0.0.1:" + QByteArray::number(m_port) +
                            "\r\nUpgrade: websocket\r\nConnection: Upgrade\r\nSec-WebSocket-Version: 13\r\n"
                            "Sec-WebSocket-Key: dGhlIHNhbXBsZSBub25jZQ==\r\nOrigin: " +
                            m_origin.toLatin1() + "\r\n\r\n");
        });
        connect(m_socket, &QTcpSocket::readyRead, this, [this] { read(); });
        m_socket->connectToHost(QHostAddress::LocalHost, m_port);
        if (m_dropper) {
            QTimer::singleShot(1000 + QRandomGenerator::global()->bounded(4000), this, [this] {
                m_socket->abort();
                m_socket->deleteLater();
                QTimer::singleShot(QRandomGenerator::global()->bounded(1500), this, [this] { connectNow(); });
            });
        }
    }

    void read()
    {
        m_buffer += m_socket->readAll();
        if (!m_upgraded) {
            const qsizetype end = m_buffer.indexOf("\r\n\r\n");
            if (end < 0) {
                return;
            }
            if (!m_buffer.startsWith("HTTP/1.1 101")) {
                ++m_stats.refused;
                m_socket->abort();
                return;
            }
            m_upgraded = true;
            m_buffer.remove(0, end + 4);
        }
        // Frames from a server are not masked.
        for (;;) {
            if (m_buffer.size() < 2) {
                return;
            }
            const auto byte = [this](qsizetype i) { return quint8(m_buffer.at(i)); };
            qsizetype header = 2;
            quint64 length = byte(1) & 0x7F;
            if (length >= 126) {
                const int extra = length == 126 ? 2 : 8;
                if (m_buffer.size() < header + extra) {
                    return;
                }
                length = 0;
                for (int i = 0; i < extra; ++i) {
                    length = (length << 8) | byte(header + i);
                }
                header += extra;
            }
            if (m_buffer.size() < header + qsizetype(length)) {
                return;
            }
            const bool final = (byte(0) & 0x80) != 0;
            const int opcode = byte(0) & 0x0F;
            m_message += m_buffer.mid(header, qsizetype(length));
            m_buffer.remove(0, header + qsizetype(length));
            if (opcode >= 0x8) {
                m_message.clear();
                continue;
            }
            if (final) {
                received(m_message);
                m_message.clear();
            }
        }
    }

    void received(const QByteArray& text)
    {
        const int tick = QJsonDocument::fromJson(text).object()["title"].toString().toInt();
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

// Requests as fast as one keep-alive connection takes them: each answer is followed by the next
// request at once.
class FloodClient : public QObject
{
public:
    FloodClient(QObject* parent, int index, quint16 port, std::atomic<long>& answered,
                std::atomic<long>& refused)
        : QObject(parent), m_answered(answered), m_refused(refused)
    {
        m_request = "GET /api/state HTTP/1.1\r\nHost: 127.0.0.1:" + QByteArray::number(port) + "\r\n\r\n";
        m_socket = new QTcpSocket(this);
        m_socket->bind(sourceAddress(index));
        connect(m_socket, &QTcpSocket::connected, this, [this] { m_socket->write(m_request); });
        connect(m_socket, &QTcpSocket::readyRead, this, [this] { read(); });
        m_socket->connectToHost(QHostAddress::LocalHost, port);
    }

private:
    std::atomic<long>& m_answered;
    std::atomic<long>& m_refused;
    QTcpSocket* m_socket;
    QByteArray m_request;
    QByteArray m_buffer;

    void read()
    {
        m_buffer += m_socket->readAll();
        for (;;) {
            const qsizetype end = m_buffer.indexOf("\r\n\r\n");
            if (end < 0) {
                return;
            }
            const qsizetype at = m_buffer.indexOf("Content-Length:");
            const qsizetype lineEnd = m_buffer.indexOf("\r\n", at);
            const qsizetype length =
                at < 0 || at > end ? 0 : m_buffer.mid(at + 15, lineEnd - at - 15).trimmed().toLongLong();
            if (m_buffer.size() < end + 4 + length) {
                return;
            }
            (m_buffer.startsWith("HTTP/1.1 200") ? m_answered : m_refused)++;
            m_buffer.remove(0, end + 4 + length);
            m_socket->write(m_request);
        }
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
    QThread floodThread;
    floodThread.start();
    QObject floodRoot;
    floodRoot.moveToThread(&floodThread);
    std::atomic<long> floodAnswered{0};
    std::atomic<long> floodRefused{0};
    qint64 floodStart = 0;
    qint64 floodMs = 0;

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
                    new Page(&pageRoot, i, service.pushPort(), origin, dropper,
                             dropper ? dropStats : steadyStats);
                }
            });
        } else if (tick == idleTicks + loadTicks / 2) {
            // The second half of the pages' phase: a request flood beside them, from addresses of its
            // own, each as many connections as one address may hold.
            floodStart = g_since.elapsed();
            QMetaObject::invokeMethod(&floodRoot, [&] {
                for (int i = 0; i < FloodAddresses * FloodConnectionsPerAddress; ++i) {
                    new FloodClient(&floodRoot, 1000 + i / FloodConnectionsPerAddress, service.httpPort(),
                                    floodAnswered, floodRefused);
                }
            });
            phaseStart = threadCpuMs();
        } else if (tick == idleTicks + loadTicks) {
            loadCpu = threadCpuMs() - phaseStart;
            floodMs = g_since.elapsed() - floodStart;
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
    const long answered = floodAnswered;
    const long refusedRequests = floodRefused;
    QMetaObject::invokeMethod(
        &floodRoot, [&] { qDeleteAll(floodRoot.children()); }, Qt::BlockingQueuedConnection);
    floodThread.quit();
    floodThread.wait();

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
    std::printf("refused page handshakes: %ld\n", steadyStats.refused + dropStats.refused);
    std::printf("request flood beside the pages (%d addresses x %d connections, %.1f s): %.0f answers/s, %ld "
                "refused\n",
                FloodAddresses, FloodConnectionsPerAddress, double(floodMs) / 1000.0,
                floodMs > 0 ? double(answered) * 1000.0 / double(floodMs) : 0.0, refusedRequests);
    std::printf("delay publish -> page: median %lld ms, 99 %% %lld ms, max %lld ms\n",
                static_cast<long long>(percentile(0.5)), static_cast<long long>(percentile(0.99)),
                static_cast<long long>(delays.empty() ? 0 : delays.back()));
    const bool ok = steadyStats.refused + dropStats.refused == 0 && answered > 0 && steadyStats.gaps == 0 &&
                    dropStats.gaps == 0 && dropStats.staleStarts == 0 &&
                    steadyStats.messages >= expectedSteady && loadPerTick <= idlePerTick * 1.2 &&
                    (delays.empty() || delays.back() < 1000);
    std::printf("%s\n", ok ? "PASS" : "FAIL");
    return ok ? 0 : 1;
}
