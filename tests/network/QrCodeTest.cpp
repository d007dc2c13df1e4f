#include "network/QrCode.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(QrCode, DecodesToTheAddress)
{
    const QString zbarimg = QStandardPaths::findExecutable("zbarimg");
    if (zbarimg.isEmpty()) {
        GTEST_SKIP() << "zbarimg (zbar-tools) is not installed";
    }
    QTemporaryDir folder;
    for (const QString address : {"http://192.168.1.20:8088/", "http://[fe80::1]:65000/"}) {
        const QImage image = QrCode::encode(address, 4);
        ASSERT_FALSE(image.isNull());
        EXPECT_EQ(image.width(), image.height());
        const QString file = folder.filePath("qr.png");
        ASSERT_TRUE(image.save(file));
        QProcess decode;
        decode.start(zbarimg, {"--quiet", "--raw", file});
        ASSERT_TRUE(decode.waitForFinished(20000));
        EXPECT_EQ(QString::fromUtf8(decode.readAllStandardOutput()).trimmed(), address);
    }
}

TEST(QrCode, ScalesByTheModuleSizeAndRefusesNothingToSay)
{
    const QImage small = QrCode::encode("http://10.0.0.1:8088/", 1);
    const QImage large = QrCode::encode("http://10.0.0.1:8088/", 5);
    EXPECT_EQ(large.width(), small.width() * 5);
    EXPECT_TRUE(QrCode::encode("", 4).isNull());
    EXPECT_TRUE(QrCode::encode("x", 0).isNull());
}
