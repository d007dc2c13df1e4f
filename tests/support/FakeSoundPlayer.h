#pragma once

#include "core/SoundPlayer.h"

#include <QStringList>

// Records every sound played; a benchmark turns recording off so a long run keeps nothing.
class FakeSoundPlayer : public SoundPlayer
{
public:
    QStringList played;
    bool record = true;

    void play(const QString& path) override
    {
        if (record) {
            played.append(path);
        }
    }
};
