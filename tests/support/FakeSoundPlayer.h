#pragma once

#include "core/SoundPlayer.h"

#include <QStringList>

class FakeSoundPlayer : public SoundPlayer
{
public:
    QStringList played;
    void play(const QString& path) override { played.append(path); }
};
