// The download component against a local server: data, progress, failures, cancel and saving.
#include "upgrade/NetGrab.h"

#include "support/EventLoopWait.h"
#include "support/FakeClock.h"
#include "support/FileSizeLimit.h"
#include "support/LocalHttpServer.h"
#include "support/QtPrinters.h"

#include <QFile>
#include <QNetworkReply>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <limits>

namespace {

QByteArray sampleBody(int size)
{
    QByteArray body(size, Qt::Uninitialized);
    for (int i = 0; i < size; ++i) {
        body[i] = char((i * 7 + i / 251) & 0xFF);
    }
    return body;
}

struct Events
{
    QList<std::pair<qint32, qint32>> progress;
    QList<qint32> complete;
    QList<std::pair<qint32, QString>> failed;
    QList<bool> busyAtEnd;
    int ends() const { return int(complete.size() + failed.size()); }
};

class Download : public testing::Test
{
protected:
    LocalHttpServer server;
    FakeClock clock;
    NetGrab grab{clock};
    Events events;
    QTemporaryDir dir;

    void SetUp() override
    {
        QObject::connect(&grab, &NetGrab::DownloadProgress, [this](qint32 received, qint32 total) {
            events.progress.append({received, total});
        });
        QObject::connect(&grab, &NetGrab::DownloadComplete, [this](qint32 bytes) {
            events.complete.append(bytes);
            events.busyAtEnd.append(grab.Busy());
        });
        QObject::connect(&grab, &NetGrab::DownloadFailed, [this](qint32 number, const QString& text) {
            events.failed.append({number, text});
            events.busyAtEnd.append(grab.Busy());
        });
    }

