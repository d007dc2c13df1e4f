#pragma once

#include "SpeechRenderer.h"

// Speech from the espeak-ng library. The library has one global state: every renderer in the program
// shares it, one render at a time.
class EspeakRenderer : public SpeechRenderer
{
public:
    // voice: an espeak-ng voice name ("en", "en-us", "de"); rate: words per minute.
    EspeakRenderer(const QString& voice, int rate) : m_voice(voice), m_rate(rate) {}

    bool render(const QString& text, const QString& wavePath, QString* error) override;
    QString soundKey() const override;

private:
    QString m_voice;
    int m_rate;
};
