#include "ClockApplication.h"

#include "CheckRequiredFiles.h"
#include "NetworkLink.h"
#include "ShowWelcome.h"
#include "core/AppTitle.h"
#include "core/ClockError.h"
#include "core/ClockOptions.h"
#include "core/ClockSettingsFile.h"
#include "core/MessageBoxes.h"
#include "display/LoadPayoutPercentages.h"
#include "display/PayoutList.h"
#include "display/StatisticsTexts.h"
#include "display/frmClock.h"
#include "display/frmHelp.h"
#include "manager/ConnectManagerDatabase.h"
#include "manager/ManagerFatalError.h"
#include "manager/ManagerRefresher.h"
#include "manager/ManagerTimeLimits.h"
#include "manager/RefreshFromManager.h"
#include "platform/QtDesktopOpener.h"
#include "platform/QtFileChooser.h"
#include "platform/modScreensaver.h"
#include "settings/ManagerTournamentSource.h"
#include "settings/frmClockSettings.h"
#include "settings/frmOptions.h"
#include "upgrade/CheckForUpgrade.h"
#include "upgrade/UpgradeContext.h"
#include "voice/Announcer.h"

#include <QApplication>
#include <QAudioDevice>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QMediaDevices>

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
    readClockSettings();
    resumeFromRecovery();
    m_refresher = std::make_unique<ManagerRefresher>(m_manager);
    QObject::connect(m_refresher.get(), &ManagerRefresher::finished, [this](const RefreshResult& result) {
        // The recount a save waits for belongs to the dialog; the dialog holds the pause.
        if (m_recountForSettings) {
            ApplyRefreshResult(m_state, result, m_boxes, RefreshHooks{});
            return;
        }
        // A result arriving while a dialog or a question is open would change counts the director is
        // editing, or lift the pause the dialog holds; the next recount follows soon enough.
        if (QApplication::activeModalWidget() == nullptr) {
            applyRefresh(result);
        }
    });
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
    m_keeper = std::make_unique<RecoveryKeeper>(m_state, *m_recovery, m_clock, [this] {
        return m_screen->model().isVisible(ScreenElementId::lblBreakNotice);
    });
    m_keeper->failureChanged = [notice = &m_screen->notice()](const QString& error) {
        notice->showSaveProblem(error);
    };
    if (m_resumed && m_resumed->InBreak) {
        m_screen->logic().clock.resumeBreak(m_resumed->Time);
        m_screen->showModel();
    }
    m_keeper->started();
    startNetwork();
    startAnnouncements();
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

void ClockApplication::startNetwork()
{
    // Off unless switched on in options.ini: no port is opened.
    const ClockOptions options = ClockOptions::load(m_state.Folders.Program);
    if (!options.network.playersView) {
        return;
    }
    m_network = std::make_unique<NetworkLink>(options.network, m_clock, *m_screen);
    QString error;
    if (!m_network->start(&error)) {
        m_network.reset();
        m_screen->notice().post(QStringLiteral("players-view"),
                                QStringLiteral("The players' view could not be opened on port %1: %2")
                                    .arg(options.network.port)
                                    .arg(error),
                                CornerNotice::FeatureMs);
        return;
    }
    m_screen->logic().keys.qrCodeToggled = [this] { m_network->toggleQrCode(); };
}

void ClockApplication::readClockSettings()
{
    try {
        ReadWriteClockSettings(m_state, QStringLiteral("read"), &m_startupNotes);
    } catch (const ClockError& e) {
        // The clock goes on with every value that could be read and the default for the rest; the next
        // save of the settings writes a good file.
        QString text = e.message();
        try {
            const QStringList problems = RecoverClockSettings(m_state, &m_startupNotes);
            if (problems.size() > 1) {
                text = problems.join(QStringLiteral("\r\n"));
            }
            text += QStringLiteral(
                "\r\n\r\nThe clock goes on with the default for every setting that could not be read.");
        } catch (const ClockError&) {
            ApplyClockSettingsDefaults(m_state);
            text += QStringLiteral("\r\n\r\nThe clock goes on with the default settings.");
        }
        m_boxes.show(MessageBoxes::Icon::Warning, text);
    }
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
    context.hooks.refreshFromManager = [this] { refreshFromManager(); };
    context.hooks.updateStatistics = [this] { updateStatistics(); };
    context.hooks.prizePool = [this] { prizePool(); };
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
    context.hooks.keyHandled = [this] {
        if (m_keeper) {
            m_keeper->keyHandled();
        }
    };
    context.hooks.ticked = [this] {
        if (m_keeper) {
            m_keeper->ticked();
        }
        announceTick();
    };
    context.hooks.closed = [this] {
        m_screenClosed = true;
        if (m_keeper) {
            m_keeper->finished(m_screen->settingsSaved());
        }
    };
    m_screen = std::make_unique<frmClock>(context);
    if (onScreenCreated) {
        onScreenCreated(m_screen.get());
    }
}

void ClockApplication::refreshFromManager()
{
    if (m_state.Tournament.Refresh <= 0) {
        return;
    }
    // Recounts run beside the clock and arrive through applyRefresh. The first, while the screen is still
    // being set up, is waited for a little so the first statistics show it, but a database that does not
    // answer must not keep the clock from showing: it then arrives later like the others.
    if (!m_refresher->start(m_state.Tournament.Tournament_ID)) {
        return;
    }
    if (!m_screen || !m_screen->isVisible()) {
        m_refresher->waitFor(ManagerTimeLimits::current().startupWaitMs);
    }
}

