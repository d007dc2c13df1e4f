#include "ClockFixture.h"

#include <random>

namespace {

// What the clock must show after a number of seconds of running: the tournament's own timeline, built
// second by second from the structure. A level of m minutes shows m:00 down to 00:00; a break adds a
// second showing the notice over 00:00, then its own countdown.
struct Shown
{
    int level;
    bool inBreak;
    QString time;
    bool operator==(const Shown&) const = default;
};

std::vector<Shown> timeline(const BlindStructure& blinds)
{
    std::vector<Shown> seconds;
    const auto count = [&](int level, bool inBreak, int minutes) {
        for (int s = minutes * 60; s >= 0; --s) {
            seconds.push_back({level, inBreak,
                               QStringLiteral("%1:%2")
                                   .arg(s / 60, 2, 10, QLatin1Char('0'))
                                   .arg(s % 60, 2, 10, QLatin1Char('0'))});
        }
    };
    for (int level = 1; level <= blinds.levelCount(); ++level) {
        count(level, false, blinds.at(level).Minutes);
        if (blinds.at(level).hasBreak()) {
            seconds.push_back({level, true, QStringLiteral("00:00")});
            count(level, true, blinds.at(level).BreakMinutes);
        }
    }
    return seconds;
}

class TickSchedulerTest : public ClockFixture
{
protected:
    Shown shown() { return {state.Tournament.Level, visible(ScreenElementId::lblBreakNotice), digits()}; }
};

TEST_F(TickSchedulerTest, StaysWithinASecondOfRealTimeThroughThreeHoursOfStalls)
{
    for (int i = 0; i < 12; ++i) {
        addLevel(25 << i, 50 << i, i > 2 ? 25 << i : 0, 15, i % 3 == 2 ? 5 : 0);
    }
    const std::vector<Shown> expected = timeline(blinds);
    ASSERT_GT(expected.size(), size_t(3 * 3600));
    state.Tournament.Level = 1;
    create();
    run();
    logic->scheduler.start();

    std::mt19937 random(20261208);
    std::uniform_int_distribution<int> jitter(-20, 40);
    std::uniform_int_distribution<int> stall(0, 3000);
    std::uniform_int_distribution<int> percent(0, 99);
    const qint64 startMs = monotonic.now;
    int stalls = 0;
    while (monotonic.now - startMs < 3 * 3600 * 1000) {
        // The timer fires about once a second, sometimes a little early; now and then the event loop is
        // busy or a modal box is open for up to three seconds.
        monotonic.advance(1000 + jitter(random));
        if (percent(random) < 3) {
            monotonic.advance(stall(random));
            ++stalls;
        }
        logic->scheduler.onTimer();
        const qint64 second = (monotonic.now - startMs) / 1000;
        const Shown now = shown();
        const bool onTime = now == expected[size_t(second)];
        const bool justBehind = second > 0 && now == expected[size_t(second - 1)];
        const bool justAhead = now == expected[size_t(second + 1)];
        ASSERT_TRUE(onTime || justBehind || justAhead)
            << "after " << (monotonic.now - startMs) << " ms the clock shows level " << now.level << " "
            << now.time.toStdString() << (now.inBreak ? " (break)" : "") << ", real time says level "
            << expected[size_t(second)].level << " " << expected[size_t(second)].time.toStdString();
    }
    EXPECT_GT(stalls, 100);
}

TEST_F(TickSchedulerTest, CatchesUpMissedSecondsAndKeepsTheRemainder)
{
    int ticks = 0;
    TickScheduler scheduler(monotonic, [&] { ++ticks; });
    EXPECT_EQ(scheduler.onTimer(), 0) << "not started";
    scheduler.start();
    monotonic.advance(950);
    EXPECT_EQ(scheduler.onTimer(), 1) << "a slightly early timer still counts";
    monotonic.advance(3600);
    EXPECT_EQ(scheduler.onTimer(), 3);
    monotonic.advance(400);
    EXPECT_EQ(scheduler.onTimer(), 1) << "the 600 ms left over plus 400 make a second";
    EXPECT_EQ(ticks, 5);
    monotonic.advance(500);
    EXPECT_EQ(scheduler.onTimer(), 0);
}

TEST_F(TickSchedulerTest, PausedSecondsAreNotCaughtUpLater)
{
    addLevel(25, 50, 0, 20);
    state.Tournament.Level = 1;
    create();
    logic->scheduler.start();
    monotonic.advance(5000);
    logic->scheduler.onTimer();
    run();
    monotonic.advance(1000);
    logic->scheduler.onTimer();
    EXPECT_EQ(digits(), QString("19:59"));
}

} // namespace
