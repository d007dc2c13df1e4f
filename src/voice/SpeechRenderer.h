#pragma once

#include <QString>

// Turns a text into a wave file. Called on the announcer's worker thread only.
class SpeechRenderer
{
public:
    virtual ~SpeechRenderer() = default;
    // False, with the reason in error, when no file was written.
    virtual bool render(const QString& text, const QString& wavePath, QString* error) = 0;
    // Names everything besides the text that changes the sound (engine, voice, speed), for the cache.
    virtual QString soundKey() const = 0;
};
