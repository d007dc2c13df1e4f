#pragma once

#include "core/MessageBoxes.h"
#include "core/TournamentState.h"

#include <functional>

// Checks the files the clock cannot run without: some blinds file and the payout template (in the parent
// or the program folder). When one is missing it shows a critical message listing them and returns true:
// the program must end at once. Otherwise it warns about a missing background picture, if one is set, and
// returns false. letEventsRun lets the screen finish drawing before a box opens.
bool CheckRequiredFiles(const TournamentState& state, MessageBoxes& boxes,
                        const std::function<void()>& letEventsRun = {});
