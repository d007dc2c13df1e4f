// The inhibit request on the session bus, against a stand-in screen-saver service on a private bus
// (the test runs under dbus-run-session).
#include "platform/DBusScreenSaver.h"

#include "support/QtPrinters.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QList>
#include <QObject>
#include <gtest/gtest.h>

namespace {

class ScreenSaverService : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.ScreenSaver")

public:
    QStringList inhibitedBy;
    QList<uint> released;
    uint nextCookie = 41;

public slots:
    uint Inhibit(const QString& application, const QString&)
    {
        inhibitedBy.append(application);
        return ++nextCookie;
    }
    void UnInhibit(uint cookie) { released.append(cookie); }
};

const QString Service = "org.freedesktop.ScreenSaver";

class DBusInhibit : public testing::Test
{
protected:
    QDBusConnection bus = QDBusConnection::sessionBus();
    ScreenSaverService service;

    void SetUp() override
    {
        if (!bus.isConnected()) {
            GTEST_SKIP() << "no session bus";
        }
    }
    void TearDown() override
    {
        bus.unregisterObject("/org/freedesktop/ScreenSaver");
        bus.unregisterService(Service);
    }
    void publish()
    {
        ASSERT_TRUE(bus.registerService(Service));
        ASSERT_TRUE(
            bus.registerObject("/org/freedesktop/ScreenSaver", &service, QDBusConnection::ExportAllSlots));
    }
};

TEST_F(DBusInhibit, WithoutTheServiceNothingCountsAsEnabled)
{
    DBusScreenSaver saver;
    EXPECT_FALSE(saver.isActive());
    EXPECT_FALSE(saver.setActive(false));
    EXPECT_FALSE(saver.setActive(true));
}

TEST_F(DBusInhibit, OneInhibitHeldFromOffToOn)
{
    publish();
    DBusScreenSaver saver;
    EXPECT_TRUE(saver.isActive());
    EXPECT_TRUE(saver.setActive(false));
    EXPECT_TRUE(saver.setActive(false)); // still the one request
    EXPECT_EQ(service.inhibitedBy, QStringList{"KAVRO Clock"});
    EXPECT_TRUE(service.released.isEmpty());

    EXPECT_TRUE(saver.setActive(true));
    EXPECT_EQ(service.released, QList<uint>{42});
    EXPECT_FALSE(saver.setActive(true)); // nothing left to release
    EXPECT_EQ(service.released.size(), 1);
}

TEST_F(DBusInhibit, RequestStillHeldAtTheEndIsReleased)
{
    publish();
    {
        DBusScreenSaver saver;
        ASSERT_TRUE(saver.setActive(false));
    }
    EXPECT_EQ(service.released, QList<uint>{42});
}

} // namespace

#include "DBusScreenSaverTest.moc"
