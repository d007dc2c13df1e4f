#include "WaveFile.h"

#include <QDataStream>
#include <QFile>
#include <QSaveFile>

bool WaveFile::write(const QString& path, const std::vector<qint16>& samples, int sampleRate, QString* error)
{
    const quint32 dataBytes = quint32(samples.size() * sizeof(qint16));
    QByteArray bytes;
    {
        QDataStream out(&bytes, QIODevice::WriteOnly);
        out.setByteOrder(QDataStream::LittleEndian);
        out.writeRawData("RIFF", 4);
        out << quint32(36 + dataBytes);
        out.writeRawData("WAVEfmt ", 8);
        out << quint32(16) << quint16(1) << quint16(1) << quint32(sampleRate) << quint32(sampleRate * 2)
            << quint16(2) << quint16(16);
        out.writeRawData("data", 4);
        out << dataBytes;
        for (const qint16 sample : samples) {
            out << sample;
        }
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        if (error) {
            *error = QStringLiteral("%1 could not be written: %2").arg(path, file.errorString());
        }
        return false;
    }
    return true;
}

qint64 WaveFile::durationMs(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return -1;
    }
    const QByteArray header = file.read(44);
    if (header.size() < 44 || !header.startsWith("RIFF") || header.mid(8, 8) != "WAVEfmt ") {
        return -1;
    }
    QDataStream in(header);
    in.setByteOrder(QDataStream::LittleEndian);
    in.skipRawData(22);
    quint16 channels = 0;
    quint32 rate = 0;
    in >> channels >> rate;
    if (channels == 0 || rate == 0) {
        return -1;
    }
    const qint64 dataBytes = file.size() - 44;
    return dataBytes * 1000 / (qint64(rate) * channels * 2);
}
