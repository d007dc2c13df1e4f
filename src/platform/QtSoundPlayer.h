#pragma once

#include "core/SoundPlayer.h"

#include <QSoundEffect>

// Plays wave files through Qt Multimedia. One effect is reused, so a new sound stops the one still
// playing; a missing file or a machine without an audio device plays nothing, quietly.
class QtSoundPlayer : public SoundPlayer
{
public:
    QtSoundPlayer() = default;
    QtSoundPlayer(const QtSoundPlayer&) = delete;
    QtSoundPlayer& operator=(const QtSoundPlayer&) = delete;
    ~QtSoundPlayer() override;

    void play(const QString& path) override;
    bool isPlaying() const override;
    // The file of the last sound started; empty when the last play had nothing to play.
    QString currentSound() const;

private:
    QSoundEffect m_effect;
    bool m_noDevice = false;
};
