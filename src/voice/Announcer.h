#pragma once

#include "AnnouncementCache.h"
#include "AnnouncementText.h"
#include "AnnouncementWatcher.h"
#include "core/ClockOptions.h"
#include "core/TournamentSnapshot.h"

#include <QHash>
#include <QObject>
#include <QSet>
#include <QThread>
#include <QTimer>
#include <deque>
#include <functional>
#include <memory>

class BlindStructure;
class MonotonicClock;
class RenderWorker;
class SoundPlayer;
class SpeechRenderer;

// Says the clock's announcements through the clock's own sound player. Texts are rendered on a worker
// thread, the next ones a whole level ahead, and each is played only when the player has finished what
// it was playing (the count-down and end sounds, an earlier announcement) and not just before the clock's
// next sound. While the clock is paused nothing is said. An announcement that cannot be rendered, or is
// not ready in time, is left out; the first such fault is reported, the later ones only logged.
class Announcer : public QObject
{
    Q_OBJECT
public:
    // How long an announcement may wait for its render before it is given up.
    static constexpr qint64 RenderTimeoutMs = 10000;
    // Room left before the clock's count-down sounds (from 00:05) for an announcement to finish.
    static constexpr qint64 ClockSoundMarginMs = 7000;
    // A player that says it is playing for longer than this is taken to be stuck.
    static constexpr qint64 PlayerStuckMs = 20000;

    Announcer(const BlindStructure& blinds, AnnouncementText texts, std::unique_ptr<SpeechRenderer> renderer,
              const AnnouncementCache& cache, SoundPlayer& player, const MonotonicClock& clock,
              QObject* parent = nullptr);
    ~Announcer() override;

    // Announcements with espeak-ng, the templates of the program folder's "voice" folder and its cache.
    static std::unique_ptr<Announcer> forOptions(const ClockOptions::Voice& options,
                                                 const QString& programFolder, const BlindStructure& blinds,
                                                 SoundPlayer& player, const MonotonicClock& clock);

    // After every tick of the clock.
    void ticked(const TournamentSnapshot& now);
    // Says text once it is rendered and the player is free.
    void say(const QString& text);
    // Renders text now, to be said later.
    void prepare(const QString& text);

    const AnnouncementText& texts() const { return m_texts; }
    // Nothing rendering and nothing waiting to be said.
    bool idle() const { return m_rendering.isEmpty() && m_queue.empty(); }
    // Texts sent to the worker, whether it then finds them in the cache or renders them.
    int rendersRequested() const { return m_rendersRequested; }
    int rendersInFlight() const { return int(m_rendering.size()); }

    // The first fault, with its reason; called once.
    std::function<void(const QString& reason)> onFault;
    // False when the machine has no sound output; checked at the first announcement.
    std::function<bool()> audioAvailable;

signals:
    void played(const QString& text, const QString& path);

private:
    struct Waiting
    {
        QString text;
        qint64 sinceMs = 0;
    };

    const BlindStructure& m_blinds;
    AnnouncementText m_texts;
    AnnouncementWatcher m_watcher;
    SoundPlayer& m_player;
    const MonotonicClock& m_clock;
    QThread m_thread;
    RenderWorker* m_worker = nullptr; // lives on m_thread, deleted when it ends
    QTimer m_retry;

    std::deque<Waiting> m_queue;
    struct Ready
    {
        QString path;
        qint64 durationMs = 0;
    };

    QHash<QString, Ready> m_ready;
    QSet<QString> m_rendering;
    QSet<QString> m_failed;
    int m_rendersRequested = 0;
    int m_preparedLevel = -1;
    TournamentSnapshot m_now;
    bool m_ticking = false;
    qint64 m_busyUntilMs = 0;
    qint64 m_playerBusySinceMs = -1;
    bool m_faultReported = false;
    bool m_audioChecked = false;

    void rendered(const QString& text, const QString& path, qint64 durationMs, const QString& error);
    void prepareAhead(int level);
    void pump();
    bool clockSoundSoon(qint64 durationMs) const;
    bool playerBusy();
    void fault(const QString& reason);
};
