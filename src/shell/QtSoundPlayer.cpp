#include "QtSoundPlayer.h"

#include <QFileInfo>
#include <QUrl>

void QtSoundPlayer::play(const QString& path)
{
    m_effect.stop();
    const QFileInfo file(path);
    if (path.isEmpty() || !file.isFile()) {
        return;
    }
    // Dropping the source first makes every play read the file again, so a sound the director replaces
    // while the clock runs is heard at its next play; play() waits for the load.
    m_effect.setSource(QUrl());
    m_effect.setSource(QUrl::fromLocalFile(file.absoluteFilePath()));
    m_effect.play();
}