    void fetch(const QString& path)
    {
        grab.DownloadStart(server.url(path), NetGrab::ForceUpdate);
        ASSERT_TRUE(runEventsUntil([this] { return !grab.Busy(); }));
    }
    QString file(const QString& name) const { return dir.filePath(name); }
};

TEST_F(Download, SuccessDeliversTheBytesWithProgressAndSavesThemUnchanged)
{
    const QByteArray body = sampleBody(300 * 1024);
    server.serve("/big.bin", body);
    fetch("/big.bin");

    ASSERT_EQ(events.complete, QList<qint32>{qint32(body.size())});
    EXPECT_TRUE(events.failed.isEmpty());
    EXPECT_EQ(events.busyAtEnd, QList<bool>{false});
    ASSERT_FALSE(events.progress.isEmpty());
    EXPECT_EQ(events.progress.last(), std::make_pair(qint32(body.size()), qint32(body.size())));
    for (qsizetype i = 1; i < events.progress.size(); ++i) {
        EXPECT_LE(events.progress[i - 1].first, events.progress[i].first);
    }
    EXPECT_EQ(grab.Bytes(), body);

    EXPECT_TRUE(grab.SaveAs(file("big.bin")));
    QFile saved(file("big.bin"));
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_EQ(saved.readAll(), body);

    // ForceUpdate reaches the server as a request that no cache on the way may answer.
    ASSERT_EQ(server.requests().size(), 1);
    EXPECT_TRUE(server.requests()[0].contains("Cache-Control: no-cache"));
}

TEST_F(Download, SizeUnknownToTheServerReportsATotalOfZero)
{
    server.route("/chunked", {200, sampleBody(5000), LocalHttpServer::Ending::Chunked});
    grab.DownloadStart(server.url("/chunked"), NetGrab::ForceUpdate);
    ASSERT_TRUE(runEventsUntil([this] { return !events.progress.isEmpty(); }));
    EXPECT_EQ(events.progress.last(), std::make_pair(2500, 0));
    EXPECT_EQ(grab.Duration(), 0); // still running
    grab.DownloadCancel();
    ASSERT_TRUE(runEventsUntil([this] { return !grab.Busy(); }));
}

TEST_F(Download, EmptyResourceCompletesWithZeroAndIsNotSaved)
{
    server.serve("/empty", {});
    fetch("/empty");
    EXPECT_EQ(events.complete, QList<qint32>{0});
    EXPECT_FALSE(grab.SaveAs(file("empty")));
    EXPECT_FALSE(QFile::exists(file("empty")));
}

TEST_F(Download, FailuresEndIdleWithTheTransferErrorAndNothingToSave)
{
    const QByteArray body = sampleBody(64 * 1024);
    struct Case
    {
        const char* path;
        LocalHttpServer::Route route;
        QNetworkReply::NetworkError error;
        bool keepsPartialData;
    };
    const Case cases[] = {
        {"/missing",
         {404, "<html>Not Found</html>", LocalHttpServer::Ending::Complete},
         QNetworkReply::ContentNotFoundError,
         false},
        {"/dropped", {200, body, LocalHttpServer::Ending::Drop}, QNetworkReply::RemoteHostClosedError, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        events = {};
        server.route(c.path, c.route);
        fetch(c.path);
        EXPECT_TRUE(events.complete.isEmpty());
        ASSERT_EQ(events.failed.size(), 1);
        EXPECT_EQ(events.failed[0].first, qint32(c.error));
        EXPECT_FALSE(events.failed[0].second.isEmpty());
        EXPECT_EQ(events.busyAtEnd, QList<bool>{false});
        if (c.keepsPartialData) {
            EXPECT_FALSE(grab.Bytes().isEmpty());
            EXPECT_TRUE(body.startsWith(grab.Bytes()));
            EXPECT_LT(grab.Bytes().size(), body.size());
        }
        EXPECT_FALSE(grab.SaveAs(file("failed")));
        EXPECT_FALSE(QFile::exists(file("failed")));
    }
}

TEST_F(Download, AddressesThatCannotBeFetchedNeverLeaveItBusy)
{
    for (const char* url : {"version.txt", "gopher://127.0.0.1/x", "http://127.0.0.1:1/nothing-listens"}) {
        SCOPED_TRACE(url);
        events = {};
        grab.DownloadStart(QString::fromLatin1(url), NetGrab::ForceUpdate);
        ASSERT_TRUE(runEventsUntil([this] { return !grab.Busy(); }));
        EXPECT_EQ(events.failed.size(), 1);
        EXPECT_TRUE(events.complete.isEmpty());
    }
}

TEST_F(Download, CancelEndsTheTransferThroughTheEndCallback)
{
    server.route("/stalled", {200, sampleBody(200 * 1024), LocalHttpServer::Ending::Stall});
    QObject::connect(&grab, &NetGrab::DownloadProgress, [this] {
        if (events.progress.size() == 1) {
            grab.DownloadCancel();
            // Busy ends only with the end callback, which comes from the event loop.
            EXPECT_TRUE(grab.Busy());
        }
    });
    grab.DownloadStart(server.url("/stalled"), 0);
    ASSERT_TRUE(runEventsUntil([this] { return !grab.Busy(); }));
    ASSERT_EQ(events.failed.size(), 1);
    EXPECT_EQ(events.failed[0].first, qint32(QNetworkReply::OperationCanceledError));
    EXPECT_TRUE(events.complete.isEmpty());
    EXPECT_FALSE(grab.SaveAs(file("cancelled")));
}

TEST_F(Download, ATransferThatStallsFails)
{
    server.route("/stalled", {200, sampleBody(200 * 1024), LocalHttpServer::Ending::Stall});
    grab.setStallTimeoutMs(300);
    grab.DownloadStart(server.url("/stalled"), NetGrab::ForceUpdate);
    ASSERT_TRUE(runEventsUntil([this] { return !grab.Busy(); }));
    ASSERT_EQ(events.failed.size(), 1);
    EXPECT_TRUE(events.complete.isEmpty());
    EXPECT_FALSE(grab.SaveAs(file("stalled")));
}

TEST_F(Download, IdleCallsAndEmptyAddressesChangeNothing)
{
    grab.DownloadCancel();
    grab.DownloadStart({}, NetGrab::ForceUpdate);
    QCoreApplication::processEvents();
    EXPECT_FALSE(grab.Busy());
    EXPECT_EQ(events.ends(), 0);

    server.serve("/small", "abc");
    grab.DownloadStart(server.url("/small"), NetGrab::ForceUpdate);
    grab.DownloadStart({}, NetGrab::ForceUpdate); // keeps the running download
    EXPECT_TRUE(grab.Busy());
    ASSERT_TRUE(runEventsUntil([this] { return !grab.Busy(); }));
    EXPECT_EQ(events.complete, QList<qint32>{3});
    EXPECT_EQ(grab.Bytes(), QByteArray("abc"));
}

TEST_F(Download, StartWhileBusyReplacesTheRunningDownloadSilently)
{
    server.route("/stalled", {200, sampleBody(200 * 1024), LocalHttpServer::Ending::Stall});
    server.serve("/small", "new content");
    grab.DownloadStart(server.url("/stalled"), NetGrab::ForceUpdate);
    ASSERT_TRUE(runEventsUntil([this] { return !events.progress.isEmpty(); }));
    events.progress.clear();

    grab.DownloadStart(server.url("/small"), NetGrab::ForceUpdate);
    ASSERT_TRUE(runEventsUntil([this] { return !grab.Busy(); }));
    // Run on a little so late callbacks of the dropped request would show.
    server.serve("/after", "x");
    fetch("/after");
    EXPECT_TRUE(events.failed.isEmpty());
    EXPECT_EQ(events.complete, (QList<qint32>{11, 1}));
    for (const auto& [received, total] : events.progress) {
        EXPECT_LE(received, 11);
    }
}

TEST_F(Download, SaveAsLeavesAReadOnlyFileAlone)
{
    server.serve("/data", "fresh bytes");
    fetch("/data");
    const QString path = file("locked.bin");
    {
        QFile old(path);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("old bytes");
    }
    ASSERT_TRUE(QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ReadGroup));
    EXPECT_FALSE(grab.SaveAs(path));
    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    QFile check(path);
    ASSERT_TRUE(check.open(QIODevice::ReadOnly));
    EXPECT_EQ(check.readAll(), QByteArray("old bytes"));

    EXPECT_FALSE(grab.SaveAs(dir.filePath("no/such/folder/file.bin")));
    EXPECT_TRUE(grab.SaveAs(path)); // writable again: replaced
}

TEST_F(Download, SaveAsOnAFullDiskLeavesNoPartOfTheFile)
{
    server.serve("/big.bin", sampleBody(64 * 1024));
    fetch("/big.bin");
    const QString path = file("big.bin");

    bool saved = true;
    {
        const FileSizeLimit fullDisk(4096);
        ASSERT_TRUE(fullDisk.active());
        saved = grab.SaveAs(path);
    }

    EXPECT_FALSE(saved);
    EXPECT_FALSE(QFile::exists(path));
}

TEST_F(Download, DurationIsTheElapsedTimeOfTheLastDownloadAcrossTheTickWrap)
{
    server.serve("/a", "a");
    clock.now = 1000;
    grab.DownloadStart(server.url("/a"), 0);
    clock.now = 1250;
    ASSERT_TRUE(runEventsUntil([this] { return !grab.Busy(); }));
    EXPECT_EQ(grab.Duration(), 250);

    // The 32-bit tick count wraps to 0 between start and end.
    clock.now = (qint64(1) << 32) - 40;
    grab.DownloadStart(server.url("/a"), 0);
    EXPECT_EQ(grab.Duration(), 0);
    clock.now = (qint64(1) << 32) + 60;
    ASSERT_TRUE(runEventsUntil([this] { return !grab.Busy(); }));
    EXPECT_EQ(grab.Duration(), 100);
}

TEST(TickCount, ElapsedTimeIsRightAcrossBothWraps)
{
    constexpr qint32 max = std::numeric_limits<qint32>::max();
    constexpr qint32 min = std::numeric_limits<qint32>::min();
    const struct
    {
        qint32 start, now, elapsed;
    } cases[] = {
        {0, 5, 5},       {1000, 1000, 0}, {max - 2, min + 3, 6}, // turns negative as a signed number
        {-1, 4, 5},                                              // wraps to 0 as an unsigned number
        {min, max, max},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(NetGrab::elapsedMs(c.start, c.now), c.elapsed) << c.start << " -> " << c.now;
    }
}

} // namespace
