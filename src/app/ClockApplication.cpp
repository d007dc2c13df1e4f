#include "ClockApplication.h"

#include "CheckRequiredFiles.h"
#include "ManagerLink.h"
#include "NetworkLink.h"
#include "ShowWelcome.h"
#include "VoiceLink.h"
#include "core/ClockOptions.h"
#include "core/ClockSettingsFile.h"
#include "core/Guarded.h"
#include "core/MessageBoxes.h"
#include "display/frmClock.h"
#include "display/frmHelp.h"
#include "manager/ConnectManagerDatabase.h"
#include "manager/ManagerFatalError.h"
#include "platform/QtDesktopOpener.h"
#include "platform/QtFileChooser.h"
#include "platform/modScreensaver.h"
#include "settings/ManagerTournamentSource.h"
#include "settings/frmClockSettings.h"
#include "settings/frmOptions.h"
#include "upgrade/CheckForUpgrade.h"
#include "upgrade/UpgradeContext.h"

#include <QApplication>
#include <QCoreApplication>
#include <QGuiApplication>

ClockApplication::ClockApplication(const QString& programFolder, MessageBoxes& boxes, SoundPlayer& sounds,
                                   const MonotonicClock& clock)
    : m_boxes(boxes), m_sounds(sounds), m_clock(clock)
{
    m_state.Folders = ClockFolders::fromProgramFolder(programFolder);
    m_upgrade = std::make_unique<UpgradeContext>(m_state.Folders.Program, m_boxes, m_clock);
    m_platformFiles = std::make_unique<QtFileChooser>();
    m_platformDesktop = std::make_unique<QtDesktopOpener>();
    m_files = m_platformFiles.get();
    m_desktop = m_platformDesktop.get();
}

ClockApplication::~ClockApplication() = default;

ManagerRefresher* ClockApplication::refresher() const
{
    return m_managerLink ? m_managerLink->refresher() : nullptr;
}

void ClockApplication::setScreenSaver(std::unique_ptr<ScreenSaverBackend> backend)
{
    m_screenSaver = std::make_unique<modScreensaver>(std::move(backend));
}

std::optional<int> ClockApplication::start()
{
    try {
        ConnectManagerDatabase(m_manager, m_state.Folders.Parent, m_boxes);
    } catch (const ManagerFatalError& e) {
        return e.exitCode();
    }
    const QString settingsProblem = ReadClockSettingsAtStartup(m_state, &m_startupNotes);
    if (!settingsProblem.isEmpty()) {
        m_boxes.show(MessageBoxes::Icon::Warning, settingsProblem);
    }
    resumeFromRecovery();
    m_managerLink = std::make_unique<ManagerLink>(m_state, m_manager, m_boxes);
    createScreen();
    m_screen->load();
    if (m_requiredFilesMissing) {
        return 1;
    }
    if (!m_screen->logic().blindsProblem.isEmpty()) {
        m_startupNotes.append(
            m_screen->logic().blindsProblem +
            QStringLiteral("\r\n\r\nThe clock goes on with the levels read before the problem."));
    }
    for (const QString& note : std::as_const(m_startupNotes)) {
        m_boxes.show(MessageBoxes::Icon::Warning, note);
    }
    m_keeper = std::make_unique<RecoveryKeeper>(m_state, *m_recovery, m_clock,
                                                [this] { return m_screen->logic().clock.inBreak(); });
    QObject::connect(m_screen.get(), &frmClock::keyHandled,
                     [this] { guarded([&] { m_keeper->keyHandled(); }); });
    QObject::connect(m_screen.get(), &frmClock::ticked, [this] { guarded([&] { m_keeper->ticked(); }); });
    m_keeper->failureChanged = [notice = &m_screen->notice()](const QString& error) {
        notice->showSaveProblem(error);
    };
    if (m_resumed && m_resumed->InBreak) {
        m_screen->logic().clock.resumeBreak(m_resumed->Time);
        m_screen->showModel();
    }
    m_keeper->started();
    applyNetworkOptions();
    startVoice();
    if (m_resumed && !m_resumed->Closed) {
        m_boxes.show(MessageBoxes::Icon::Information,
                     RecoveryRecord::resumedMessage(*m_resumed, m_recovery->written()));
    }
    if (m_manager.auto_program_upgrade) {
        m_upgrade->parent = m_screen.get();
        m_upgrade->clockClosed = [this] { return m_screenClosed; };
        // The installer has taken over: end at once, without the exit question or the screen's close.
        if (CheckForUpgrade(*m_upgrade)) {
            return 0;
        }
        // The director closed the clock while the check ran; the event loop would wait for a window
        // that is gone.
        if (m_screenClosed) {
            return 0;
        }
    }
    return std::nullopt;
}

