#pragma once

#include "core/SoundPlayer.h"

#include <QStringList>

class FakeSoundPlayer : public SoundPlayer
{
public:
    QStringList played;
    // Set by a test while a sound is meant to be still playing.
    bool playing = false;
    void play(const QString& path) override { played.append(path); }
    bool isPlaying() const override { return playing; }
};
