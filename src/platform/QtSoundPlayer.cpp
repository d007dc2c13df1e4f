#include "QtSoundPlayer.h"

#include "core/MonotonicClock.h"

#include <QAudioDevice>
#include <QAudioSink>
#include <QFileInfo>
#include <QMediaDevices>
#include <algorithm>

namespace {

QAudioFormat audioFormat(const WavePcm& pcm)
{
    QAudioFormat format;
    format.setChannelCount(pcm.channels);
    format.setSampleRate(pcm.sampleRate);
    switch (pcm.bitsPerSample) {
    case 8:
        format.setSampleFormat(QAudioFormat::UInt8);
        break;
    case 16:
        format.setSampleFormat(QAudioFormat::Int16);
        break;
    default:
        format.setSampleFormat(pcm.floatingPoint ? QAudioFormat::Float : QAudioFormat::Int32);
        break;
    }
    return format;
}

// Quiet after each sound: an output that stops when its source runs dry then drops quiet, not the
// sound's last moment.
constexpr qint64 TailMs = 200;
// What the sound server may add before the first sample is heard.
constexpr qint64 OutputLatencyMs = 100;
constexpr qsizetype MaxBufferBytes = 4 * 1024 * 1024;

} // namespace

QtSoundPlayer::QtSoundPlayer(const MonotonicClock& clock) : m_clock(clock) {}

QtSoundPlayer::~QtSoundPlayer()
{
    stop();
}

const QtSoundPlayer::Sound* QtSoundPlayer::load(const QString& path)
{
    const QFileInfo file(path);
    if (path.isEmpty() || !file.isFile()) {
        return nullptr;
    }
    const QString key = file.absoluteFilePath();
    const QDateTime modified = file.lastModified();
    auto it = m_sounds.find(key);
    if (it == m_sounds.end() || it->modified != modified || it->fileSize != file.size()) {
        std::optional<WavePcm> pcm = WavePcm::read(key);
        ++m_loads;
        if (!pcm) {
            m_sounds.remove(key);
            return nullptr;
        }
        const qint64 tailFrames = qint64(pcm->sampleRate) * TailMs / 1000;
        // Unsigned 8-bit samples are quiet at the middle of their range.
        pcm->samples.append(
            QByteArray(tailFrames * pcm->bytesPerFrame(), pcm->bitsPerSample == 8 ? '\x80' : '\0'));
        it = m_sounds.insert(key, Sound{std::move(*pcm), modified, file.size(), 0});
    }
    it->lastPlayed = ++m_plays;
    if (m_sounds.size() > KeptSounds) {
        const auto oldest =
            std::min_element(m_sounds.begin(), m_sounds.end(),
                             [](const Sound& a, const Sound& b) { return a.lastPlayed < b.lastPlayed; });
        m_sounds.erase(oldest);
        it = m_sounds.find(key);
    }
    return &*it;
}

void QtSoundPlayer::stop()
{
    if (m_sink) {
        m_sink->stop();
    }
    m_buffer.close();
    m_playsForMs = 0;
}

bool QtSoundPlayer::isPlaying() const
{
    return m_clock.nowMs() - m_startedMs < m_playsForMs;
}

void QtSoundPlayer::play(const QString& path)
{
    stop();
    const Sound* sound = load(path);
    m_current = sound ? QFileInfo(path).absoluteFilePath() : QString();
    if (!sound) {
        return;
    }
    const qint64 length = sound->pcm.durationMs() - TailMs;
    m_startedMs = m_clock.nowMs();
    m_playsForMs = length;
    const QAudioFormat format = audioFormat(sound->pcm);
    if (!m_sink || m_sinkFormat != format) {
        const QAudioDevice device = QMediaDevices::defaultAudioOutput();
        m_sink.reset();
        if (device.isNull() || !device.isFormatSupported(format)) {
            // Nothing is heard; the sound still takes its time, so what waits for it waits as it would.
            return;
        }
        m_sink = std::make_unique<QAudioSink>(device, format);
        m_sinkFormat = format;
    }
    m_buffer.setData(sound->pcm.samples);
    m_buffer.open(QIODevice::ReadOnly);
    // The whole sound goes to the output at once: a busy moment of the window (a new level's redraw)
    // cannot starve it into gaps.
    m_sink->setBufferSize(qMin<qsizetype>(sound->pcm.samples.size(), MaxBufferBytes));
    m_sink->start(&m_buffer);
    m_playsForMs = length + OutputLatencyMs;
}
