#pragma once

#include "core/SoundPlayer.h"
#include "core/WavePcm.h"

#include <QAudioFormat>
#include <QBuffer>
#include <QDateTime>
#include <QHash>
#include <memory>

class MonotonicClock;
class QAudioSink;

// Plays wave files through one Qt audio output. Each file is read and decoded once and kept until it
// changes on disk, so a sound starts at once and plays whole; a new sound stops the one still playing. A
// missing file or a machine without an audio device plays nothing, quietly.
class QtSoundPlayer : public SoundPlayer
{
public:
    explicit QtSoundPlayer(const MonotonicClock& clock);
    QtSoundPlayer(const QtSoundPlayer&) = delete;
    QtSoundPlayer& operator=(const QtSoundPlayer&) = delete;
    ~QtSoundPlayer() override;

    void play(const QString& path) override;
    // From play() until the sound has played out: its own length and the output's latency.
    bool isPlaying() const override;
    // The file of the last sound started; empty when the last play had nothing to play.
    QString currentSound() const { return m_current; }
    // How often a file was read and decoded.
    int loads() const { return m_loads; }

    // Sounds kept decoded; the least recently played beyond these is dropped.
    static constexpr int KeptSounds = 32;

private:
    struct Sound
    {
        WavePcm pcm;
        QDateTime modified;
        qint64 fileSize = 0;
        qint64 lastPlayed = 0;
    };

    const MonotonicClock& m_clock;
    QHash<QString, Sound> m_sounds;
    std::unique_ptr<QAudioSink> m_sink;
    QAudioFormat m_sinkFormat;
    QBuffer m_buffer;
    QString m_current;
    qint64 m_startedMs = 0;
    qint64 m_playsForMs = 0;
    qint64 m_plays = 0;
    int m_loads = 0;

    const Sound* load(const QString& path);
    void stop();
};