void ClockApplication::applyNetworkOptions()
{
    // Off unless switched on in options.ini: no port is opened. The same options keep the server running,
    // and with it every paired phone.
    const ClockOptions::Network wanted = ClockOptions::load(m_state.Folders.Program).network;
    if (m_network && wanted == m_networkOptions) {
        return;
    }
    stopNetwork();
    m_networkOptions = wanted;
    if (!wanted.playersView) {
        return;
    }
    m_network = std::make_unique<NetworkLink>(wanted, m_clock, *m_screen);
    QString error;
    if (!m_network->start(&error)) {
        m_network.reset();
        m_screen->notice().post(QStringLiteral("players-view"),
                                QStringLiteral("The players' view could not be opened on port %1: %2")
                                    .arg(wanted.port)
                                    .arg(error),
                                CornerNotice::FeatureMs);
        return;
    }
    m_screen->logic().keys.qrCodeToggled = [this] { m_network->toggleQrCode(); };
}

void ClockApplication::stopNetwork()
{
    m_screen->logic().keys.qrCodeToggled = nullptr;
    m_network.reset();
    m_screen->notice().clear(QStringLiteral("players-view"));
    m_screen->notice().clear(QStringLiteral("remote"));
}

void ClockApplication::resumeFromRecovery()
{
    m_recovery = std::make_unique<RecoveryRecord>(m_state.Folders);
    m_resumed = m_recovery->resumable(m_state);
    if (m_resumed) {
        m_resumed->applyTo(m_state);
    }
}

void ClockApplication::createScreen()
{
    ClockScreenContext context(m_state, m_blinds, m_boxes, m_sounds, m_clock);
    context.currencySymbol = m_manager.CurrencySymbol;
    context.hooks.refreshFromManager = [this] { m_managerLink->refresh(); };
    const auto letEventsRun = [] { QCoreApplication::processEvents(); };
    context.showWelcome = [this, letEventsRun] { ShowWelcome(m_state, m_boxes, letEventsRun); };
    context.checkRequiredFiles = [this, letEventsRun] {
        m_requiredFilesMissing = CheckRequiredFiles(m_state, m_boxes, letEventsRun);
    };
    if (!m_screenSaver) {
        setScreenSaver(modScreensaver::forPlatform(QGuiApplication::platformName()));
    }
    context.isScreenSaverActive = [this] { return m_screenSaver->IsScreenSaverActive(); };
    context.setScreenSaverActive = [this](bool active) { m_screenSaver->SetScreenSaverActive(active); };
    context.hooks.openSettings = [this] { openSettings(); };
    context.hooks.openHelp = [this] { openHelp(); };
    m_screen = std::make_unique<frmClock>(context);
    m_managerLink->setScreen(m_screen.get());
    QObject::connect(m_screen.get(), &frmClock::closed, [this] {
        m_screenClosed = true;
        if (m_keeper) {
            m_keeper->finished(m_screen->settingsSaved());
        }
    });
    if (onScreenCreated) {
        onScreenCreated(m_screen.get());
    }
}

void ClockApplication::openSettings()
{
    if (auto* chooser = dynamic_cast<QtFileChooser*>(m_files)) {
        chooser->setParentWindow(m_screen.get());
    }
    ManagerTournamentSource tournaments(m_manager);
    SettingsDialogContext context{m_state,   m_blinds, tournaments, m_boxes,
                                  *m_files,  m_sounds, *m_desktop,  m_manager.CurrencySymbol,
                                  *m_screen, {},       {}};
    // The clock is paused while the dialog is open, so the recount after a save needs no pause of its own.
    context.refreshFromManager = [this] { m_managerLink->recountForSettings(); };
    context.openOptions = [this] { openOptions(); };
    context.useBlindsNow = [this](const BlindStructure& replacement) {
        m_screen->logic().replaceBlinds(replacement);
        m_screen->showModel();
    };
    frmClockSettings dialog(context, m_screen.get());
    dialog.exec();
    if (m_keeper) {
        m_keeper->settingsClosed();
    }
}

void ClockApplication::openHelp()
{
    frmHelp help(m_screen.get());
    help.exec();
}

void ClockApplication::startVoice()
{
    m_voice = std::make_unique<VoiceLink>(m_state.Folders.Program, m_blinds, m_sounds, m_clock, m_boxes,
                                          &m_screen->notice());
    m_voice->start(m_screen->snapshot());
    QObject::connect(m_screen.get(), &frmClock::snapshotChanged, m_voice.get(), &VoiceLink::announce);
}

void ClockApplication::openOptions()
{
    frmOptions dialog(
        m_state.Folders.Program, m_boxes, [this](const ClockOptions::Voice& voice) { m_voice->test(voice); },
        QApplication::activeModalWidget());
    if (m_network) {
        dialog.setForgetPhones([this] { m_network->service().forgetPairedPhones(); });
    }
    if (dialog.exec() == QDialog::Accepted) {
        m_voice->start(m_screen->snapshot());
        applyNetworkOptions();
    }
    m_voice->endTest();
}
