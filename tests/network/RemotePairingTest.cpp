#include "network/RemotePairing.h"

#include "support/FakeClock.h"

#include <QSet>
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
    // Valid until the clock ends, however long that is.
    clock.advance(24LL * 3600 * 1000);
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
    for (int i = 0; i < 20; ++i) {
        EXPECT_EQ(pairing.pair("10.0.0.9", "1234", &token), Result::WrongPin) << i;
        clock.advance(RemotePairing::WindowMs / (RemotePairing::MaxFailures - 1) + 1);
    }
    EXPECT_EQ(pairing.pair("10.0.0.9", "4711", &token), Result::Paired);
}

TEST(RemotePairing, AFloodFromManyAddressesLocksEachAndKeepsWorking)
{
    FakeClock clock;
    RemotePairing pairing("4711", clock);
    QByteArray token;
    for (int address = 0; address < 6000; ++address) {
        for (int i = 0; i < RemotePairing::MaxFailures; ++i) {
            pairing.pair(QStringLiteral("10.1.%1").arg(address), QString::number(i), &token);
        }
    }
    EXPECT_EQ(pairing.pair("10.1.5999", "4711", &token), Result::LockedOut);
    EXPECT_EQ(pairing.pair("192.168.1.2", "4711", &token), Result::Paired);
    // Overlong guesses count as wrong and never match.
    EXPECT_EQ(pairing.pair("192.168.1.3", QString(100000, u'4'), &token), Result::WrongPin);
}

TEST(RemotePairing, ComparesWholeBytes)
{
    EXPECT_TRUE(RemotePairing::sameBytes("abc", "abc"));
    EXPECT_TRUE(RemotePairing::sameBytes("", ""));
    EXPECT_FALSE(RemotePairing::sameBytes("abc", "abd"));
    EXPECT_FALSE(RemotePairing::sameBytes("abc", QByteArray("abc\0", 4)));
    EXPECT_FALSE(RemotePairing::sameBytes("", "a"));
}