void ClockApplication::recountForSettings()
{
    if (m_state.Tournament.Refresh <= 0) {
        return;
    }
    // A recount already running may be for the tournament linked before: it is waited for too, and
    // dropped if so.
    m_refresher->start(m_state.Tournament.Tournament_ID);
    m_recountForSettings = true;
    m_refresher->waitFor(ManagerTimeLimits::current().startupWaitMs);
    m_recountForSettings = false;
}

void ClockApplication::applyRefresh(const RefreshResult& result)
{
    RefreshHooks hooks;
    hooks.Pause = [this] {
        m_screen->logic().clock.setPaused(true);
        m_screen->showModel();
    };
    hooks.Resume = [this] {
        m_screen->logic().clock.setPaused(false);
        m_screen->showModel();
    };
    // A recount arriving after the screen is up shows at once, even while the clock stands still.
    if (ApplyRefreshResult(m_state, result, m_boxes, hooks) == RefreshOutcome::Updated &&
        m_screen->isVisible()) {
        m_screen->UpdateStatistics();
        m_screen->PrizePool();
    }
}

void ClockApplication::updateStatistics()
{
    const StatisticsTexts texts = StatisticsTexts::compute(m_state, m_manager.CurrencySymbol);
    ClockScreenModel& model = m_screen->model();
    using Id = ScreenElementId;
    for (const auto& [id, text] :
         {std::pair{Id::lblTitle, texts.lblTitle}, std::pair{Id::lblPlayers, texts.lblPlayers},
          std::pair{Id::lblPrize, texts.lblPrize}, std::pair{Id::lblStack, texts.lblStack}}) {
        if (text) {
            model.setCaption(id, *text);
        }
    }
    if (!texts.ok()) {
        throw ClockError(texts.error);
    }
}

void ClockApplication::prizePool()
{
    ClockScreenModel& model = m_screen->model();
    qint16& startPlace = m_screen->PrizeStartPlace;
    // From the counts, not the labels: a label that could not show its number must not set the payouts.
    const StatisticsTexts texts = StatisticsTexts::compute(m_state, m_manager.CurrencySymbol);
    const PayoutList list = PayoutList::fromCounts(
        texts.entries, texts.pool, m_manager.CurrencySymbol, m_state.Tournament.Prize_Rounding, startPlace,
        StatisticsTexts::overflowMarker(), [this](qint16 entries) {
            return LoadPayoutPercentages(entries, m_state.Folders, m_boxes, m_payoutWarnings,
                                         &m_payoutTemplates);
        });
    model.setCaption(ScreenElementId::lblPrizePool1, list.PlacesText);
    model.setCaption(ScreenElementId::lblPrizePool2, list.AmountsText);
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
    context.refreshFromManager = [this] { recountForSettings(); };
    context.openOptions = [this] { openOptions(); };
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

void ClockApplication::startAnnouncements()
{
    m_announcer.reset();
    const ClockOptions::Voice voice = ClockOptions::load(m_state.Folders.Program).voice;
    if (!voice.announcements) {
        return;
    }
    m_announcer = Announcer::forOptions(voice, m_state.Folders.Program, m_blinds, m_sounds, m_clock);
    m_announcer->audioAvailable = [] { return !QMediaDevices::audioOutputs().isEmpty(); };
    m_announcer->onFault = [this](const QString& reason) { showAnnouncementFault(reason); };
}

void ClockApplication::announceTick()
{
    if (!m_announcer || !m_screen) {
        return;
    }
    m_announcer->ticked({m_state.Tournament.Level, m_state.Tournament.Time,
                         m_screen->model().isVisible(ScreenElementId::lblBreakNotice),
                         m_screen->logic().clock.isPaused()});
}

void ClockApplication::showAnnouncementFault(const QString& reason)
{
    // Once a run, and without stopping the clock or taking the keyboard from it.
    if (m_announcementFaultShown) {
        return;
    }
    m_announcementFaultShown = true;
    m_screen->notice().post(QStringLiteral("announcements"),
                            reason + QStringLiteral(" Announcements that cannot be spoken are left out."),
                            CornerNotice::FeatureMs);
}

void ClockApplication::openOptions()
{
    frmOptions dialog(
        m_state.Folders.Program, m_boxes, [this](const ClockOptions::Voice& voice) { testVoice(voice); },
        QApplication::activeModalWidget());
    if (dialog.exec() == QDialog::Accepted) {
        startAnnouncements();
    }
    m_voiceTest.reset();
}

void ClockApplication::testVoice(const ClockOptions::Voice& voice)
{
    m_voiceTest = Announcer::forOptions(voice, m_state.Folders.Program, m_blinds, m_sounds, m_clock);
    // The director asked for it: say why there is no sound at once.
    m_voiceTest->audioAvailable = [] { return !QMediaDevices::audioOutputs().isEmpty(); };
    m_voiceTest->onFault = [this](const QString& reason) {
        m_boxes.show(MessageBoxes::Icon::Warning, reason);
    };
    m_voiceTest->say(m_voiceTest->texts().sample());
}
