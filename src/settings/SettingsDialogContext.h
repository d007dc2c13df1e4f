#pragma once

#include <QString>
#include <functional>

class BlindStructure;
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

    // What a save brings up to date on the clock screen, in this order. Unset ones are skipped.
    struct ClockScreen
    {
        std::function<void()> refreshFromManager;
        std::function<void()> colorStyle;
        std::function<void()> refreshBackground;
        std::function<void()> prizePool;
        std::function<void(const QString& name, const QString& caption)> setCaption;
        std::function<void()> countDown;
        std::function<void(int level)> setBlind;
        // Shows the program folder's logo.jpg.
        std::function<void()> showLogo;
        // Opens the options dialog (network view, announcements) over the settings dialog.
        std::function<void()> openOptions;
    } screen;
};
