#include "ClockFixture.h"
#include "core/StepTimeText.h"

namespace {

class KeyCommandsTest : public ClockFixture
{
protected:
    void SetUp() override
    {
        addLevel(25, 50, 0, 20);
        addLevel(50, 100, 0, 20, 10);
        addLevel(100, 200, 25, 20);
        addLevel(200, 400, 50, 30);
        addLevel(300, 600, 75, 30);
    }
    void startAt(int level, const char* time)
    {
        state.Tournament.Level = qint16(level);
        state.Tournament.Time = time;
        create();
    }
};

struct CountKey
{
    VirtualKey key;
    qint16 TournamentRecord::*byHand;
    qint16 TournamentRecord::*linked;
    int delta;
};

// Rebuys, add-ons and entries: by hand the count itself moves, linked its variance.
TEST_F(KeyCommandsTest, CountKeysByHandAndLinked)
{
    using T = TournamentRecord;
    const CountKey keys[] = {
        {VirtualKey::Numpad6, &T::Rebuys, &T::Rebuy_Variance, 1},
        {VirtualKey::Right, &T::Rebuys, &T::Rebuy_Variance, 1},
        {VirtualKey::Multiply, &T::Rebuys, &T::Rebuy_Variance, -1},
        {VirtualKey::Numpad5, &T::Addons, &T::Addon_Variance, 1},
        {VirtualKey::Clear, &T::Addons, &T::Addon_Variance, 1},
        {VirtualKey::Divide, &T::Addons, &T::Addon_Variance, -1},
        {VirtualKey::F8, &T::Entries, &T::Entry_Variance, 1},
        {VirtualKey::F7, &T::Entries, &T::Entry_Variance, -1},
    };
    startAt(1, "20:00");
    for (const CountKey& k : keys) {
        for (const bool linked : {false, true}) {
            state.Tournament = TournamentRecord{};
            state.Tournament.Refresh = linked ? 10 : 0;
            state.Tournament.Rebuys = state.Tournament.Addons = state.Tournament.Entries = 5;
            key(k.key);
            const qint16 expectedCount = qint16(5 + (linked ? 0 : k.delta));
            EXPECT_EQ(state.Tournament.*(k.byHand), expectedCount) << int(k.key) << " linked " << linked;
            EXPECT_EQ(state.Tournament.*(k.linked), linked ? k.delta : 0)
                << int(k.key) << " linked " << linked;
        }
    }
}

TEST_F(KeyCommandsTest, DecreasesStopAtZero)
{
    startAt(1, "20:00");
    key(VirtualKey::F7);
    EXPECT_EQ(state.Tournament.Entries, 0);
    key(VirtualKey::F8);
    EXPECT_EQ(state.Tournament.Entries, 1);
    key(VirtualKey::Multiply);
    key(VirtualKey::Divide);
    EXPECT_EQ(state.Tournament.Rebuys, 0);
    EXPECT_EQ(state.Tournament.Addons, 0);

    state.Tournament.Refresh = 30;
    state.Tournament.Rebuys = 5;
    state.Tournament.Rebuy_Variance = -5;
    key(VirtualKey::Multiply);
    EXPECT_EQ(state.Tournament.Rebuy_Variance, -5);
    key(VirtualKey::Numpad6);
    EXPECT_EQ(state.Tournament.Rebuy_Variance, -4);
}

TEST_F(KeyCommandsTest, CountsStayWithinSixteenBits)
{
    startAt(1, "20:00");
    state.Tournament.Rebuys = 32767;
    state.Tournament.Entries = 32767;
    key(VirtualKey::Numpad6);
    key(VirtualKey::F8);
    EXPECT_EQ(state.Tournament.Rebuys, 32767);
    EXPECT_EQ(state.Tournament.Entries, 32767);
}

// The counts come from the tournament, whatever the label last showed.
TEST_F(KeyCommandsTest, PlayersStayBetweenZeroAndTheEntries)
{
    startAt(1, "20:00");
    state.Tournament.Players = 10;
    state.Tournament.Entries = 10;
    screen().setCaption(ScreenElementId::lblPlayers, "3/200");
    key(VirtualKey::Add);
    EXPECT_EQ(state.Tournament.Players, 10);
    key(VirtualKey::Subtract);
    EXPECT_EQ(caption(ScreenElementId::lblPlayers), QString("9/10"));
    EXPECT_EQ(state.Tournament.Players, 9);
    state.Tournament.Players = 0;
    key(VirtualKey::Subtract);
    EXPECT_EQ(state.Tournament.Players, 0);

    state.Tournament.Refresh = 5;
    state.Tournament.Players = 1234;
    state.Tournament.Entries = 1500;
    key(VirtualKey::Add);
    EXPECT_EQ(caption(ScreenElementId::lblPlayers), QString("1235/1500"));
    EXPECT_EQ(state.Tournament.Player_Variance, 1);
    EXPECT_EQ(state.Tournament.Players, 1234);

    // Entries the screen cannot show take no player key.
    state.Tournament.Entries = 32767;
    state.Tournament.Entry_Variance = 1;
    key(VirtualKey::Subtract);
    key(VirtualKey::Add);
    EXPECT_EQ(caption(ScreenElementId::lblPlayers), QString("1235/1500"));
    EXPECT_EQ(state.Tournament.Player_Variance, 1);
}

TEST_F(KeyCommandsTest, SpaceTogglesThePause)
{
    startAt(1, "20:00");
    EXPECT_TRUE(clock().isPaused());
    key(VirtualKey::Space);
    EXPECT_FALSE(clock().isPaused());
    tick();
    EXPECT_EQ(digits(), QString("19:59"));
    key(VirtualKey::Space);
    EXPECT_TRUE(clock().isPaused());
    tick();
    EXPECT_EQ(digits(), QString("19:59"));
}

struct TimeKeyCase
{
    const char* time;
    VirtualKey key;
    const char* expected;
    int totalMinutesGained;
};

TEST_F(KeyCommandsTest, TimeKeysOnAPausedTwentyMinuteLevel)
{
    const TimeKeyCase cases[] = {
        {"20:00", VirtualKey::F10, "20:00", 0},  {"20:00", VirtualKey::F12, "20:00", 0},
        {"20:00", VirtualKey::F9, "19:00", 1},   {"19:30", VirtualKey::F10, "19:30", 0},
        {"18:30", VirtualKey::F10, "19:30", -1}, {"00:45", VirtualKey::F9, "00:45", 0},
        {"00:45", VirtualKey::F11, "00:44", 0},  {"00:45", VirtualKey::F12, "00:46", 0},
        {"07:59", VirtualKey::F12, "07:59", 0},  {"07:00", VirtualKey::F11, "07:00", 0},
        {"01:01", VirtualKey::F11, "01:00", 0},  {"05:10", VirtualKey::F9, "04:10", 1},
    };
    for (const TimeKeyCase& c : cases) {
        state = TournamentState{};
        state.Folders = folder.folders();
        startAt(3, c.time); // 40 minutes before level 3
        const QString total = caption(ScreenElementId::lblTotalTime);
        const QString toBreak = caption(ScreenElementId::lblBreak);
        key(c.key);
        EXPECT_EQ(state.Tournament.Time, QString(c.expected)) << c.time << " key " << int(c.key);
        EXPECT_EQ(digits(), QString(c.expected)) << "digits redrawn at once, paused or not";
        EXPECT_TRUE(clock().isPaused());
        EXPECT_EQ(caption(ScreenElementId::lblTotalTime), StepTimeText(total, 0, c.totalMinutesGained, false))
            << c.time;
        EXPECT_EQ(caption(ScreenElementId::lblBreak), toBreak) << "no break ahead stays --:--";
    }
}

TEST_F(KeyCommandsTest, MinuteKeysMoveTheTimeToBreak)
{
    startAt(1, "20:00");
    EXPECT_EQ(caption(ScreenElementId::lblBreak), QString("00:40"));
    key(VirtualKey::F9);
    EXPECT_EQ(caption(ScreenElementId::lblBreak), QString("00:39"));
    EXPECT_EQ(caption(ScreenElementId::lblTotalTime), QString("00:01"));
    key(VirtualKey::F10);
    EXPECT_EQ(caption(ScreenElementId::lblBreak), QString("00:40"));
    EXPECT_EQ(caption(ScreenElementId::lblTotalTime), QString("00:00"));
    key(VirtualKey::F10);
    EXPECT_EQ(state.Tournament.Time, QString("20:00"));
}

TEST_F(KeyCommandsTest, LevelKeysKeepTheTimeAndResetTheTotal)
{
    startAt(3, "07:12");
    key(VirtualKey::F6);
    EXPECT_EQ(state.Tournament.Level, 4);
    EXPECT_EQ(caption(ScreenElementId::lblBlinds), QString("200/400"));
    EXPECT_EQ(caption(ScreenElementId::lblAnte), QString("50"));
    EXPECT_EQ(caption(ScreenElementId::lblLevel), QString("4"));
    EXPECT_EQ(digits(), QString("07:12"));
    EXPECT_EQ(clock().levelMinutesText, QString("20"));
    EXPECT_EQ(caption(ScreenElementId::lblTotalTime), QString("01:00"));
    key(VirtualKey::F6);
    EXPECT_EQ(state.Tournament.Level, 5);
    EXPECT_EQ(caption(ScreenElementId::lblNextLevel), QString("-/-"));
    key(VirtualKey::F6);
    EXPECT_EQ(state.Tournament.Level, 5) << "no level after the last";
    for (int i = 0; i < 4; ++i) {
        key(VirtualKey::F5);
    }
    EXPECT_EQ(state.Tournament.Level, 1);
    EXPECT_EQ(caption(ScreenElementId::lblBreak), QString("00:40"));
    key(VirtualKey::F5);
    EXPECT_EQ(state.Tournament.Level, 1);
}

TEST_F(KeyCommandsTest, HelpAndSettingsPauseWhileOpenAndRestore)
{
    startAt(1, "20:00");
    key(VirtualKey::Space);
    bool pausedMeanwhile = false;
    whileModal = [&] { pausedMeanwhile = clock().isPaused(); };
    key(VirtualKey::F1);
    EXPECT_EQ(helpOpened, 1);
    EXPECT_TRUE(pausedMeanwhile);
    EXPECT_FALSE(clock().isPaused());
    key(VirtualKey::Space);
    key(VirtualKey::F2);
    EXPECT_EQ(settingsOpened, 1);
    EXPECT_TRUE(clock().isPaused());
}

TEST_F(KeyCommandsTest, OtherKeysDoNothing)
{
    startAt(2, "10:00");
    state.Tournament.Players = 3;
    const TournamentRecord before = state.Tournament;
    const int revision = screen().revision();
    for (int code : {0, 13, 27, 37, 48, 53, 54, 96, 100, 103, 110, 114, 115, 187, 189}) {
        key(VirtualKey(code));
    }
    EXPECT_EQ(state.Tournament, before);
    EXPECT_EQ(screen().revision(), revision);
}

} // namespace

TEST_F(KeyCommandsTest, F3AsksForTheQrCodeAndChangesNothingElse)
{
    startAt(2, "10:00");
    int toggled = 0;
    logic->keys.qrCodeToggled = [&] { ++toggled; };
    const TournamentRecord before = state.Tournament;
    key(VirtualKey::F3);
    key(VirtualKey::F3);
    EXPECT_EQ(toggled, 2);
    EXPECT_EQ(state.Tournament.Level, before.Level);
    EXPECT_EQ(state.Tournament.Time, before.Time);
}
