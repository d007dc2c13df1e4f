#pragma once

#include "core/SoundPlayer.h"

// Plays nothing and keeps nothing but a count, however long a benchmark runs.
class SilentSoundPlayer : public SoundPlayer
{
public:
    // Counts the announcements among the sounds.
    int played = 0;
    void play(const QString& path) override { played += path.contains(QStringLiteral("voice-cache")); }
    bool isPlaying() const override { return false; }
};
