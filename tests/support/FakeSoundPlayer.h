#pragma once

#include "core/SoundPlayer.h"

#include <QStringList>

// Records every sound played; a benchmark turns recording off so a long run keeps nothing.
class FakeSoundPlayer : public SoundPlayer
{
public:
    QStringList played;
    bool record = true;
    // Set by a test while a sound is meant to be still playing.
    bool playing = false;

    void play(const QString& path) override
    {
        if (record) {
            played.append(path);
        }
    }
    bool isPlaying() const override { return playing; }
};
