#include "ClockScreenLogic.h"

#include "BlindStructure.h"
#include "BlindSwap.h"
#include "ClockError.h"
#include "ClockScreenWindow.h"
#include "Guarded.h"
#include "TournamentState.h"

ClockScreenLogic::ClockScreenLogic(TournamentState& state, BlindStructure& blinds,
                                   const TextMeasurer& measurer, SoundPlayer& sounds, MessageBoxes& boxes,
                                   const MonotonicClock& monotonic, ClockHooks screenHooks)
    : hooks(std::move(screenHooks)), model(measurer), clock(state, blinds, model, sounds, hooks),
      keys(state, blinds, model, clock), commands(model, clock, boxes),
      scheduler(monotonic, [this] { clock.UpdateCountDown(); }), m_state(state), m_blinds(blinds)
{
    keys.helpRequested = [this] { helpClicked(); };
    keys.settingsRequested = [this] { settingsClicked(); };
}

void ClockScreenLogic::InitialiseScreen(ClockScreenWindow& window)
{
    clock.mouseHideCounter = 5;
    guarded([&] { commands.placeCommandButtons(); });
    guarded([&] { commands.placePausedNotice(); });
    guarded([&] { window.showLogo(); });
    guarded(hooks.refreshFromManager);
    guarded(hooks.updateStatistics);
    guarded([&] {
        try {
            LoadBlindStructure(m_state, m_blinds);
        } catch (const ClockError& e) {
            blindsProblem = e.message();
        }
    });
    guarded(hooks.prizePool);
    guarded([&] { clock.start(); });
    guarded([&] { window.UpdateDisplay(); });
    guarded([&] {
        scheduler.start();
        window.startClockTimer();
    });
    guarded([&] { window.startAutoSizer(); });
    guarded([&] { window.showMaximised(); });
    guarded([&] {
        clock.SetBlind(m_state.Tournament.Level);
        clock.CountDown();
    });
}

void ClockScreenLogic::replaceBlinds(const BlindStructure& replacement)
{
    const bool inBreak = clock.inBreak();
    BlindSwap::apply(replacement, inBreak, m_state, m_blinds);
    const QString time = m_state.Tournament.Time;
    guarded([&] { clock.start(); });
    if (inBreak) {
        guarded([&] { clock.resumeBreak(time); });
    }
    guarded([&] {
        clock.SetBlind(m_state.Tournament.Level);
        clock.CountDown();
    });
}
