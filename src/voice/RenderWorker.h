#pragma once

#include "AnnouncementCache.h"
#include "SpeechRenderer.h"

#include <QObject>
#include <memory>

// Renders announcements into the cache on the announcer's own thread, one after the other.
class RenderWorker : public QObject
{
    Q_OBJECT
public:
    RenderWorker(std::unique_ptr<SpeechRenderer> renderer, const AnnouncementCache& cache);

    void render(const QString& text);

signals:
    // The wave file and its length, read here so the clock's thread does not open it before it plays;
    // path is empty, and error says why, when the text could not be rendered.
    void rendered(const QString& text, const QString& path, qint64 durationMs, const QString& error);

private:
    std::unique_ptr<SpeechRenderer> m_renderer;
    AnnouncementCache m_cache;
    QString m_soundKey;
};
