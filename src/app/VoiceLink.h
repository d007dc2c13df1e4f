#pragma once

#include "core/ClockOptions.h"
#include "core/TournamentSnapshot.h"

#include <QObject>
#include <QString>
#include <memory>

class Announcer;
class BlindStructure;
class MessageBoxes;
class MonotonicClock;
class CornerNotice;
class SoundPlayer;

// The clock's spoken announcements: an announcer while options.ini switches them on, fed every new
// snapshot of the tournament, and the options dialog's "Test".
class VoiceLink : public QObject
{
    Q_OBJECT

public:
    // A fault of the announcements goes to notice, if there is one; the Test button's faults to boxes.
    VoiceLink(QString programFolder, const BlindStructure& blinds, SoundPlayer& sounds,
              const MonotonicClock& clock, MessageBoxes& boxes, CornerNotice* notice);
    ~VoiceLink() override;

    // Reads options.ini again and starts or stops the announcements; a new announcer takes in the
    // tournament as it stands, so it prepares what this level will say before anything changes.
    void start(const TournamentSnapshot& now);
    // Says what the tournament's new state calls for.
    void announce(const TournamentSnapshot& snapshot);
    // Says the sample text with these settings; a fault is told at once.
    void test(const ClockOptions::Voice& voice);
    void endTest();

    // Null while announcements are off.
    Announcer* announcer() const { return m_announcer.get(); }

private:
    QString m_programFolder;
    const BlindStructure& m_blinds;
    SoundPlayer& m_sounds;
    const MonotonicClock& m_clock;
    MessageBoxes& m_boxes;
    CornerNotice* m_notice;
    std::unique_ptr<Announcer> m_announcer;
    std::unique_ptr<Announcer> m_test;
    bool m_faultShown = false;

    void showFault(const QString& reason);
};
