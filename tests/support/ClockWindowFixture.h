#pragma once

#include "core/BlindStructure.h"
#include "core/TournamentState.h"
#include "display/frmClock.h"
#include "support/FakeClock.h"
#include "support/FakeMessageBoxes.h"
#include "support/FakeSoundPlayer.h"
#include "support/TempProgramFolder.h"

#include <QApplication>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

// The clock window over a temporary program folder with fake sounds, message boxes and clock: a
// tournament at level 1 with the time not yet started. A test writes its blinds file, adjusts the state
// and calls open().
class ClockWindowFixture : public testing::Test
{
protected:
    TempProgramFolder folder;
    TournamentState state;
    BlindStructure blinds;
    FakeMessageBoxes boxes;
    FakeSoundPlayer sounds;
    FakeClock monotonic;
    std::unique_ptr<frmClock> window;

    ClockWindowFixture()
    {
        state.Folders = folder.folders();
        state.Tournament.Blinds = "Test.blinds.csv";
        state.Tournament.Level = 1;
        state.Tournament.Time = "--:--";
    }
    void TearDown() override
    {
        if (window) {
            window->clockTick().stop();
            window.reset();
        }
    }

    // Creates and loads the window; adjust may set hooks of the context first.
    void open(const std::function<void(ClockScreenContext&)>& adjust = {})
    {
        ClockScreenContext context(state, blinds, boxes, sounds, monotonic);
        if (adjust) {
            adjust(context);
        }
        window = std::make_unique<frmClock>(context);
        window->load();
        QApplication::processEvents();
    }
    const ScreenElement& at(ScreenElementId id) { return window->model().element(id); }
};
