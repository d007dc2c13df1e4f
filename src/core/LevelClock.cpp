#include "LevelClock.h"

#include "BlindStructure.h"
#include "BlindTexts.h"
#include "ClockError.h"
#include "ClockHooks.h"
#include "ClockScreenModel.h"
#include "DecimalNumber.h"
#include "FolderLookup.h"
#include "Guarded.h"
#include "LevelTime.h"
#include "SoundPlayer.h"
#include "StepTimeText.h"
#include "TournamentState.h"

#include <algorithm>

namespace {

using Id = ScreenElementId;

const QString NoTime = QStringLiteral("--:--");
const QString ZeroTime = QStringLiteral("00:00");

qint64 wholeNumber(QStringView text)
{
    return DecimalNumber::leading(text).scaledRounded(0).value_or(0);
}

} // namespace

LevelClock::LevelClock(TournamentState& state, const BlindStructure& blinds, ClockScreenModel& screen,
                       SoundPlayer& sounds, const ClockHooks& hooks)
    : m_state(state), m_blinds(blinds), m_screen(screen), m_sounds(sounds), m_hooks(hooks)
{}

void LevelClock::setPaused(bool paused)
{
    m_paused = paused;
    m_screen.setVisible(Id::lblPaused, paused);
}

void LevelClock::setInBreak(bool inBreak)
{
    m_inBreak = inBreak;
    m_screen.setVisible(Id::lblBreakNotice, inBreak);
}

void LevelClock::setTimeToBreak(const QString& text)
{
    timeToBreakText = text;
    m_screen.setCaption(Id::lblBreak, text);
}

const BlindLevel& LevelClock::row(int level) const
{
    if (!m_blinds.hasLevel(level)) {
        throw ClockError(QStringLiteral("Level %1 is not in the blind structure.").arg(level));
    }
    return m_blinds.at(level);
}

void LevelClock::start()
{
    TournamentRecord& t = m_state.Tournament;
    guarded([&] {
        if (t.Level < 1) {
            t.Time = ZeroTime;
            levelMinutesText = QStringLiteral("0");
            return;
        }
        if (!m_blinds.hasLevel(t.Level)) {
            // No length to check against: a time that is no time would count on below zero.
            t.Time = LevelTime::normalised(t.Time).value_or(NoTime);
        }
        const BlindLevel& level = row(t.Level);
        // Two digits, as every other time: "5:00" would sit one cell off, and a 0-minute level's "0:00"
        // is not the "00:00" the countdown stops at, so it would count on below zero.
        t.Time = LevelTime::checked(t.Time, level.Minutes);
        levelMinutesText = QString::number(qMax<qint16>(0, level.Minutes));
    });
    secondsCounter = qint16(((60 - TimeTextRight(t.Time)) % 60 + 60) % 60);
    guarded([&] { showTimePlayed(wholeNumber(levelMinutesText) - TimeTextLeft(t.Time)); });
    guarded([&] { TimeToNextBreak(t.Level); });
}

