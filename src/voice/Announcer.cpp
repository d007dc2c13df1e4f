#include "Announcer.h"

#include "EspeakRenderer.h"
#include "RenderWorker.h"
#include "core/BlindStructure.h"
#include "core/MonotonicClock.h"
#include "core/SoundPlayer.h"

#include <QDir>
#include <QFileInfo>
#include <QLoggingCategory>

namespace {

Q_LOGGING_CATEGORY(voiceLog, "kavro.voice")

// A moment of quiet between two sounds.
constexpr qint64 GapMs = 300;
constexpr int RetryMs = 200;

} // namespace

Announcer::Announcer(const BlindStructure& blinds, AnnouncementText texts,
                     std::unique_ptr<SpeechRenderer> renderer, const AnnouncementCache& cache,
                     SoundPlayer& player, const MonotonicClock& clock, QObject* parent)
    : QObject(parent), m_blinds(blinds), m_texts(std::move(texts)), m_watcher(m_texts.levelWarningMinutes()),
      m_player(player), m_clock(clock)
{
    m_worker = new RenderWorker(std::move(renderer), cache);
    m_worker->moveToThread(&m_thread);
    connect(&m_thread, &QThread::finished, m_worker, &QObject::deleteLater);
    connect(m_worker, &RenderWorker::rendered, this, &Announcer::rendered);
    m_thread.setObjectName(QStringLiteral("announcements"));
    m_thread.start(QThread::LowPriority);
    m_retry.setSingleShot(true);
    m_retry.setInterval(RetryMs);
    connect(&m_retry, &QTimer::timeout, this, &Announcer::pump);
}

Announcer::~Announcer()
{
    m_thread.quit();
    m_thread.wait();
}

std::unique_ptr<Announcer> Announcer::forOptions(const ClockOptions::Voice& options,
                                                 const QString& programFolder, const BlindStructure& blinds,
                                                 SoundPlayer& player, const MonotonicClock& clock)
{
    const QString templates = QDir(programFolder).filePath(QStringLiteral("voice"));
    AnnouncementText texts(AnnouncementTemplates::forVoice(templates, options.voice),
                           options.levelWarningMinutes);
    return std::make_unique<Announcer>(
        blinds, std::move(texts), std::make_unique<EspeakRenderer>(options.voice, options.rate),
        AnnouncementCache(AnnouncementCache::folderFor(programFolder)), player, clock);
}

void Announcer::ticked(const TournamentSnapshot& now)
{
    m_now = now;
    m_ticking = true;
    if (now.level != m_preparedLevel) {
        m_preparedLevel = now.level;
        prepareAhead(now.level);
    }
    for (const AnnouncementEvent& event : m_watcher.observe(now, m_blinds)) {
        say(m_texts.text(event, m_blinds));
    }
    pump();
}

void Announcer::prepareAhead(int level)
{
    using Kind = AnnouncementEvent::Kind;
    for (const AnnouncementEvent& event :
         {AnnouncementEvent{Kind::LevelStart, level + 1}, AnnouncementEvent{Kind::BreakStart, level},
          AnnouncementEvent{Kind::BreakWarning, level}, AnnouncementEvent{Kind::LevelWarning, level}}) {
        prepare(m_texts.text(event, m_blinds));
    }
    if (level >= m_blinds.levelCount()) {
        prepare(m_texts.text({Kind::LastLevelEnd, level}, m_blinds));
    }
}

void Announcer::prepare(const QString& text)
{
    if (text.isEmpty() || m_ready.contains(text) || m_rendering.contains(text) || m_failed.contains(text)) {
        return;
    }
    m_rendering.insert(text);
    ++m_rendersRequested;
    QMetaObject::invokeMethod(
        m_worker, [worker = m_worker, text] { worker->render(text); }, Qt::QueuedConnection);
}

void Announcer::say(const QString& text)
{
    if (text.isEmpty()) {
        return;
    }
    // A text that failed before is tried again: the fault may have passed.
    m_failed.remove(text);
    prepare(text);
    m_queue.push_back({text, m_clock.nowMs()});
    pump();
}

void Announcer::rendered(const QString& text, const QString& path, qint64 durationMs, const QString& error)
{
    m_rendering.remove(text);
    if (path.isEmpty()) {
        m_failed.insert(text);
        fault(QStringLiteral("The announcement \"%1\" could not be rendered: %2").arg(text, error));
    } else {
        m_ready.insert(text, {path, qMax<qint64>(0, durationMs)});
    }
    pump();
}

bool Announcer::clockSoundSoon(qint64 durationMs) const
{
    const int left = m_now.secondsLeft;
    return m_ticking && left > 0 && qint64(left) * 1000 - durationMs < ClockSoundMarginMs;
}

bool Announcer::playerBusy()
{
    if (!m_player.isPlaying()) {
        m_playerBusySinceMs = -1;
        return false;
    }
    if (m_playerBusySinceMs < 0) {
        m_playerBusySinceMs = m_clock.nowMs();
    }
    return m_clock.nowMs() - m_playerBusySinceMs < PlayerStuckMs;
}

void Announcer::pump()
{
    m_retry.stop();
    // Each item leaves the queue before a fault is reported: the report may run an event loop that
    // comes back here.
    while (!m_queue.empty()) {
        const Waiting next = m_queue.front();
        if (m_failed.contains(next.text)) {
            m_queue.pop_front();
            continue;
        }
        if (!m_ready.contains(next.text)) {
            if (m_clock.nowMs() - next.sinceMs > RenderTimeoutMs) {
                m_queue.pop_front();
                fault(QStringLiteral("The announcement \"%1\" took too long to render.").arg(next.text));
                continue;
            }
            break;
        }
        const Ready ready = m_ready.value(next.text);
        const QString& path = ready.path;
        if (!QFileInfo(path).isFile()) {
            // The cache was cleared under the clock: render it again.
            m_ready.remove(next.text);
            prepare(next.text);
            break;
        }
        if ((m_ticking && m_now.paused) || playerBusy() || m_clock.nowMs() < m_busyUntilMs) {
            break;
        }
        const qint64 duration = ready.durationMs;
        if (clockSoundSoon(duration)) {
            break;
        }
        m_queue.pop_front();
        m_busyUntilMs = m_clock.nowMs() + duration + GapMs;
        m_player.play(path);
        emit played(next.text, path);
        if (!m_audioChecked) {
            m_audioChecked = true;
            if (audioAvailable && !audioAvailable()) {
                fault(QStringLiteral("The computer has no sound output."));
            }
        }
        break;
    }
    if (!m_queue.empty()) {
        m_retry.start();
    }
}

void Announcer::fault(const QString& reason)
{
    qCWarning(voiceLog).noquote() << reason;
    if (m_faultReported) {
        return;
    }
    m_faultReported = true;
    if (onFault) {
        onFault(reason);
    }
}
