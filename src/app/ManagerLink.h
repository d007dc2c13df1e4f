#pragma once

#include "manager/RefreshResult.h"

#include <memory>

class ManagerRefresher;
class MessageBoxes;
class frmClock;
struct ManagerSettings;
struct TournamentState;

// The recount from the manager's database beside the running clock: started by the clock's ticks and by
// a save of the settings, applied to the tournament when it arrives.
class ManagerLink
{
public:
    ManagerLink(TournamentState& state, const ManagerSettings& manager, MessageBoxes& boxes);
    ~ManagerLink();

    // The screen the counts show on; until it exists a recount only changes the state.
    void setScreen(frmClock* screen) { m_screen = screen; }
    ManagerRefresher* refresher() const { return m_refresher.get(); }

    // Starts a recount when the tournament is linked. While the screen is still being set up the first is
    // waited for a little, so the first statistics show it.
    void refresh();
    // The recount after a save of the settings, waited for while the dialog holds the pause.
    void recountForSettings();

private:
    TournamentState& m_state;
    MessageBoxes& m_boxes;
    std::unique_ptr<ManagerRefresher> m_refresher;
    frmClock* m_screen = nullptr;
    // Set while a save of the settings waits for its recount.
    bool m_recountForSettings = false;

    void arrived(const RefreshResult& result);
};
