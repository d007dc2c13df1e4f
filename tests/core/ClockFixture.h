#pragma once

#include "core/BlindStructure.h"
#include "core/ClockScreenLogic.h"
#include "core/ClockScreenWindow.h"
#include "core/TournamentState.h"
#include "support/FakeClock.h"
#include "support/FakeMessageBoxes.h"
#include "support/FakeSoundPlayer.h"
#include "support/FixedTextMeasurer.h"
#include "support/QtPrinters.h"
#include "support/ScreenElementPrinter.h"
#include "support/TempProgramFolder.h"

#include <gtest/gtest.h>
#include <memory>
#include <stdexcept>

// A clock screen's logic over a blind structure built by the test, with fakes counting what it calls.
// The window's start-up steps are recorded in steps, among the hooks the start-up calls.
class ClockFixture : public testing::Test, private ClockScreenWindow
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
    QStringList steps;
    QStringList levelLines{QStringLiteral("Level,SB,BB,Ante,Minutes,Break")};

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
        levelLines.append(QStringLiteral("%1,%2,%3,%4,%5,%6")
                              .arg(level.LevelNumber)
                              .arg(small)
                              .arg(big)
                              .arg(ante)
                              .arg(minutes)
                              .arg(breakMinutes));
    }

    // Creates the screen's logic and starts it as the screen does when it loads, the blind structure read
    // from a file of the levels added so far. The hooks' counts start from zero afterwards.
    void create()
    {
        if (blinds.levelCount() > 0) {
            folder.write("blinds/test.blinds.csv", levelLines.join(QStringLiteral("\r\n")).toLatin1());
            state.Tournament.Blinds = QStringLiteral("test.blinds.csv");
        }
        ClockHooks hooks;
        hooks.refreshFromManager = [this] {
            steps << QStringLiteral("refresh");
            ++refreshes;
        };
        hooks.updateStatistics = [this] {
            steps << QStringLiteral("statistics");
            ++statistics;
            if (statisticsFail) {
                throw std::overflow_error("players out of range");
            }
        };
        hooks.prizePool = [this] {
            steps << QStringLiteral("prizePool");
            ++prizePools;
        };
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
        logic->InitialiseScreen(*this);
        refreshes = 0;
        statistics = 0;
        prizePools = 0;
    }

    void showLogo() override { steps << QStringLiteral("showLogo"); }
    void UpdateDisplay() override { steps << QStringLiteral("UpdateDisplay"); }
    void startClockTimer() override { steps << QStringLiteral("startClockTimer"); }
    void startAutoSizer() override { steps << QStringLiteral("startAutoSizer"); }
    void showMaximised() override { steps << QStringLiteral("showMaximised"); }

    ClockScreenModel& screen() { return logic->model; }
    LevelClock& clock() { return logic->clock; }
    QString caption(ScreenElementId id) { return screen().caption(id); }
    bool visible(ScreenElementId id) { return screen().isVisible(id); }

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
    void key(VirtualKey k) { logic->keys.keyReleased(k); }
};
