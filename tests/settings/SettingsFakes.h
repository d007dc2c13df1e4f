#pragma once

#include "core/DesktopOpener.h"
#include "core/FileChooser.h"
#include "manager/ManagerError.h"
#include "settings/TournamentSource.h"

#include <QStringList>
#include <optional>

// Answers the file chooser with the next queued path ("" = cancelled) and records each request.
class FakeFileChooser : public FileChooser
{
public:
    struct Request
    {
        QString title, startFolder, filterName, pattern;
    };
    QList<Request> requests;
    QStringList answers;

    QString chooseFile(const QString& title, const QString& startFolder, const QString& filterName,
                       const QString& pattern) override
    {
        requests.append({title, startFolder, filterName, pattern});
        return answers.isEmpty() ? QString() : answers.takeFirst();
    }
};

class FakeDesktopOpener : public DesktopOpener
{
public:
    QStringList opened;
    bool succeeds = true;

    bool open(const QString& path) override
    {
        opened.append(path);
        return succeeds;
    }
};

class FakeTournamentSource : public TournamentSource
{
public:
    QList<TournamentListEntry> tournaments;
    std::optional<QString> listError;
    ImportedTournament imported;
    std::optional<QString> importError;
    QList<qint32> importedIds;

    QList<TournamentListEntry> list() override
    {
        if (listError) {
            throw ManagerError(*listError);
        }
        return tournaments;
    }
    ImportedTournament import(qint32 id) override
    {
        importedIds.append(id);
        if (importError) {
            throw ManagerError(*importError);
        }
        return imported;
    }
};
