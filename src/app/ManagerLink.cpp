#include "ManagerLink.h"

#include "core/TournamentState.h"
#include "display/frmClock.h"
#include "manager/ManagerRefresher.h"
#include "manager/ManagerTimeLimits.h"
#include "manager/RefreshFromManager.h"

#include <QApplication>

ManagerLink::ManagerLink(TournamentState& state, const ManagerSettings& manager, MessageBoxes& boxes)
    : m_state(state), m_boxes(boxes), m_refresher(std::make_unique<ManagerRefresher>(manager))
{
    QObject::connect(m_refresher.get(), &ManagerRefresher::finished,
                     [this](const RefreshResult& result) { arrived(result); });
}

ManagerLink::~ManagerLink() = default;

void ManagerLink::refresh()
{
    if (m_state.Tournament.Refresh <= 0) {
        return;
    }
    // A database that does not answer must not keep the clock from showing: the first recount then
    // arrives later like the others.
    if (!m_refresher->start(m_state.Tournament.Tournament_ID)) {
        return;
    }
    if (!m_screen || !m_screen->isVisible()) {
        m_refresher->waitFor(ManagerTimeLimits::current().startupWaitMs);
    }
}

void ManagerLink::recountForSettings()
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

void ManagerLink::arrived(const RefreshResult& result)
{
    // The recount a save waits for belongs to the dialog; the dialog holds the pause.
    if (m_recountForSettings) {
        ApplyRefreshResult(m_state, result, m_boxes, RefreshHooks{});
        return;
    }
    // A result arriving while a dialog or a question is open would change counts the director is
    // editing, or lift the pause the dialog holds; the next recount follows soon enough.
    if (QApplication::activeModalWidget() != nullptr) {
        return;
    }
    RefreshHooks hooks;
    if (m_screen) {
        frmClock* screen = m_screen;
        hooks.Pause = [screen] {
            screen->logic().clock.setPaused(true);
            screen->showModel();
        };
        hooks.Resume = [screen] {
            screen->logic().clock.setPaused(false);
            screen->showModel();
        };
    }
    // A recount arriving after the screen is up shows at once, even while the clock stands still.
    if (ApplyRefreshResult(m_state, result, m_boxes, hooks) == RefreshOutcome::Updated && m_screen &&
        m_screen->isVisible()) {
        m_screen->UpdateStatistics();
        m_screen->PrizePool();
    }
}
