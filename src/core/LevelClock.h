#pragma once

#include "BlindLevel.h"
#include "RgbColour.h"

#include <QString>
#include <QtGlobal>
#include <optional>

class BlindStructure;
class ClockScreenModel;
class SoundPlayer;
struct ClockHooks;
struct TournamentState;

// The one-second level clock: counts the level or break down, plays the countdown and end sounds, moves
// into the break or the next level, keeps the total time and the time to the next break, and drives the
// screen's periodic work. The pause and the break are kept here and shown by lblPaused and
// lblBreakNotice; the texts it shows are kept here too, so nothing reads them back from the screen.
class LevelClock
{
public:
    LevelClock(TournamentState& state, const BlindStructure& blinds, ClockScreenModel& screen,
               SoundPlayer& sounds, const ClockHooks& hooks);

    qint16 secondsCounter = 0;
    qint16 refreshCounter = 0;
    QString totalTimeText;
    // "hh:mm" to the next break, or "--:--"; the design shows "01:00" until the clock starts.
    QString timeToBreakText = QStringLiteral("01:00");
    // The five characters the digits show.
    QString shownTime = QStringLiteral("00:00");
    // The rows the blinds labels show, kept from the last level that had one.
    std::optional<BlindLevel> shownLevel;
    std::optional<BlindLevel> shownNextLevel;
    // While the command buttons show, the pointer is not hidden.
    bool commandButtonsShown = false;
    QString levelMinutesText;
    qint16 mouseHideCounter = 0;
    bool mouseHidden = false;

    // The digits' colours while time remains and at 00:00.
    RgbColour DigitColour{255, 255, 128};
    RgbColour AlertColour{128, 128, 128};

    bool isPaused() const { return m_paused; }
    void setPaused(bool paused);
    bool inBreak() const { return m_inBreak; }
    // Shows the time to the next break and keeps it.
    void setTimeToBreak(const QString& text);

    // The clock's values at start-up from Level, Time and the blind structure: Time, levelMinutesText,
    // secondsCounter, the total time and the time to the next break. Each step is skipped on its own
    // when it fails.
    void start();

    void UpdateCountDown();
    void CountDown();
    void SetBlind(int level);
    void LayoutBlindsLine();
    QString TimeToNextBreak(int level);
    QString ElapsedBeforeLevel(int level);
    // Plays a file of the sounds folder (its name's case ignored) if it exists.
    void PlaySoundFile(const QString& fileName);
    // The five characters of Time into the digit cells, without moving them.
    void showTimeDigits();
    // Shows the current level's break as it runs with the given time left: for a tournament resumed in
    // a break.
    void resumeBreak(const QString& time);
    // Shows the pointer again if the clock had hidden it.
    void wakePointer();

private:
    TournamentState& m_state;
    const BlindStructure& m_blinds;
    ClockScreenModel& m_screen;
    SoundPlayer& m_sounds;
    const ClockHooks& m_hooks;
    // The screen comes up paused.
    bool m_paused = true;
    bool m_inBreak = false;

    // The row of a level of the structure; throws ClockError when there is none.
    const BlindLevel& row(int level) const;
    void setDigitColour(RgbColour colour);
    void setInBreak(bool inBreak);
    void showBlindsLabels(bool visible);
    // The time played: the levels before the current one plus the minutes already run in it.
    void showTimePlayed(qint64 minutesIntoLevel);
    QString timeToNextBreakText(int level) const;
};