void LevelClock::UpdateCountDown()
{
    if (isPaused()) {
        return;
    }
    TournamentRecord& t = m_state.Tournament;
    if (t.Time == ZeroTime) {
        const bool inBreak = m_inBreak;
        if (m_blinds.hasLevel(t.Level) && m_blinds.at(t.Level).hasBreak() && !inBreak) {
            const qint16 minutes = m_blinds.at(t.Level).BreakMinutes;
            setInBreak(true);
            showBlindsLabels(false);
            t.Time = QString::number(minutes) + QStringLiteral(":01");
            levelMinutesText = QString::number(minutes);
            setTimeToBreak(NoTime);
            return;
        }
        // The last level (or a level the structure does not have) stays at 00:00.
        if (!m_blinds.hasNextLevel(t.Level)) {
            return;
        }
        t.Level = qint16(qMax<qint16>(t.Level, 0) + 1);
        if (inBreak) {
            setInBreak(false);
            showBlindsLabels(true);
            TimeToNextBreak(t.Level);
        }
        SetBlind(t.Level);
        LayoutBlindsLine();
        const qint16 minutes = m_blinds.at(t.Level).Minutes;
        t.Time = QString::number(minutes) + QStringLiteral(":01");
        levelMinutesText = QString::number(minutes);
    }

    setDigitColour(DigitColour);
    t.Time = StepTimeText(t.Time, 0, -1, false);
    const qint64 v = wholeNumber(QString(t.Time).remove(u':'));
    if (v != 0 && v < 6 && !m_state.Display.Tick_Sound.isEmpty()) {
        PlaySoundFile(m_state.Display.Tick_Sound);
    }
    if (v == 0) {
        if (!m_state.Display.End_Sound.isEmpty()) {
            PlaySoundFile(m_state.Display.End_Sound);
        }
        setDigitColour(AlertColour);
    }
    CountDown();

    ++secondsCounter;
    if (secondsCounter == 60) {
        totalTimeText = StepTimeText(totalTimeText, 0, 1, false);
        m_screen.setCaption(Id::lblTotalTime, totalTimeText);
    }
    if (t.Refresh > 0) {
        ++refreshCounter;
        if (refreshCounter >= t.Refresh) {
            guarded(m_hooks.refreshFromManager);
            refreshCounter = 0;
        }
    }
    if (!mouseHidden && !commandButtonsShown) {
        --mouseHideCounter;
        if (mouseHideCounter <= 0) {
            guarded(m_hooks.showMouse, false);
            mouseHideCounter = 5;
            mouseHidden = true;
        }
    }
    if (timeToBreakText != NoTime && secondsCounter == 60) {
        setTimeToBreak(StepTimeText(timeToBreakText, 0, -1, false));
    }
    if (secondsCounter == 60) {
        secondsCounter = 0;
    }
    guarded(m_hooks.updateStatistics);
    if (secondsCounter % 3 == 0) {
        guarded(m_hooks.prizePool);
    }
}

void LevelClock::showTimeDigits()
{
    const QString& time = m_state.Tournament.Time;
    // A level of 100 minutes or more has a longer time than the five cells: the extra leading digits
    // join the first cell, so 120:00 reads 12|0|:|0|0 rather than losing its last digit.
    const qsizetype extra = std::max<qsizetype>(0, time.size() - ClockScreenModel::DigitCount);
    shownTime = time;
    // A cell whose character stays is left as it is by the model: only what changed is redrawn.
    for (int i = 0; i < ClockScreenModel::DigitCount; ++i) {
        m_screen.setCaption(timerId(i), i == 0 ? time.left(1 + extra) : time.mid(i + extra, 1));
    }
}

void LevelClock::CountDown()
{
    showTimeDigits();
    int width = 0;
    for (int i = 0; i < ClockScreenModel::DigitCount; ++i) {
        width += m_screen.timer(i).width + 100;
    }
    const int left = m_screen.screenWidth() / 2 - width / 2;
    if (m_screen.timer(0).left != left) {
        m_screen.setLeft(timerId(0), left);
    }
    for (int i = 1; i < ClockScreenModel::DigitCount; ++i) {
        const ScreenElement& previous = m_screen.timer(i - 1);
        const int wanted = previous.left + previous.width + 100;
        if (m_screen.timer(i).left != wanted) {
            m_screen.setLeft(timerId(i), wanted);
        }
    }
}

void LevelClock::SetBlind(int level)
{
    guarded([&] {
        const BlindLevel& current = row(level);
        shownLevel = current;
        m_screen.setCaption(Id::lblBlinds, BlindsText(current));
        m_screen.setCaption(Id::lblAnte, AnteText(current));
    });
    guarded([&] {
        if (m_blinds.hasNextLevel(level)) {
            const BlindLevel& next = row(level + 1);
            shownNextLevel = next;
            m_screen.setCaption(Id::lblNextLevel, BlindsText(next));
            m_screen.setCaption(Id::lblNextAnte, AnteText(next));
        } else {
            shownNextLevel.reset();
            m_screen.setCaption(Id::lblNextLevel, BlindsText(std::nullopt));
            m_screen.setCaption(Id::lblNextAnte, AnteText(std::nullopt));
        }
    });
    m_screen.setCaption(Id::lblLevel, QString::number(level));
    LayoutBlindsLine();
}

