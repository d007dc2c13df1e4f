#include "VoiceLink.h"

#include "core/MessageBoxes.h"
#include "display/CornerNotice.h"
#include "voice/Announcer.h"

#include <QAudioDevice>
#include <QMediaDevices>
#include <utility>

VoiceLink::VoiceLink(QString programFolder, const BlindStructure& blinds, SoundPlayer& sounds,
                     const MonotonicClock& clock, MessageBoxes& boxes, CornerNotice* notice)
    : m_programFolder(std::move(programFolder)), m_blinds(blinds), m_sounds(sounds), m_clock(clock),
      m_boxes(boxes), m_notice(notice)
{}

VoiceLink::~VoiceLink() = default;

void VoiceLink::start(const TournamentSnapshot& now)
{
    m_announcer.reset();
    const ClockOptions::Voice voice = ClockOptions::load(m_programFolder).voice;
    if (!voice.announcements) {
        return;
    }
    m_announcer = Announcer::forOptions(voice, m_programFolder, m_blinds, m_sounds, m_clock);
    m_announcer->audioAvailable = [] { return !QMediaDevices::audioOutputs().isEmpty(); };
    m_announcer->onFault = [this](const QString& reason) { showFault(reason); };
    m_announcer->ticked(now);
}

void VoiceLink::announce(const TournamentSnapshot& snapshot)
{
    if (m_announcer) {
        m_announcer->ticked(snapshot);
    }
}

void VoiceLink::test(const ClockOptions::Voice& voice)
{
    m_test = Announcer::forOptions(voice, m_programFolder, m_blinds, m_sounds, m_clock);
    // The director asked for it: say why there is no sound at once, a missing sound output too.
    m_test->audioAvailable = [] { return !QMediaDevices::audioOutputs().isEmpty(); };
    m_test->onFault = [this](const QString& reason) { m_boxes.show(MessageBoxes::Icon::Warning, reason); };
    m_test->say(m_test->texts().sample());
}

void VoiceLink::endTest()
{
    m_test.reset();
}

void VoiceLink::showFault(const QString& reason)
{
    // Once a run, in the corner: the clock keeps time and the keyboard stays with it.
    if (m_faultShown || !m_notice) {
        return;
    }
    m_faultShown = true;
    m_notice->post(QStringLiteral("announcements"),
                   reason + QStringLiteral(" Announcements that cannot be spoken are left out."),
                   CornerNotice::FeatureMs);
}
