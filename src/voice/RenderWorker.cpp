#include "RenderWorker.h"

#include "WaveFile.h"

RenderWorker::RenderWorker(std::unique_ptr<SpeechRenderer> renderer, const AnnouncementCache& cache)
    : m_renderer(std::move(renderer)), m_cache(cache), m_soundKey(m_renderer->soundKey())
{}

void RenderWorker::render(const QString& text)
{
    const QString found = m_cache.find(m_soundKey, text);
    if (!found.isEmpty()) {
        emit rendered(text, found, WaveFile::durationMs(found), {});
        return;
    }
    QString error;
    const QString path = m_cache.pathFor(m_soundKey, text);
    if (!m_cache.prepare()) {
        emit rendered(text, {}, 0, QStringLiteral("The folder %1 could not be made.").arg(m_cache.folder()));
        return;
    }
    if (!m_renderer->render(text, path, &error)) {
        emit rendered(text, {}, 0,
                      error.isEmpty() ? QStringLiteral("The text could not be rendered.") : error);
        return;
    }
    emit rendered(text, path, WaveFile::durationMs(path), {});
}
