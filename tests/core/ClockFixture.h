#pragma once

#include "core/BlindStructure.h"
#include "core/ClockScreenLogic.h"
#include "core/TournamentState.h"
#include "support/FakeClock.h"
#include "support/FakeMessageBoxes.h"
#include "support/FakeSoundPlayer.h"
#include "support/FixedTextMeasurer.h"
#include "support/QtPrinters.h"
#include "support/TempProgramFolder.h"

#include <gtest/gtest.h>
#include <memory>
#include <stdexcept>

// A clock screen's logic over a blind structure built by the test, with fakes counting what it calls.
class ClockFixture : public testing::Test
{
protected:
    TempProgramFolder folder;
    TournamentState state;
    BlindStructure blinds;
    FixedTextMeasurer measurer;
    FakeSoundPlayer sounds;
    FakeMessageBoxes boxes;
    FakeClock monotonic;
    std::unique_ptr<ClockScreenLogic> logic;

    int refreshes = 0;
    int statistics = 0;
    bool statisticsFail = false;
    int prizePools = 0;
    QList<bool> mouseShown;
    int helpOpened = 0;
    int settingsOpened = 0;
    std::function<void()> whileModal;

    ClockFixture()
    {
        state.Folders = folder.folders();
        state.Display.Tick_Sound = "Tick.wav";
        state.Display.End_Sound = "End.wav";
        folder.write("sounds/tick.WAV", "RIFF");
        folder.write("sounds/End.wav", "RIFF");
        state.Tournament.Time = "--:--";
    }

    void addLevel(int small, int big, int ante, int minutes, int breakMinutes = 0)
    {
        BlindLevel level;
        level.LevelNumber = qint16(blinds.levelCount() + 1);
        level.SmallBlind = QString::number(small);
        level.BigBlind = QString::number(big);
        level.Ante = QString::number(ante);
        level.Minutes = qint16(minutes);
        level.BreakMinutes = qint16(breakMinutes);
        blinds.append(level);
    }

    // Creates the screen's logic and starts the clock as the screen does when it loads.
    void create()
    {
        ClockHooks hooks;
        hooks.refreshFromManager = [this] { ++refreshes; };
        hooks.updateStatistics = [this] {
            ++statistics;
            if (statisticsFail) {
                throw std::overflow_error("players out of range");
            }
        };
        hooks.prizePool = [this] { ++prizePools; };
        hooks.showMouse = [this](bool visible) { mouseShown.append(visible); };
        hooks.openHelp = [this] {
            ++helpOpened;
            if (whileModal) {
                whileModal();
            }
        };
        hooks.openSettings = [this] {
            ++settingsOpened;
            if (whileModal) {
                whileModal();
            }
        };
        logic = std::make_unique<ClockScreenLogic>(state, blinds, measurer, sounds, boxes, monotonic, hooks);
        logic->clock.mouseHideCounter = 5;
        logic->commands.PlaceCommandButtons();
        logic->commands.PlacePausedNotice();
        logic->clock.Start();
        logic->clock.SetBlind(state.Tournament.Level);
        logic->clock.CountDown();
    }

    ClockScreenModel& screen() { return logic->model; }
    LevelClock& clock() { return logic->clock; }
    QString caption(const char* name) { return screen().caption(QString::fromLatin1(name)); }
    bool visible(const char* name) { return screen().isVisible(QString::fromLatin1(name)); }

    QString digits()
    {
        QString text;
        for (int i = 0; i < ClockScreenModel::DigitCount; ++i) {
            text += screen().timer(i).caption;
        }
        return text;
    }
    RgbColour digitColour() { return screen().timer(0).foreColour; }

    void run() { clock().setPaused(false); }
    void tick(int count = 1)
    {
        for (int i = 0; i < count; ++i) {
            clock().UpdateCountDown();
        }
    }
    void key(VirtualKey k) { logic->keys.KeyReleased(k); }
};
