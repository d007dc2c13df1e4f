#pragma once

#include <QString>
#include <functional>

class ClockScreenModel;
class LevelClock;
class MessageBoxes;

// The pointer strip with the three command buttons, the Settings and Help buttons and the exit question.
// Each pauses the clock while it waits for the director and restores the pause state afterwards.
class ScreenCommands
{
public:
    ScreenCommands(ClockScreenModel& screen, LevelClock& clock, MessageBoxes& boxes);

    // Last pointer position seen, twips; both 0 before the first movement.
    float LastPointerX = 0;
    float LastPointerY = 0;

    void pointerMoved(float x, float y);

    // Runs open (a modal window) with the clock paused, then hides the command buttons.
    void runModal(const std::function<void()>& open);

    // Asks whether to exit, pausing meanwhile; true to let the window close, which leaves the clock paused.
    // A saveProblem (why darvel.ini could not be written) goes into the question, as a warning.
    bool confirmExit(const QString& saveProblem = QString());
    static QString exitQuestion();

    // The command buttons and their backdrop in the top-right corner.
    void placeCommandButtons();
    // PAUSED centred under the digits.
    void placePausedNotice();

private:
    ClockScreenModel& m_screen;
    LevelClock& m_clock;
    MessageBoxes& m_boxes;

    void showCommandButtons(bool visible);
};
