#pragma once

#include <QString>
#include <functional>

class BlindStructure;
class ClockScreen;
class DesktopOpener;
class FileChooser;
class MessageBoxes;
class SoundPlayer;
class TournamentSource;
struct TournamentState;

// What the settings dialog works with; all of it outlives the dialog.
struct SettingsDialogContext
{
    TournamentState& state;
    const BlindStructure& blinds;
    TournamentSource& tournaments;
    MessageBoxes& boxes;
    FileChooser& files;
    SoundPlayer& sounds;
    DesktopOpener& desktop;
    QString currencySymbol;

    // What a save brings up to date, in this order: the recount (when set), then the screen's colours,
    // background, statistics, payouts, level and title captions, digits and blinds; a chosen logo after its
    // copy.
    ClockScreen& screen;
    std::function<void()> refreshFromManager;
    // Opens the options dialog (network view, announcements) over the settings dialog; unset: no button.
    std::function<void()> openOptions;
    // Puts a structure from the blinds builder in place at once, keeping the level and the time left
    // (see BlindSwap); unset: the builder's "Use now" is disabled.
    std::function<void(const BlindStructure&)> useBlindsNow = {};
};
