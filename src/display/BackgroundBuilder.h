#pragma once

#include "BackgroundPicture.h"

#include <QObject>
#include <QSize>
#include <QString>
#include <functional>

class QThread;

// Builds the background picture on a thread of its own, so the window is shown and keeps ticking while a
// large picture is decoded and stretched. One build runs at a time: a request made meanwhile replaces any
// other waiting one and starts when the running build ends, and only the newest request's result is
// handed to `built` (on the object's thread). A picture that cannot be built is dropped: the window keeps
// the one it has.
class BackgroundBuilder : public QObject
{
    Q_OBJECT

public:
    explicit BackgroundBuilder(QObject* parent = nullptr);
    ~BackgroundBuilder() override;

    void request(const QString& backgroundFolder, const QString& name, QSize pixels);
    // Drops the results of the requests made so far, e.g. because a picture was built meanwhile.
    void cancel();
    bool isBusy() const { return m_thread != nullptr || m_waiting; }

    std::function<void(BackgroundPicture::Result)> built;

private:
    struct Request
    {
        QString folder;
        QString name;
        QSize pixels;
        int generation = 0;
    };

    QThread* m_thread = nullptr;
    bool m_waiting = false;
    Request m_next;
    int m_generation = 0;

    void startNext();
    void finish(int generation, BackgroundPicture::Result result);
};
