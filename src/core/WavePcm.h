#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

// The samples of a PCM wave file (8, 16 or 32-bit integers, or 32-bit floats), read whole so a sound can
// start the moment it is played.
struct WavePcm
{
    int channels = 0;
    int sampleRate = 0;
    int bitsPerSample = 0;
    bool floatingPoint = false;
    QByteArray samples;

    int bytesPerFrame() const { return channels * bitsPerSample / 8; }
    qint64 durationMs() const;

    // Nothing when the bytes are no PCM wave: another encoding, a broken header or no samples.
    static std::optional<WavePcm> parse(const QByteArray& bytes);
    static std::optional<WavePcm> read(const QString& path);
};
