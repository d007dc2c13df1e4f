#include "QtSoundPlayer.h"

#include <QAudioDevice>
#include <QEventLoop>
#include <QFileInfo>
#include <QTimer>
#include <QUrl>

QtSoundPlayer::~QtSoundPlayer()
{
    // Qt Multimedia reads the file on a loader thread of its own; a load still running when the
    // program ends is never cleaned up there. Let it finish first, for a moment at most.
    if (m_effect.status() != QSoundEffect::Loading) {
        return;
    }
    QEventLoop loop;
    QObject::connect(&m_effect, &QSoundEffect::statusChanged, &loop, &QEventLoop::quit);
    QTimer::singleShot(2000, &loop, &QEventLoop::quit);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
}

bool QtSoundPlayer::isPlaying() const
{
    // Without a sound device the effect says it plays for ever, though nothing is heard.
    if (m_noDevice) {
        return false;
    }
    // A sound still loading starts once it is loaded.
    return m_effect.isPlaying() || m_effect.status() == QSoundEffect::Loading;
}

QString QtSoundPlayer::currentSound() const
{
    return m_effect.source().toLocalFile();
}

void QtSoundPlayer::play(const QString& path)
{
    m_effect.stop();
    const QFileInfo file(path);
    if (path.isEmpty() || !file.isFile()) {
        m_effect.setSource(QUrl());
        return;
    }
    // Dropping the source first makes every play read the file again, so a sound the director replaces
    // while the clock runs is heard at its next play; play() waits for the load.
    m_effect.setSource(QUrl());
    m_effect.setSource(QUrl::fromLocalFile(file.absoluteFilePath()));
    m_noDevice = m_effect.audioDevice().isNull();
    m_effect.play();
}
