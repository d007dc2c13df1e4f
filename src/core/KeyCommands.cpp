#include "KeyCommands.h"

#include "BlindStructure.h"
#include "ClockScreenModel.h"
#include "DecimalNumber.h"
#include "Guarded.h"
#include "LevelClock.h"
#include "StepTimeText.h"
#include "TournamentState.h"

#include <limits>

namespace {

// Adds delta to a 16-bit count unless that leaves the 16-bit range.
bool add16(qint16& field, int delta)
{
    const int sum = int(field) + delta;
    if (sum < std::numeric_limits<qint16>::min() || sum > std::numeric_limits<qint16>::max()) {
        return false;
    }
    field = qint16(sum);
    return true;
}

bool fits16(qint16 field, int delta)
{
    qint16 copy = field;
    return add16(copy, delta);
}

qint64 wholeNumber(QStringView text)
{
    return DecimalNumber::leading(text).scaledRounded(0).value_or(0);
}

} // namespace

KeyCommands::KeyCommands(TournamentState& state, const BlindStructure& blinds, ClockScreenModel& screen,
                         LevelClock& clock)
    : m_state(state), m_blinds(blinds), m_screen(screen), m_clock(clock)
{}

bool KeyCommands::linked() const
{
    return m_state.Tournament.Refresh > 0;
}

bool KeyCommands::AdjustPlayersShown(int delta)
{
    // The counts the screen shows; a count it cannot show takes no key.
    const auto players = m_state.effectivePlayers();
    const auto entries = m_state.effectiveEntries();
    if (!players || !entries) {
        return false;
    }
    const qint64 wanted = qint64(*players) + delta;
    if (wanted < 0 || wanted > *entries) {
        return false;
    }
    m_screen.setCaption(ScreenElementId::lblPlayers, QStringLiteral("%1/%2").arg(wanted).arg(*entries));
    return true;
}

void KeyCommands::changePlayers(int delta)
{
    TournamentRecord& t = m_state.Tournament;
    qint16& field = linked() ? t.Player_Variance : t.Players;
    if (fits16(field, delta) && AdjustPlayersShown(delta)) {
        add16(field, delta);
    }
}

void KeyCommands::stepTime(int minutes, int seconds, bool clamp)
{
    TournamentRecord& t = m_state.Tournament;
    t.Time = StepTimeText(t.Time, minutes, seconds, clamp);
    if (minutes != 0) {
        m_clock.setTimeToBreak(StepTimeText(m_clock.timeToBreakText, 0, minutes, false));
        // Time taken off the clock counts as play time.
        m_clock.totalTimeText = StepTimeText(m_clock.totalTimeText, 0, minutes < 0 ? 1 : -1, false);
        m_screen.setCaption(ScreenElementId::lblTotalTime, m_clock.totalTimeText);
    }
    m_clock.showTimeDigits();
}

void KeyCommands::changeLevel(int delta)
{
    TournamentRecord& t = m_state.Tournament;
    t.Level = qint16(t.Level + delta);
    m_clock.SetBlind(t.Level);
    m_clock.TimeToNextBreak(t.Level);
    m_clock.ElapsedBeforeLevel(t.Level);
}

void KeyCommands::keyReleased(VirtualKey key)
{
    TournamentRecord& t = m_state.Tournament;
    const bool byHand = !linked();
    switch (key) {
    case VirtualKey::Space:
        m_clock.setPaused(!m_clock.isPaused());
        break;
    case VirtualKey::Add:
        changePlayers(1);
        break;
    case VirtualKey::Subtract:
        changePlayers(-1);
        break;
    case VirtualKey::Numpad6:
    case VirtualKey::Right:
        add16(byHand ? t.Rebuys : t.Rebuy_Variance, 1);
        break;
    case VirtualKey::Multiply:
        if (byHand ? t.Rebuys >= 1 : m_state.effectiveRebuys().value_or(0) >= 1) {
            add16(byHand ? t.Rebuys : t.Rebuy_Variance, -1);
        }
        break;
    case VirtualKey::Numpad5:
    case VirtualKey::Clear:
        add16(byHand ? t.Addons : t.Addon_Variance, 1);
        break;
    case VirtualKey::Divide:
        if (byHand ? t.Addons >= 1 : m_state.effectiveAddons().value_or(0) >= 1) {
            add16(byHand ? t.Addons : t.Addon_Variance, -1);
        }
        break;
    case VirtualKey::F8:
        add16(byHand ? t.Entries : t.Entry_Variance, 1);
        break;
    case VirtualKey::F7:
        if (byHand ? t.Entries >= 1 : m_state.effectiveEntries().value_or(0) >= 1) {
            add16(byHand ? t.Entries : t.Entry_Variance, -1);
        }
        break;
    case VirtualKey::F9:
        if (TimeTextLeft(t.Time) > 0) {
            stepTime(-1, 0, false);
        }
        break;
    case VirtualKey::F10: {
        const qint64 limit = wholeNumber(m_clock.levelMinutesText) - (TimeTextRight(t.Time) != 0 ? 1 : 0);
        if (t.Time != QStringLiteral("--:--") && TimeTextLeft(t.Time) < limit) {
            stepTime(1, 0, false);
        }
        break;
    }
    case VirtualKey::F11:
        if (TimeTextRight(t.Time) != 0) {
            stepTime(0, -1, true);
        }
        break;
    case VirtualKey::F12:
        if (TimeTextRight(t.Time) != 0) {
            stepTime(0, 1, true);
        }
        break;
    case VirtualKey::F5:
        if (t.Level >= 2) {
            changeLevel(-1);
        }
        break;
    case VirtualKey::F6:
        if (m_blinds.hasNextLevel(t.Level)) {
            changeLevel(1);
        }
        break;
    case VirtualKey::F1:
        guarded(helpRequested);
        break;
    case VirtualKey::F2:
        guarded(settingsRequested);
        break;
    case VirtualKey::F3:
        guarded(qrCodeToggled);
        break;
    default:
        break;
    }
}
