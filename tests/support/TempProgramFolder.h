#pragma once

#include "core/ClockFolders.h"

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

// A throw-away program folder (<tmp>/KAVRO/Clock with blinds, sounds and background) for one test.
class TempProgramFolder
{
public:
    TempProgramFolder();

    const ClockFolders& folders() const { return m_folders; }
    QString programPath(const QString& relative) const;
    QString parentPath(const QString& relative) const;

    // Writes bytes to a file below the program folder, creating folders as needed.
    void write(const QString& relative, const QByteArray& bytes) const;
    void writeParent(const QString& relative, const QByteArray& bytes) const;
    QByteArray read(const QString& relative) const;

    // Copies a file of the repository's data folder into the program folder.
    void copySample(const QString& dataRelative, const QString& relative) const;

private:
    QTemporaryDir m_dir;
    ClockFolders m_folders;
};
