#pragma once

#include <QString>
#include <QtGlobal>
#include <vector>

// 16-bit PCM mono wave files.
class WaveFile
{
public:
    // Writes the file whole or not at all; false, with the reason in error, on failure.
    static bool write(const QString& path, const std::vector<qint16>& samples, int sampleRate,
                      QString* error = nullptr);
    // The length of a 16-bit PCM wave file in milliseconds, from its header; -1 when it is not one.
    static qint64 durationMs(const QString& path);
};
