#include "network/RemotePairing.h"

#include "support/FakeClock.h"

#include <QList>
#include <gtest/gtest.h>

namespace {

using Result = RemotePairing::Result;

QByteArray bearer(const QByteArray& token)
{
    return "Bearer " + token;
}

} // namespace

TEST(RemotePairing, TheRightPinGivesATokenThatAuthorises)
{
    FakeClock clock;
    RemotePairing pairing("4711", clock);
    QByteArray token;
    EXPECT_EQ(pairing.pair("10.0.0.5", "4711", &token), Result::Paired);
    EXPECT_GE(token.size(), 40);
    EXPECT_TRUE(pairing.authorised(bearer(token)));

    QByteArray second;
    EXPECT_EQ(pairing.pair("10.0.0.6", "4711", &second), Result::Paired);
    EXPECT_NE(second, token);
    EXPECT_TRUE(pairing.authorised(bearer(token)));
    EXPECT_TRUE(pairing.authorised(bearer(second)));
}

TEST(RemotePairing, RefusesWhatIsNotAToken)
{
    FakeClock clock;
    RemotePairing pairing("4711", clock);
    QByteArray token;
    ASSERT_EQ(pairing.pair("10.0.0.5", "4711", &token), Result::Paired);
    for (const QByteArray& header :
         {QByteArray(), QByteArray("Bearer "), token, "Basic " + token, bearer(token.left(token.size() - 1)),
          bearer(token + "x"), bearer("4711"), QByteArray("bearer ") + token}) {
        EXPECT_FALSE(pairing.authorised(header)) << header.constData();
    }
}

TEST(RemotePairing, WithoutAPinTheRemoteIsOff)
{
    FakeClock clock;
    RemotePairing pairing("", clock);
    QByteArray token;
    EXPECT_FALSE(pairing.enabled());
    EXPECT_EQ(pairing.pair("10.0.0.5", "", &token), Result::Off);
    EXPECT_TRUE(token.isEmpty());
    EXPECT_FALSE(pairing.authorised("Bearer "));
}

