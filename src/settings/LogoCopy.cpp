#include "LogoCopy.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <filesystem>

QString LogoCopy::installedPath(const QString& programFolder)
{
    return QDir(programFolder).filePath(QStringLiteral("logo.jpg"));
}

bool LogoCopy::isInstalled(const QString& picture, const QString& programFolder)
{
    return !picture.isEmpty() && QFileInfo(picture).absoluteFilePath() ==
                                     QFileInfo(installedPath(programFolder)).absoluteFilePath();
}

bool LogoCopy::install(const QString& picture, const QString& programFolder)
{
    const QString target = installedPath(programFolder);
    const QString copy = target + QStringLiteral(".new");
    // Copied beside the old logo first, then put in its place in one step, so a failure at any point
    // leaves the old logo as it was.
    QFile::remove(copy);
    bool copied = QFile::copy(picture, copy);
    if (copied) {
        std::error_code error;
        std::filesystem::rename(QFileInfo(copy).filesystemFilePath(), QFileInfo(target).filesystemFilePath(),
                                error);
        copied = !error;
    }
    if (!copied) {
        QFile::remove(copy);
    }
    return copied;
}

QString LogoCopy::failedMessage(const QString& picture)
{
    return QStringLiteral("The logo could not be copied to the clock:\r\n\r\n") +
           QDir::toNativeSeparators(picture);
}
