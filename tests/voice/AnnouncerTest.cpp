#include "voice/Announcer.h"

#include "core/ClockFixture.h"
#include "support/EventLoopWait.h"
#include "support/SnapshotAt.h"
#include "voice/SpeechRenderer.h"
#include "voice/WaveFile.h"

#include <QDir>
#include <condition_variable>
#include <mutex>

namespace {

// Renders one second of a tone per text, or fails, or holds the worker until released.
struct FakeRendering
{
    std::mutex lock;
    std::condition_variable changed;
    bool hold = false;
    bool fail = false;
    QStringList texts;

    void release()
    {
        {
            const std::lock_guard<std::mutex> guard(lock);
            hold = false;
        }
        changed.notify_all();
    }
};

class FakeRenderer : public SpeechRenderer
{
public:
    explicit FakeRenderer(std::shared_ptr<FakeRendering> shared) : m_shared(std::move(shared)) {}

    bool render(const QString& text, const QString& wavePath, QString* error) override
    {
        std::unique_lock<std::mutex> guard(m_shared->lock);
        m_shared->changed.wait(guard, [this] { return !m_shared->hold; });
        m_shared->texts << text;
        if (m_shared->fail) {
            *error = QStringLiteral("no voice data");
            return false;
        }
        return WaveFile::write(wavePath, std::vector<qint16>(8000, 3000), 8000, error);
    }
    QString soundKey() const override { return QStringLiteral("fake"); }

private:
    std::shared_ptr<FakeRendering> m_shared;
};

class AnnouncerTest : public ClockFixture
{
protected:
    std::shared_ptr<FakeRendering> rendering = std::make_shared<FakeRendering>();
    std::unique_ptr<Announcer> announcer;
    QStringList faults;
    // Each announcement with the clock's time when it was played.
    QStringList said;

    ~AnnouncerTest() override
    {
        rendering->release();
        announcer.reset();
    }

    QString endSound() { return folder.programPath("sounds/End.wav"); }
    QString cacheFolder() { return folder.programPath("voice-cache"); }

    void announce(int warningMinutes = 0)
    {
        create();
        announcer = std::make_unique<Announcer>(blinds, AnnouncementText({}, warningMinutes),
                                                std::make_unique<FakeRenderer>(rendering),
                                                AnnouncementCache(cacheFolder()), sounds, monotonic);
        announcer->onFault = [this](const QString& reason) { faults << reason; };
        QObject::connect(announcer.get(), &Announcer::played, [this](const QString& text, const QString&) {
            said << state.Tournament.Time + u' ' + text;
        });
        observe();
    }

