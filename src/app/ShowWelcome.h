#pragma once

#include "core/MessageBoxes.h"
#include "core/TournamentState.h"

#include <functional>

// On the first run (no darvel.ini existed) greets the director and explains the corner command buttons.
// letEventsRun lets the screen finish drawing before the box opens.
void ShowWelcome(const TournamentState& state, MessageBoxes& boxes,
                 const std::function<void()>& letEventsRun = {});

// The greeting's text, lines joined by CR LF.
QString WelcomeText();