TEST(RemotePairing, FiveWrongPinsInAMinuteLockThatAddressOutForAMinute)
{
    FakeClock clock;
    clock.now = 5'000'000;
    RemotePairing pairing("4711", clock);
    QByteArray token;
    for (int i = 0; i < RemotePairing::MaxFailures; ++i) {
        EXPECT_EQ(pairing.pair("10.0.0.9", "0000", &token), Result::WrongPin) << i;
        clock.advance(10'000);
    }
    // Locked: even the right PIN is refused from there, while others pair as before.
    EXPECT_EQ(pairing.pair("10.0.0.9", "4711", &token), Result::LockedOut);
    EXPECT_EQ(pairing.pair("10.0.0.10", "4711", &token), Result::Paired);
    clock.advance(RemotePairing::LockOutMs - 10'001);
    EXPECT_EQ(pairing.pair("10.0.0.9", "4711", &token), Result::LockedOut);
    clock.advance(1);
    EXPECT_EQ(pairing.pair("10.0.0.9", "4711", &token), Result::Paired);
}

TEST(RemotePairing, WrongPinsSpreadOverMoreThanAMinuteDoNotLock)
{
    FakeClock clock;
    RemotePairing pairing("4711", clock);
    QByteArray token;
    // Fewer than the whole clock's limit, so only the address's own window counts.
    for (int i = 0; i < RemotePairing::MaxServerFailures - 1; ++i) {
        EXPECT_EQ(pairing.pair("10.0.0.9", "1234", &token), Result::WrongPin) << i;
        clock.advance(RemotePairing::WindowMs / (RemotePairing::MaxFailures - 1) + 1);
    }
    EXPECT_EQ(pairing.pair("10.0.0.9", "4711", &token), Result::Paired);
}

TEST(RemotePairing, TenWrongPinsFromAnywhereStopPairingForEveryoneForAMinute)
{
    FakeClock clock;
    clock.now = 7'000'000;
    RemotePairing pairing("4711", clock);
    QByteArray token;
    // One guess from each address, as from an IPv6 privacy range: no address is ever locked on its own.
    for (int i = 0; i < RemotePairing::MaxServerFailures; ++i) {
        EXPECT_EQ(pairing.pair(QStringLiteral("fd00::%1").arg(i), "0000", &token), Result::WrongPin) << i;
        clock.advance(50'000);
    }
    const qint64 stopped = clock.now - 50'000;
    EXPECT_EQ(pairing.stoppedUntil(), stopped + RemotePairing::ServerLockOutMs);
    // The right PIN from an address never heard from is refused too, and the answer tells nothing.
    EXPECT_EQ(pairing.pair("fd00::beef", "4711", &token), Result::Stopped);
    EXPECT_TRUE(token.isEmpty());
    clock.now = pairing.stoppedUntil() - 1;
    EXPECT_EQ(pairing.pair("fd00::beef", "4711", &token), Result::Stopped);
    clock.advance(1);
    EXPECT_EQ(pairing.pair("fd00::beef", "4711", &token), Result::Paired);
}

TEST(RemotePairing, EachFurtherWrongPinDoublesTheStopUpToAnHour)
{
    FakeClock clock;
    RemotePairing pairing("4711", clock);
    QByteArray token;
    int address = 0;
    const auto guess = [&] { return pairing.pair(QStringLiteral("10.2.%1").arg(address++), "9999", &token); };
    for (int i = 0; i < RemotePairing::MaxServerFailures; ++i) {
        guess();
    }
    const qint64 minute = 60'000;
    qint64 expected = minute;
    for (const qint64 next : {2 * minute, 4 * minute, 8 * minute, 16 * minute, 32 * minute, 60 * minute,
                              60 * minute, 60 * minute}) {
        EXPECT_EQ(pairing.stoppedUntil() - clock.now, expected);
        // Guesses while stopped are not even looked at.
        EXPECT_EQ(guess(), Result::Stopped);
        EXPECT_EQ(pairing.pair("10.3.0.1", "4711", &token), Result::Stopped);
        clock.now = pairing.stoppedUntil() + 5 * minute;
        EXPECT_EQ(guess(), Result::WrongPin);
        expected = next;
    }
    EXPECT_EQ(pairing.stoppedUntil() - clock.now, 60 * minute);
}

TEST(RemotePairing, TenQuietMinutesAfterAStopStartTheCountAfresh)
{
    FakeClock clock;
    RemotePairing pairing("4711", clock);
    QByteArray token;
    for (int i = 0; i < RemotePairing::MaxServerFailures; ++i) {
        pairing.pair(QStringLiteral("10.4.%1").arg(i), "1111", &token);
    }
    clock.now = pairing.stoppedUntil() + RemotePairing::ServerWindowMs;
    for (int i = 0; i < RemotePairing::MaxServerFailures - 1; ++i) {
        EXPECT_EQ(pairing.pair(QStringLiteral("10.5.%1").arg(i), "1111", &token), Result::WrongPin) << i;
    }
    EXPECT_EQ(pairing.pair("10.6.0.1", "4711", &token), Result::Paired);
}

TEST(RemotePairing, WrongPinsSpreadOverMoreThanTenMinutesDoNotStop)
{
    FakeClock clock;
    RemotePairing pairing("4711", clock);
    QByteArray token;
    // Nine in any ten minutes, for two hours.
    for (int i = 0; i < 120; ++i) {
        EXPECT_EQ(pairing.pair(QStringLiteral("10.7.%1").arg(i), "2222", &token), Result::WrongPin) << i;
        clock.advance(RemotePairing::ServerWindowMs / (RemotePairing::MaxServerFailures - 1) + 1);
    }
    EXPECT_EQ(pairing.pair("10.8.0.1", "4711", &token), Result::Paired);
}

TEST(RemotePairing, AFloodFromManyAddressesStopsPairingForEveryone)
{
    FakeClock clock;
    RemotePairing pairing("4711", clock);
    QByteArray token;
    for (int address = 0; address < 6000; ++address) {
        for (int i = 0; i < RemotePairing::MaxFailures; ++i) {
            pairing.pair(QStringLiteral("10.1.%1").arg(address), QString::number(i), &token);
        }
    }
    EXPECT_EQ(pairing.pair("10.1.5999", "4711", &token), Result::Stopped);
    EXPECT_EQ(pairing.pair("192.168.1.2", "4711", &token), Result::Stopped);
    // Overlong guesses count as wrong and never match.
    clock.now = pairing.stoppedUntil();
    EXPECT_EQ(pairing.pair("192.168.1.3", QString(100000, u'4'), &token), Result::WrongPin);
}

TEST(RemotePairing, TokensEndAfterTwelveHours)
{
    FakeClock clock;
    RemotePairing pairing("4711", clock);
    QByteArray early;
    QByteArray late;
    ASSERT_EQ(pairing.pair("10.0.0.5", "4711", &early), Result::Paired);
    clock.advance(6 * 3600'000);
    ASSERT_EQ(pairing.pair("10.0.0.6", "4711", &late), Result::Paired);
    clock.advance(6 * 3600'000 - 1);
    EXPECT_TRUE(pairing.authorised(bearer(early)));
    clock.advance(1);
    EXPECT_FALSE(pairing.authorised(bearer(early)));
    EXPECT_TRUE(pairing.authorised(bearer(late)));
    clock.advance(6 * 3600'000);
    EXPECT_FALSE(pairing.authorised(bearer(late)));
}

TEST(RemotePairing, ForgettingEndsEveryTokenAtOnce)
{
    FakeClock clock;
    RemotePairing pairing("4711", clock);
    QList<QByteArray> tokens(3);
    for (QByteArray& token : tokens) {
        ASSERT_EQ(pairing.pair("10.0.0.5", "4711", &token), Result::Paired);
    }
    pairing.forgetTokens();
    for (const QByteArray& token : tokens) {
        EXPECT_FALSE(pairing.authorised(bearer(token)));
    }
    QByteArray again;
    EXPECT_EQ(pairing.pair("10.0.0.5", "4711", &again), Result::Paired);
    EXPECT_TRUE(pairing.authorised(bearer(again)));
}

TEST(RemotePairing, AFullListOfTokensDropsTheOldest)
{
    FakeClock clock;
    RemotePairing pairing("4711", clock);
    QList<QByteArray> tokens;
    for (int i = 0; i < RemotePairing::MaxTokens + 2; ++i) {
        QByteArray token;
        ASSERT_EQ(pairing.pair("10.0.0.5", "4711", &token), Result::Paired);
        tokens << token;
        clock.advance(1000);
    }
    EXPECT_FALSE(pairing.authorised(bearer(tokens[0])));
    EXPECT_FALSE(pairing.authorised(bearer(tokens[1])));
    for (qsizetype i = 2; i < tokens.size(); ++i) {
        EXPECT_TRUE(pairing.authorised(bearer(tokens[i]))) << i;
    }
}

TEST(RemotePairing, ComparesWholeBytes)
{
    EXPECT_TRUE(RemotePairing::sameBytes("abc", "abc"));
    EXPECT_TRUE(RemotePairing::sameBytes("", ""));
    EXPECT_FALSE(RemotePairing::sameBytes("abc", "abd"));
    EXPECT_FALSE(RemotePairing::sameBytes("abc", QByteArray("abc\0", 4)));
    EXPECT_FALSE(RemotePairing::sameBytes("", "a"));
}
