#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryFile>
#include <sys/mount.h>
#include <sys/stat.h>

// A file system of its own at an empty folder, for tests of a full disk or a read-only folder: a small
// tmpfs mounted over the folder while the object lives. Mounting needs root (as on CI); without it
// mounted() is false, and a test of a full disk skips. A read-only folder then falls back to permission
// bits, which hold for every user but root.
class SmallFileSystem
{
public:
    SmallFileSystem(const QString& folder, int kilobytes) : m_folder(folder)
    {
        QDir().mkpath(folder);
        const QByteArray where = QFile::encodeName(folder);
        const QByteArray options = "size=" + QByteArray::number(kilobytes) + "k,mode=0755";
        m_mounted = mount("tmpfs", where.constData(), "tmpfs", 0, options.constData()) == 0;
    }
    ~SmallFileSystem()
    {
        if (m_mounted) {
            umount2(QFile::encodeName(m_folder).constData(), MNT_DETACH);
        } else if (m_chmodded) {
            chmod(QFile::encodeName(m_folder).constData(), 0755);
        }
    }
    SmallFileSystem(const SmallFileSystem&) = delete;
    SmallFileSystem& operator=(const SmallFileSystem&) = delete;

    bool mounted() const { return m_mounted; }

    // Takes every free byte with one file, as a disk that filled up while the clock ran.
    void fill() const
    {
        QFile filler(QDir(m_folder).filePath(QStringLiteral("filler")));
        if (!filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
            return;
        }
        const QByteArray block(4096, 'x');
        while (filler.write(block) == block.size()) {
        }
        while (filler.write("x", 1) == 1) {
        }
    }

    // Makes the folder refuse new files; true when a file really cannot be made there any more.
    bool makeReadOnly()
    {
        const QByteArray where = QFile::encodeName(m_folder);
        if (m_mounted) {
            mount("tmpfs", where.constData(), "tmpfs", MS_REMOUNT | MS_RDONLY, nullptr);
        } else {
            m_chmodded = chmod(where.constData(), 0555) == 0;
        }
        QTemporaryFile probe(QDir(m_folder).filePath(QStringLiteral("probe.XXXXXX")));
        return !probe.open();
    }

private:
    QString m_folder;
    bool m_mounted = false;
    bool m_chmodded = false;
};
