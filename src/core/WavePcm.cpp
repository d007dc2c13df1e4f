#include "WavePcm.h"

#include <QFile>
#include <QtEndian>

namespace {

constexpr quint16 FormatPcm = 1;
constexpr quint16 FormatFloat = 3;
constexpr quint16 FormatExtensible = 0xFFFE;

quint16 word(const char* at)
{
    return qFromLittleEndian<quint16>(at);
}

quint32 dword(const char* at)
{
    return qFromLittleEndian<quint32>(at);
}

} // namespace

qint64 WavePcm::durationMs() const
{
    const qint64 frame = bytesPerFrame();
    return frame > 0 && sampleRate > 0 ? samples.size() / frame * 1000 / sampleRate : 0;
}

std::optional<WavePcm> WavePcm::parse(const QByteArray& bytes)
{
    if (bytes.size() < 12 || !bytes.startsWith("RIFF") || bytes.mid(8, 4) != "WAVE") {
        return std::nullopt;
    }
    WavePcm wave;
    bool haveFormat = false;
    qsizetype at = 12;
    while (at + 8 <= bytes.size()) {
        const QByteArray id = bytes.mid(at, 4);
        const qint64 size = dword(bytes.constData() + at + 4);
        const qsizetype body = at + 8;
        // A writer that did not know the length leaves it too large: the data then runs to the file's end.
        const qsizetype available = qsizetype(qMin<qint64>(size, bytes.size() - body));
        if (id == "fmt " && available >= 16) {
            const char* f = bytes.constData() + body;
            quint16 format = word(f);
            if (format == FormatExtensible && available >= 26) {
                format = word(f + 24); // the sub-format GUID starts with the plain format tag
            }
            wave.channels = word(f + 2);
            wave.sampleRate = int(dword(f + 4));
            wave.bitsPerSample = word(f + 14);
            wave.floatingPoint = format == FormatFloat;
            const bool integers =
                format == FormatPcm &&
                (wave.bitsPerSample == 8 || wave.bitsPerSample == 16 || wave.bitsPerSample == 32);
            const bool floats = format == FormatFloat && wave.bitsPerSample == 32;
            if (!(integers || floats) || wave.channels < 1 || wave.sampleRate < 1) {
                return std::nullopt;
            }
            haveFormat = true;
        } else if (id == "data" && haveFormat) {
            wave.samples = bytes.mid(body, available - available % wave.bytesPerFrame());
            if (wave.samples.isEmpty()) {
                return std::nullopt;
            }
            return wave;
        }
        at = body + size + (size & 1);
    }
    return std::nullopt;
}

std::optional<WavePcm> WavePcm::read(const QString& path)
{
    QFile file(path);
    // A wave sound of the clock is small; a file larger than this is no sound the clock should hold.
    constexpr qint64 MaxBytes = 64 * 1024 * 1024;
    if (!file.open(QIODevice::ReadOnly) || file.size() > MaxBytes) {
        return std::nullopt;
    }
    return parse(file.readAll());
}
