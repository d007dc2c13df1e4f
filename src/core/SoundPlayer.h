#pragma once

#include <QString>

// Plays a wave file without waiting for it; a new sound cuts off one still playing, so a sound that must
// not cut another off waits until the player is no longer playing. A missing file or a machine without
// sound plays nothing and reports nothing.
class SoundPlayer
{
public:
    virtual ~SoundPlayer() = default;
    virtual void play(const QString& path) = 0;
    // True from play() until the sound has played out.
    virtual bool isPlaying() const = 0;
};
