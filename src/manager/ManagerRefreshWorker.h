#pragma once

#include "ManagerSettings.h"
#include "RefreshResult.h"

#include <QObject>

// Runs recounts in the refresher's own thread, each in a connection it opens and closes there.
class ManagerRefreshWorker : public QObject
{
    Q_OBJECT

public:
    explicit ManagerRefreshWorker(const ManagerSettings& settings);

public slots:
    void run(qint32 tournamentId);

signals:
    void done(const RefreshResult& result);

private:
    ManagerSettings m_settings;
};
