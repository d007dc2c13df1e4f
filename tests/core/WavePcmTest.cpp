#include "core/WavePcm.h"

#include <QtEndian>
#include <gtest/gtest.h>

namespace {

QByteArray le16(quint16 v)
{
    QByteArray b(2, '\0');
    qToLittleEndian(v, b.data());
    return b;
}

QByteArray le32(quint32 v)
{
    QByteArray b(4, '\0');
    qToLittleEndian(v, b.data());
    return b;
}

QByteArray chunk(const char* id, const QByteArray& body, qint64 declared = -1)
{
    return QByteArray(id, 4) + le32(quint32(declared < 0 ? body.size() : declared)) + body +
           (body.size() % 2 ? QByteArray(1, '\0') : QByteArray());
}

QByteArray format(quint16 tag, quint16 channels, quint32 rate, quint16 bits)
{
    const quint16 block = quint16(channels * bits / 8);
    return le16(tag) + le16(channels) + le32(rate) + le32(rate * block) + le16(block) + le16(bits);
}

QByteArray wave(const QByteArray& chunks)
{
    return "RIFF" + le32(quint32(chunks.size() + 4)) + "WAVE" + chunks;
}

struct Case
{
    const char* name;
    QByteArray bytes;
    int channels;
    int rate;
    int bits;
    qsizetype sampleBytes; // -1: not a sound
    qint64 durationMs;
};

TEST(WavePcm, ReadsTheSamplesOfPcmWavesAndRefusesTheRest)
{
    const QByteArray second16(44100 * 2, '\x01');
    const QByteArray fmt16 = chunk("fmt ", format(1, 1, 44100, 16));
    const Case cases[] = {
        {"16-bit mono", wave(fmt16 + chunk("data", second16)), 1, 44100, 16, 88200, 1000},
        {"other chunks before the data", wave(fmt16 + chunk("LIST", "odd") + chunk("data", second16)), 1,
         44100, 16, 88200, 1000},
        {"8-bit stereo", wave(chunk("fmt ", format(1, 2, 8000, 8)) + chunk("data", QByteArray(4000, 'x'))), 2,
         8000, 8, 4000, 250},
        {"float", wave(chunk("fmt ", format(3, 1, 1000, 32)) + chunk("data", QByteArray(400, 'x'))), 1, 1000,
         32, 400, 100},
        {"data length too large: up to the end, whole frames", wave(fmt16 + chunk("data", "abcde", 1000000)),
         1, 44100, 16, 6, 0},
        {"compressed", wave(chunk("fmt ", format(2, 1, 44100, 4)) + chunk("data", second16)), 0, 0, 0, -1, 0},
        {"24-bit", wave(chunk("fmt ", format(1, 1, 44100, 24)) + chunk("data", second16)), 0, 0, 0, -1, 0},
        {"no format", wave(chunk("data", second16)), 0, 0, 0, -1, 0},
        {"no samples", wave(fmt16 + chunk("data", {})), 0, 0, 0, -1, 0},
        {"no channels", wave(chunk("fmt ", format(1, 0, 44100, 16)) + chunk("data", second16)), 0, 0, 0, -1,
         0},
        {"not RIFF", "RIFX" + wave(fmt16).mid(4), 0, 0, 0, -1, 0},
        {"truncated", wave(fmt16).left(20), 0, 0, 0, -1, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::optional<WavePcm> pcm = WavePcm::parse(c.bytes);
        if (c.sampleBytes < 0) {
            EXPECT_FALSE(pcm);
            continue;
        }
        ASSERT_TRUE(pcm);
        EXPECT_EQ(pcm->channels, c.channels);
        EXPECT_EQ(pcm->sampleRate, c.rate);
        EXPECT_EQ(pcm->bitsPerSample, c.bits);
        EXPECT_EQ(pcm->samples.size(), c.sampleBytes);
        EXPECT_EQ(pcm->durationMs(), c.durationMs);
    }
}

TEST(WavePcm, TheClocksOwnSoundsAreRead)
{
    const std::optional<WavePcm> count =
        WavePcm::read(QStringLiteral(KAVRO_SOURCE_DIR "/data/sounds/Count.wav"));
    const std::optional<WavePcm> end = WavePcm::read(QStringLiteral(KAVRO_SOURCE_DIR "/data/sounds/End.wav"));
    ASSERT_TRUE(count && end);
    EXPECT_EQ(count->durationMs(), 180);
    EXPECT_EQ(end->durationMs(), 1390);
}

} // namespace
