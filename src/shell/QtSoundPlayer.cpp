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
    // Setting the same source again keeps the loaded sound; play() then starts it from the beginning.
    m_effect.setSource(QUrl::fromLocalFile(file.absoluteFilePath()));
    m_effect.play();
}
