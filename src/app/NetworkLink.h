#pragma once

#include "core/ClockOptions.h"
#include "network/NetworkService.h"

#include <QByteArray>
#include <QImage>
#include <QLabel>
#include <QObject>
#include <QPointer>
#include <QTimer>

class MonotonicClock;
class frmClock;

// The clock screen on the network: hands each new snapshot of the tournament, and each change of the
// screen's arrangement, to the web server; runs the remote's commands as the clock's own keys; and shows
// the players' view's QR code on the screen.
class NetworkLink : public QObject
{
    Q_OBJECT

public:
    NetworkLink(const ClockOptions::Network& options, const MonotonicClock& clock, frmClock& screen);
    ~NetworkLink() override;

    bool start(QString* error);
    NetworkService& service() { return m_service; }

    void toggleQrCode();
    bool qrCodeShown() const;
    QLabel* qrCode() const { return m_qr; }
    // What the refused commands are answered while a dialog or a question is open on the clock.
    static QString dialogOpenReason() { return QStringLiteral("the clock has a dialog open"); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    frmClock& m_screen;
    NetworkService m_service;
    // Sends the last state again now and then, so a page can tell a quiet clock from a lost connection.
    QTimer m_heartbeat;
    QByteArray m_published;
    bool m_publishQueued = false;
    QPointer<QLabel> m_qr;
    QImage m_qrImage;
    bool m_qrWanted = true;
    bool m_dialogOpen = false;

    void queuePublish();
    void publish();
    void followDialogs();
    void placeQrCode();
};