void LevelClock::LayoutBlindsLine()
{
    const int screenWidth = m_screen.screenWidth();
    const ScreenElement& blindsCaption = m_screen.element(Id::lblBlindsCaption);
    const ScreenElement& blinds = m_screen.element(Id::lblBlinds);
    const int panelWidth = blindsCaption.width + blinds.width + 900;
    const int panelLeft = screenWidth / 2 - panelWidth / 2;
    m_screen.setWidth(Id::shpBlinds, panelWidth);
    m_screen.setLeft(Id::shpBlinds, panelLeft);
    m_screen.setLeft(Id::lblBlindsCaption, panelLeft + 250);
    m_screen.setLeft(Id::lblBlinds, panelLeft + panelWidth - (blinds.width + 250));
    const int captionRight = blindsCaption.left + blindsCaption.width;
    for (const Id name : {Id::lblAnteCaption, Id::lblNextLevelCaption, Id::lblNextAnteCaption}) {
        m_screen.setLeft(name, captionRight - m_screen.element(name).width);
    }
    for (const Id name : {Id::lblAnte, Id::lblNextLevel, Id::lblNextAnte}) {
        m_screen.setLeft(name, blinds.left);
    }
    m_screen.setWidth(Id::shpNext, panelWidth);
    m_screen.setLeft(Id::shpNext, panelLeft);
    const ScreenElement& notice = m_screen.element(Id::lblBreakNotice);
    m_screen.setLeft(notice.id, screenWidth / 2 - notice.width / 2);
}

QString LevelClock::timeToNextBreakText(int level) const
{
    qint64 sum = 0;
    for (int i = qMax(level, 1); i <= m_blinds.levelCount(); ++i) {
        sum += m_blinds.at(i).Minutes;
        if (m_blinds.at(i).hasBreak()) {
            return HoursMinutesText(sum);
        }
    }
    return NoTime;
}

QString LevelClock::TimeToNextBreak(int level)
{
    const QString text = timeToNextBreakText(level);
    setTimeToBreak(text);
    return text;
}

QString LevelClock::ElapsedBeforeLevel(int level)
{
    qint64 sum = 0;
    for (int i = 1; i < level && i <= m_blinds.levelCount(); ++i) {
        sum += m_blinds.at(i).Minutes;
    }
    totalTimeText = HoursMinutesText(sum);
    m_screen.setCaption(Id::lblTotalTime, totalTimeText);
    return totalTimeText;
}

void LevelClock::PlaySoundFile(const QString& fileName)
{
    const QString path = FolderLookup::find(m_state.Folders.Sounds, fileName);
    if (!path.isEmpty()) {
        m_sounds.play(path);
    }
}

void LevelClock::wakePointer()
{
    if (mouseHidden) {
        guarded(m_hooks.showMouse, true);
        mouseHideCounter = 5;
        mouseHidden = false;
    }
}

void LevelClock::setDigitColour(RgbColour colour)
{
    for (int i = 0; i < ClockScreenModel::DigitCount; ++i) {
        m_screen.setForeColour(timerId(i), colour);
    }
}

void LevelClock::resumeBreak(const QString& time)
{
    TournamentRecord& t = m_state.Tournament;
    if (!m_blinds.hasLevel(t.Level) || !m_blinds.at(t.Level).hasBreak()) {
        return;
    }
    const BlindLevel& level = m_blinds.at(t.Level);
    // start() checked the time against the level; a break may be longer than its level.
    t.Time = LevelTime::checked(time, level.BreakMinutes);
    CountDown();
    setInBreak(true);
    showBlindsLabels(false);
    levelMinutesText = QString::number(level.BreakMinutes);
    setTimeToBreak(NoTime);
    // The time played so far was taken as part of the level; it is the whole level and part of the break.
    showTimePlayed(level.Minutes + level.BreakMinutes - TimeTextLeft(t.Time));
}

void LevelClock::showTimePlayed(qint64 minutesIntoLevel)
{
    ElapsedBeforeLevel(m_state.Tournament.Level);
    const qint64 total = TimeTextLeft(totalTimeText) * 60 + TimeTextRight(totalTimeText) + minutesIntoLevel;
    totalTimeText = HoursMinutesText(qMax<qint64>(0, total));
    m_screen.setCaption(Id::lblTotalTime, totalTimeText);
}

void LevelClock::showBlindsLabels(bool visible)
{
    for (const Id name : {Id::lblBlinds, Id::lblBlindsCaption, Id::lblAnteCaption, Id::lblAnte}) {
        m_screen.setVisible(name, visible);
    }
}
