#include "EspeakRenderer.h"

#include "WaveFile.h"
#include "core/ClockOptions.h"

#include <QDeadlineTimer>
#include <espeak-ng/espeak_ng.h>
#include <espeak-ng/speak_lib.h>
#include <mutex>
#include <vector>

// The Options dialog offers the rates espeak-ng takes.
static_assert(ClockOptions::MinRate == espeakRATE_MINIMUM && ClockOptions::MaxRate == espeakRATE_MAXIMUM);

namespace {

// A render that runs longer than this is given up inside the library.
constexpr int RenderLimitMs = 20000;

struct Engine
{
    std::mutex lock;
    bool started = false;
    espeak_ng_STATUS status = ENS_OK;
};

Engine& engine()
{
    static Engine instance;
    return instance;
}

struct Collected
{
    std::vector<qint16> samples;
    QDeadlineTimer deadline{RenderLimitMs};
    bool tooLong = false;
};

int collect(short* wave, int count, espeak_EVENT* events)
{
    auto* collected = static_cast<Collected*>(events ? events->user_data : nullptr);
    if (!collected) {
        return 1;
    }
    if (wave && count > 0) {
        collected->samples.insert(collected->samples.end(), wave, wave + count);
    }
    if (collected->deadline.hasExpired()) {
        collected->tooLong = true;
        return 1;
    }
    return 0;
}

QString message(espeak_ng_STATUS status)
{
    char text[512] = {};
    espeak_ng_GetStatusCodeMessage(status, text, sizeof text);
    return QString::fromLocal8Bit(text);
}

bool fail(QString* error, const QString& text)
{
    if (error) {
        *error = text;
    }
    return false;
}

} // namespace

QString EspeakRenderer::soundKey() const
{
    return QStringLiteral("espeak-ng|%1|%2").arg(m_voice).arg(m_rate);
}

bool EspeakRenderer::render(const QString& text, const QString& wavePath, QString* error)
{
    Engine& state = engine();
    const std::lock_guard<std::mutex> guard(state.lock);
    if (!state.started) {
        state.started = true;
        espeak_ng_InitializePath(nullptr);
        espeak_ng_ERROR_CONTEXT context = nullptr;
        state.status = espeak_ng_Initialize(&context);
        espeak_ng_ClearErrorContext(&context);
        if (state.status == ENS_OK) {
            state.status = espeak_ng_InitializeOutput(ENOUTPUT_MODE_SYNCHRONOUS, 0, nullptr);
        }
        espeak_SetSynthCallback(collect);
    }
    if (state.status != ENS_OK) {
        return fail(error, QStringLiteral("espeak-ng could not start (%1).").arg(message(state.status)));
    }
    const espeak_ng_STATUS voice = espeak_ng_SetVoiceByName(m_voice.toUtf8().constData());
    if (voice != ENS_OK) {
        return fail(error,
                    QStringLiteral("espeak-ng has no voice \"%1\" (%2).").arg(m_voice, message(voice)));
    }
    espeak_ng_SetParameter(espeakRATE, m_rate, 0);
    Collected collected;
    const QByteArray utf8 = text.toUtf8();
    const espeak_ng_STATUS spoken =
        espeak_ng_Synthesize(utf8.constData(), size_t(utf8.size()) + 1, 0, POS_CHARACTER, 0, espeakCHARS_UTF8,
                             nullptr, &collected);
    if (collected.tooLong) {
        return fail(error, QStringLiteral("espeak-ng took too long."));
    }
    if (spoken != ENS_OK) {
        return fail(error, QStringLiteral("espeak-ng could not speak the text (%1).").arg(message(spoken)));
    }
    if (collected.samples.empty()) {
        return fail(error, QStringLiteral("espeak-ng gave no sound."));
    }
    return WaveFile::write(wavePath, collected.samples, espeak_ng_GetSampleRate(), error);
}
