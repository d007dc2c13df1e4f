#include "TempProgramFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <stdexcept>

TempProgramFolder::TempProgramFolder()
{
    if (!m_dir.isValid()) {
        throw std::runtime_error("cannot create a temporary folder");
    }
    const QString program = m_dir.filePath(QStringLiteral("KAVRO/Clock"));
    for (const char* sub : {"blinds", "sounds", "background"}) {
        QDir().mkpath(program + u'/' + QLatin1String(sub));
    }
    m_folders = ClockFolders::fromProgramFolder(program);
}

QString TempProgramFolder::programPath(const QString& relative) const
{
    return QDir(m_folders.Program).filePath(relative);
}

QString TempProgramFolder::parentPath(const QString& relative) const
{
    return QDir(m_folders.Parent).filePath(relative);
}

namespace {

void writeFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size()) {
        throw std::runtime_error("cannot write " + path.toStdString());
    }
}

} // namespace

void TempProgramFolder::write(const QString& relative, const QByteArray& bytes) const
{
    writeFile(programPath(relative), bytes);
}

void TempProgramFolder::writeParent(const QString& relative, const QByteArray& bytes) const
{
    writeFile(parentPath(relative), bytes);
}

QByteArray TempProgramFolder::read(const QString& relative) const
{
    QFile f(programPath(relative));
    if (!f.open(QIODevice::ReadOnly)) {
        throw std::runtime_error("cannot read " + relative.toStdString());
    }
    return f.readAll();
}

void TempProgramFolder::copySample(const QString& dataRelative, const QString& relative) const
{
    QFile f(QStringLiteral(KAVRO_SOURCE_DIR "/data/") + dataRelative);
    if (!f.open(QIODevice::ReadOnly)) {
        throw std::runtime_error("cannot read sample " + dataRelative.toStdString());
    }
    write(relative, f.readAll());
}
