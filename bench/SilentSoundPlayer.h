#pragma once

#include "core/SoundPlayer.h"

// Plays nothing and keeps nothing, however long a benchmark runs.
class SilentSoundPlayer : public SoundPlayer
{
public:
    void play(const QString&) override {}
    bool isPlaying() const override { return false; }
};
