#include "voice/EspeakRenderer.h"

#include "core/BlindStructure.h"
#include "support/EventLoopWait.h"
#include "support/FakeClock.h"
#include "support/FakeSoundPlayer.h"
#include "support/TempProgramFolder.h"
#include "voice/AnnouncementText.h"
#include "voice/Announcer.h"
#include "voice/WaveFile.h"

#include <QDataStream>
#include <QFile>
#include <QTemporaryDir>
#include <cmath>
#include <gtest/gtest.h>

namespace {

struct WaveFacts
{
    QByteArray riff, wave, fmt, data;
    quint16 format = 0, channels = 0, bits = 0;
    quint32 rate = 0;
    double seconds = 0;
    double rms = 0;
};

WaveFacts readWave(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    const QByteArray bytes = file.readAll();
    QDataStream in(bytes);
    in.setByteOrder(QDataStream::LittleEndian);
    WaveFacts facts;
    facts.riff = bytes.mid(0, 4);
    facts.wave = bytes.mid(8, 4);
    facts.fmt = bytes.mid(12, 4);
    facts.data = bytes.mid(36, 4);
    in.skipRawData(20);
    quint32 byteRate = 0, dataBytes = 0;
    quint16 align = 0;
    in >> facts.format >> facts.channels >> facts.rate >> byteRate >> align >> facts.bits;
    in.skipRawData(4);
    in >> dataBytes;
    const qint64 count = dataBytes / 2;
    double sum = 0;
    for (qint64 i = 0; i < count; ++i) {
        qint16 sample = 0;
        in >> sample;
        sum += double(sample) * sample;
    }
    facts.seconds = facts.rate ? double(count) / facts.rate : 0;
    facts.rms = count ? std::sqrt(sum / double(count)) : 0;
    return facts;
}

void expectSpeech(const QString& path, const QString& text)
{
    const WaveFacts wave = readWave(path);
    const std::string what = text.toStdString();
    EXPECT_EQ(wave.riff, "RIFF") << what;
    EXPECT_EQ(wave.wave, "WAVE") << what;
    EXPECT_EQ(wave.fmt, "fmt ") << what;
    EXPECT_EQ(wave.data, "data") << what;
    EXPECT_EQ(wave.format, 1) << what << ": PCM";
    EXPECT_EQ(wave.channels, 1) << what;
    EXPECT_EQ(wave.bits, 16) << what;
    EXPECT_GE(wave.seconds, 1.0) << what;
    EXPECT_LE(wave.seconds, 15.0) << what;
    EXPECT_GT(wave.rms, 500.0) << what << ": silent";
    EXPECT_NEAR(double(WaveFile::durationMs(path)) / 1000, wave.seconds, 0.01) << what;
}

TEST(EspeakRendererTest, EveryShippedTemplateGivesSpeech)
{
    const AnnouncementText english({}, 5);
    const QStringList texts{english.levelStart(12, "1.5K", "3K", "0"),
                            english.levelStart(6, "300", "600", "75"),
                            english.breakStart(15),
                            english.breakStart(1),
                            english.breakWarning(),
                            english.levelWarning(5),
                            english.levelWarning(1),
                            english.lastLevelEnd()};
    QTemporaryDir dir;
    EspeakRenderer renderer(QStringLiteral("en"), 160);
    for (int i = 0; i < texts.size(); ++i) {
        const QString path = dir.filePath(QStringLiteral("%1.wav").arg(i));
        QString error;
        ASSERT_TRUE(renderer.render(texts[i], path, &error)) << error.toStdString();
        expectSpeech(path, texts[i]);
    }
}

TEST(EspeakRendererTest, OtherLanguagesAndRates)
{
    QTemporaryDir dir;
    const AnnouncementText german(AnnouncementTemplates::forVoice(
        QStringLiteral(KAVRO_SOURCE_DIR "/data/voice"), QStringLiteral("de")));
    QString error;
    EspeakRenderer de(QStringLiteral("de"), 160);
    ASSERT_TRUE(de.render(german.breakStart(15), dir.filePath("de.wav"), &error)) << error.toStdString();
    expectSpeech(dir.filePath("de.wav"), german.breakStart(15));

    const QString text = AnnouncementText().sample();
    EspeakRenderer slow(QStringLiteral("en-us"), 100);
    EspeakRenderer fast(QStringLiteral("en-us"), 300);
    ASSERT_TRUE(slow.render(text, dir.filePath("slow.wav"), &error)) << error.toStdString();
    ASSERT_TRUE(fast.render(text, dir.filePath("fast.wav"), &error)) << error.toStdString();
    EXPECT_GT(readWave(dir.filePath("slow.wav")).seconds, readWave(dir.filePath("fast.wav")).seconds * 1.5);
    EXPECT_NE(slow.soundKey(), fast.soundKey());
}

TEST(EspeakRendererTest, UnknownVoiceFailsWithItsName)
{
    QTemporaryDir dir;
    EspeakRenderer renderer(QStringLiteral("xx-nonesuch"), 160);
    QString error;
    EXPECT_FALSE(renderer.render(QStringLiteral("Level 1."), dir.filePath("x.wav"), &error));
    EXPECT_TRUE(error.contains(QStringLiteral("xx-nonesuch"))) << error.toStdString();
    EXPECT_FALSE(QFile::exists(dir.filePath("x.wav")));
    // The engine still works for a voice it has.
    EspeakRenderer english(QStringLiteral("en"), 160);
    EXPECT_TRUE(english.render(QStringLiteral("Level 1."), dir.filePath("y.wav"), &error));
}

TEST(EspeakRendererTest, AnnouncerRendersOnItsThreadIntoTheProgramFolderCache)
{
    TempProgramFolder program;
    FakeSoundPlayer player;
    FakeClock clock;
    const BlindStructure blinds;
    ClockOptions::Voice options;
    options.announcements = true;
    auto announcer = Announcer::forOptions(options, program.folders().Program, blinds, player, clock);
    QString fault;
    announcer->onFault = [&fault](const QString& reason) { fault = reason; };
    announcer->say(announcer->texts().sample());
    ASSERT_TRUE(runEventsUntil([&] { return !player.played.isEmpty(); })) << fault.toStdString();
    EXPECT_TRUE(player.played[0].startsWith(program.programPath(QStringLiteral("voice-cache/"))))
        << player.played[0].toStdString();
    expectSpeech(player.played[0], announcer->texts().sample());
    EXPECT_TRUE(fault.isEmpty());
}

} // namespace
