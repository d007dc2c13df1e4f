#pragma once

#include "core/BlindStructure.h"
#include "core/ClockOptions.h"
#include "core/RecoveryKeeper.h"
#include "core/RecoveryRecord.h"
#include "core/TournamentState.h"
#include "manager/ManagerSettings.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>

class DesktopOpener;
class FileChooser;
class ManagerLink;
class ManagerRefresher;
class NetworkLink;
class VoiceLink;
class ScreenSaverBackend;
class modScreensaver;
struct UpgradeContext;
class MessageBoxes;
class MonotonicClock;
class SoundPlayer;
class frmClock;

// The program from start to end: the folders, the manager link, the settings file and the clock screen,
// brought up in that order and wired together. Everything lives here for the whole run.
class ClockApplication
{
public:
    ClockApplication(const QString& programFolder, MessageBoxes& boxes, SoundPlayer& sounds,
                     const MonotonicClock& clock);
    ~ClockApplication();

    // Runs start-up; returns the exit code when the program must end at once (a fatal manager error or
    // a missing required file), nothing when the clock screen is up and the event loop should run.
    std::optional<int> start();

    frmClock* screen() const { return m_screen.get(); }

    // Called once the clock screen exists, before it loads: message boxes can then belong to it.
    std::function<void(frmClock*)> onScreenCreated;
    TournamentState& state() { return m_state; }
    const BlindStructure& blinds() const { return m_blinds; }
    // The recount that runs beside the clock; exists once start() has connected to the manager.
    ManagerRefresher* refresher() const;
    // The players' view, the TV view and the remote; null while [Network] Players_View is off.
    NetworkLink* network() const { return m_network.get(); }
    // Reads [Network] of options.ini again, as the Options dialog does when it is closed with OK: changed
    // options restart the server at once (paired phones pair again), the same ones leave it alone.
    void applyNetworkOptions();
    // The spoken announcements; exists once the screen is up.
    VoiceLink* voice() const { return m_voice.get(); }

    // The desktop's screen-saver switch; without one, start() takes the one for Qt's platform.
    void setScreenSaver(std::unique_ptr<ScreenSaverBackend> backend);
    // Where the start-up version check fetches from and how it starts the installer.
    UpgradeContext& upgrade() { return *m_upgrade; }

    // The settings dialog's file chooser and "open with the associated program"; the platform's own
    // unless set.
    void setFileChooser(FileChooser& chooser) { m_files = &chooser; }
    void setDesktopOpener(DesktopOpener& opener) { m_desktop = &opener; }

private:
    TournamentState m_state;
    BlindStructure m_blinds;
    ManagerSettings m_manager;
    MessageBoxes& m_boxes;
    SoundPlayer& m_sounds;
    const MonotonicClock& m_clock;
    std::unique_ptr<ManagerLink> m_managerLink;
    std::unique_ptr<modScreensaver> m_screenSaver;
    std::unique_ptr<UpgradeContext> m_upgrade;
    std::unique_ptr<frmClock> m_screen;
    // Said to the director once the screen is up: what start-up had to change or leave out.
    QStringList m_startupNotes;
    bool m_requiredFilesMissing = false;
    bool m_screenClosed = false;
    // The crash record beside darvel.ini, what start-up resumed from it, and what keeps it current.
    std::unique_ptr<RecoveryRecord> m_recovery;
    std::optional<RecoveryValues> m_resumed;
    std::unique_ptr<RecoveryKeeper> m_keeper;
    std::unique_ptr<NetworkLink> m_network;
    ClockOptions::Network m_networkOptions;
    std::unique_ptr<FileChooser> m_platformFiles;
    std::unique_ptr<DesktopOpener> m_platformDesktop;
    FileChooser* m_files = nullptr;
    DesktopOpener* m_desktop = nullptr;
    std::unique_ptr<VoiceLink> m_voice;

    void resumeFromRecovery();
    void createScreen();
    // The settings dialog and the help screen, modal over the clock screen.
    void openSettings();
    void openHelp();
    void stopNetwork();
    void startVoice();
    void openOptions();
};
