#pragma once

#include "core/ClockScreen.h"
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

// Records what is asked of the clock screen, one entry a call: "colorStyle", "lblLevel=2", "setBlind 1".
class FakeClockScreen : public ClockScreen
{
public:
    explicit FakeClockScreen(QStringList& calls) : m_calls(calls) {}

    void ColorStyle() override { m_calls << QStringLiteral("colorStyle"); }
    void RefreshBackground() override { m_calls << QStringLiteral("background"); }
    void UpdateStatistics() override { m_calls << QStringLiteral("statistics"); }
    void PrizePool() override { m_calls << QStringLiteral("prizePool"); }
    void CountDown() override { m_calls << QStringLiteral("countDown"); }
    void SetBlind(int level) override { m_calls << QStringLiteral("setBlind %1").arg(level); }
    void setCaption(ScreenElementId id, const QString& caption) override
    {
        m_calls << screenElementName(id) + u'=' + caption;
    }
    void showLogo() override { m_calls << QStringLiteral("showLogo"); }

private:
    QStringList& m_calls;
};
