#include "ClockScreenLogic.h"

ClockScreenLogic::ClockScreenLogic(TournamentState& state, BlindStructure& blinds,
                                   const TextMeasurer& measurer, SoundPlayer& sounds, MessageBoxes& boxes,
                                   const MonotonicClock& monotonic, ClockHooks clockHooks)
    : hooks(std::move(clockHooks)), model(measurer), clock(state, blinds, model, sounds, this->hooks),
      keys(state, blinds, model, clock), commands(model, clock, boxes),
      scheduler(monotonic, [this] { clock.UpdateCountDown(); })
{
    keys.helpRequested = [this] { HelpClicked(); };
    keys.settingsRequested = [this] { SettingsClicked(); };
}