    // What the clock screen does once a second: the count-down, then the tick's hooks.
    void second(int count = 1)
    {
        for (int i = 0; i < count; ++i) {
            monotonic.advance(1000);
            tick();
            observe();
        }
    }
    void observe()
    {
        announcer->ticked(
            snapshotAt(state.Tournament.Level, state.Tournament.Time, clock().inBreak(), clock().isPaused()));
        // Renders finish on the worker; what they let play is played when they arrive.
        ASSERT_TRUE(runEventsUntil([this] {
            const std::lock_guard<std::mutex> guard(rendering->lock);
            return rendering->hold || announcer->rendersInFlight() == 0;
        }));
    }
    QStringList playedNames()
    {
        QStringList names;
        for (const QString& path : sounds.played) {
            names << (path.startsWith(cacheFolder()) ? QStringLiteral("voice") : QFileInfo(path).fileName());
        }
        return names;
    }
};

TEST_F(AnnouncerTest, LevelAnnouncementWaitsForTheEndSoundAndWasRenderedALevelAhead)
{
    addLevel(100, 200, 0, 1);
    addLevel(200, 400, 50, 1);
    state.Tournament.Level = 1;
    state.Tournament.Time = "00:10";
    announce();
    run();
    EXPECT_TRUE(rendering->texts.contains("Level 2. Blinds 200 and 400, ante 50."));

    second(10);
    ASSERT_EQ(playedNames().last(), "End.wav");
    sounds.playing = true; // the end sound is still heard
    second();
    ASSERT_EQ(state.Tournament.Level, 2);
    EXPECT_EQ(playedNames().last(), "End.wav");
    second();
    EXPECT_EQ(playedNames().last(), "End.wav");
    sounds.playing = false;
    second();
    EXPECT_EQ(playedNames().mid(playedNames().indexOf("End.wav")), (QStringList{"End.wav", "voice"}));
    EXPECT_EQ(said, QStringList{"00:58 Level 2. Blinds 200 and 400, ante 50."});
    second(20);
    EXPECT_EQ(said.size(), 1);
}

TEST_F(AnnouncerTest, BreakAndItsLastMinuteAtExactlyOneMinuteLeft)
{
    addLevel(100, 200, 0, 1, 3);
    addLevel(200, 400, 0, 1);
    state.Tournament.Level = 1;
    state.Tournament.Time = "00:02";
    announce();
    run();
    second(2);
    second(); // the break starts
    second(125);
    ASSERT_TRUE(visible(ScreenElementId::lblBreakNotice));
    EXPECT_EQ(said, (QStringList{"3:01 Break, 3 minutes. Chip race at the end of the break.",
                                 "01:00 One minute left in the break."}));
    second(61);
    ASSERT_EQ(state.Tournament.Level, 2);
    EXPECT_EQ(said.size(), 3);
    EXPECT_TRUE(said.last().endsWith("Level 2. Blinds 200 and 400.")) << said.last().toStdString();
}

TEST_F(AnnouncerTest, NothingWhilePausedAndNothingTwiceAfterResumeOrRecount)
{
    addLevel(100, 200, 0, 1);
    addLevel(200, 400, 0, 2);
    state.Tournament.Level = 1;
    state.Tournament.Time = "00:02";
    announce(1);
    run();
    second(2);
    sounds.playing = true;
    second();
    ASSERT_EQ(state.Tournament.Level, 2);
    // Paused while the end sound is still heard: the level's announcement waits for the clock to run.
    clock().setPaused(true);
    sounds.playing = false;
    second(30);
    EXPECT_TRUE(said.isEmpty());
    run();
    second();
    EXPECT_EQ(said, QStringList{"01:59 Level 2. Blinds 200 and 400."});

    second(59);
    EXPECT_EQ(said.last(), "01:00 One minute left in this level.");
    // A recount pauses and resumes, and the screen ticks its hooks again at the same time.
    clock().setPaused(true);
    observe();
    run();
    observe();
    observe();
    second(5);
    EXPECT_EQ(said.size(), 2);
    // The director sets the clock back over the minute: said once per level.
    state.Tournament.Time = "01:03";
    second(10);
    EXPECT_EQ(said.size(), 2);
}

TEST_F(AnnouncerTest, LastLevelEndIsSaidAfterTheEndSound)
{
    addLevel(100, 200, 0, 1);
    state.Tournament.Level = 1;
    state.Tournament.Time = "00:03";
    announce();
    run();
    second(2);
    sounds.playing = true;
    second();
    EXPECT_TRUE(said.isEmpty()) << "the end sound is playing";
    EXPECT_EQ(playedNames().last(), "End.wav");
    sounds.playing = false;
    second();
    EXPECT_EQ(said, QStringList{"00:00 The last level has ended."});
    EXPECT_EQ(playedNames().last(), "voice");
}

TEST_F(AnnouncerTest, RepeatedTextIsRenderedOnce)
{
    addLevel(100, 200, 0, 10);
    state.Tournament.Level = 1;
    state.Tournament.Time = "05:00";
    announce();
    run();
    announcer->say("Seat open at table 4.");
    second(2);
    announcer->say("Seat open at table 4.");
    second(2);
    EXPECT_EQ(said.size(), 2);
    EXPECT_EQ(rendering->texts.count("Seat open at table 4."), 1);

    // A later run finds the file rendered before.
    auto again =
        std::make_unique<Announcer>(blinds, AnnouncementText(), std::make_unique<FakeRenderer>(rendering),
                                    AnnouncementCache(cacheFolder()), sounds, monotonic);
    again->say("Seat open at table 4.");
    ASSERT_TRUE(runEventsUntil([&] { return again->idle(); }));
    EXPECT_EQ(rendering->texts.count("Seat open at table 4."), 1);
    EXPECT_EQ(sounds.played.count(sounds.played.last()), 3) << "played each time, from the same file";
}

TEST_F(AnnouncerTest, FailedRendersStaySilentKeepTimeAndAreReportedOnce)
{
    rendering->fail = true;
    addLevel(100, 200, 0, 1);
    addLevel(200, 400, 0, 1);
    addLevel(300, 600, 0, 1);
    state.Tournament.Level = 1;
    state.Tournament.Time = "00:02";
    announce();
    run();
    second(125);
    EXPECT_EQ(state.Tournament.Level, 3);
    EXPECT_TRUE(said.isEmpty());
    EXPECT_FALSE(playedNames().contains("voice"));
    ASSERT_EQ(faults.size(), 1);
    EXPECT_TRUE(faults[0].contains("no voice data")) << faults[0].toStdString();
}

TEST_F(AnnouncerTest, RenderTakingTooLongIsLeftOutAndReportedOnce)
{
    addLevel(100, 200, 0, 10);
    state.Tournament.Level = 1;
    state.Tournament.Time = "09:00";
    announce();
    run();
    rendering->hold = true;
    announcer->say("Seat open at table 4.");
    announcer->say("Seat open at table 5.");
    second(Announcer::RenderTimeoutMs / 1000 + 2);
    EXPECT_TRUE(said.isEmpty());
    ASSERT_EQ(faults.size(), 1);
    EXPECT_TRUE(faults[0].contains("took too long"));
    rendering->release();
    ASSERT_TRUE(runEventsUntil([this] { return announcer->idle(); }));
    second(2);
    EXPECT_TRUE(said.isEmpty()) << "a late render is kept for next time, not said late";
    EXPECT_EQ(faults.size(), 1);
}

TEST_F(AnnouncerTest, NoSoundOutputIsReportedOnce)
{
    addLevel(100, 200, 0, 10);
    state.Tournament.Level = 1;
    state.Tournament.Time = "09:00";
    announce();
    announcer->audioAvailable = [] { return false; };
    run();
    announcer->say("Seat open at table 4.");
    second(3);
    announcer->say("Seat open at table 5.");
    second(3);
    EXPECT_EQ(said.size(), 2);
    EXPECT_EQ(faults, QStringList{"The computer has no sound output."});
}

TEST_F(AnnouncerTest, APlayerThatNeverEndsHoldsAnnouncementsOnlySoLong)
{
    addLevel(100, 200, 0, 10);
    state.Tournament.Level = 1;
    state.Tournament.Time = "09:00";
    announce();
    run();
    sounds.playing = true;
    announcer->say("Seat open at table 4.");
    second(int(Announcer::PlayerStuckMs / 1000) - 1);
    EXPECT_TRUE(said.isEmpty());
    second(2);
    EXPECT_EQ(said.size(), 1);
    EXPECT_TRUE(faults.isEmpty());
}

} // namespace
