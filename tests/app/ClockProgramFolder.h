#pragma once

#include "app/ClockApplication.h"
#include "display/frmClock.h"
#include "support/FakeClock.h"
#include "support/FakeMessageBoxes.h"
#include "support/FakeSoundPlayer.h"
#include "support/ManagerDatabaseFile.h"
#include "support/TempProgramFolder.h"

// A program folder of its own for the whole clock, with its message boxes, sounds and time answered by
// fakes. The manager's database comes first (writeManagerDatabase, in SetUp where a failure can stop the
// test); addRequiredFiles adds what a start needs besides it.
struct ClockProgramFolder
{
    TempProgramFolder dir;
    FakeMessageBoxes boxes;
    FakeSoundPlayer sounds;
    FakeClock clock;

    void addRequiredFiles()
    {
        dir.copySample("blinds/Speed.blinds.csv", "blinds/Speed.blinds.csv");
        dir.copySample("prize-pool.csv", "../prize-pool.csv");
        dir.copySample("background/Blue.jpg", "background/Blue.jpg");
        dir.copySample("sounds/Count.wav", "sounds/Count.wav");
        dir.copySample("sounds/End.wav", "sounds/End.wav");
    }

    static QString caption(ClockApplication& app, ScreenElementId id)
    {
        return app.screen()->model().caption(id);
    }
};
