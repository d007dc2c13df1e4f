#pragma once

#include "SettingsFakes.h"
#include "core/BlindStructure.h"
#include "core/TournamentState.h"
#include "settings/SettingsDialogContext.h"
#include "support/FakeMessageBoxes.h"
#include "support/FakeSoundPlayer.h"
#include "support/TempProgramFolder.h"

#include <QStringList>
#include <memory>

// What a settings window under test stands on: a program folder of its own, the tournament and its
// blinds, and every service answered by a fake.
struct SettingsDialogWorld
{
    TempProgramFolder dir;
    TournamentState state;
    BlindStructure blinds;
    FakeTournamentSource tournaments;
    FakeMessageBoxes boxes;
    FakeFileChooser files;
    FakeSoundPlayer sounds;
    FakeDesktopOpener desktop;
    QStringList screenCalls;
    FakeClockScreen screen{screenCalls};
    std::unique_ptr<SettingsDialogContext> context;

    SettingsDialogWorld() { state.Folders = dir.folders(); }

    SettingsDialogContext& makeContext(TournamentSource& source)
    {
        context = std::make_unique<SettingsDialogContext>(
            SettingsDialogContext{state, blinds, source, boxes, files, sounds, desktop, "$", screen, {}, {}});
        return *context;
    }
    SettingsDialogContext& makeContext() { return makeContext(tournaments); }
};
