#include "NetworkLink.h"

#include "display/ScreenJson.h"
#include "display/frmClock.h"
#include "network/QrCode.h"
#include "network/StateJson.h"

#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QPixmap>

namespace {

constexpr int HeartbeatMs = 2000;

} // namespace

NetworkLink::NetworkLink(const ClockOptions::Network& options, const MonotonicClock& clock, frmClock& screen)
    : m_screen(screen), m_service(options, clock)
{
    connect(&m_service, &NetworkService::keyRequested, this, [this](VirtualKey key) {
        // While a dialog or a question is open the keyboard cannot reach the clock; nor can the remote.
        if (QApplication::activeModalWidget() == nullptr) {
            m_screen.keyReleased(key);
        }
    });
    connect(&m_service, &NetworkService::noticeChanged, this,
            [this](const QString& text) { m_screen.notice().post(QStringLiteral("remote"), text); });
    connect(&m_screen, &frmClock::snapshotChanged, this, &NetworkLink::queuePublish);
    connect(&m_screen, &frmClock::screenChanged, this, &NetworkLink::queuePublish);
    m_heartbeat.setInterval(HeartbeatMs);
    connect(&m_heartbeat, &QTimer::timeout, this, [this] {
        followDialogs();
        m_service.publish(m_published);
    });
}

NetworkLink::~NetworkLink()
{
    m_screen.removeEventFilter(this);
    // The code belongs to the screen, which outlives the link when the players' view is switched off.
    delete m_qr;
}

bool NetworkLink::start(QString* error)
{
    if (!m_service.start(error)) {
        return false;
    }
    publish();
    m_heartbeat.start();
    m_qrImage = QrCode::encode(m_service.viewAddress());
    m_qr = new QLabel(&m_screen);
    m_qr->setObjectName(QStringLiteral("imgQrCode"));
    m_qr->setScaledContents(true);
    m_qr->setPixmap(QPixmap::fromImage(m_qrImage));
    m_qr->setToolTip(m_service.viewAddress());
    m_screen.installEventFilter(this);
    placeQrCode();
    m_screen.notice().post(QStringLiteral("remote"), m_service.notice());
    followDialogs();
    return true;
}

void NetworkLink::queuePublish()
{
    // A tick changes the snapshot and the screen together: one state goes out for both.
    if (!m_publishQueued) {
        m_publishQueued = true;
        QMetaObject::invokeMethod(this, &NetworkLink::publish, Qt::QueuedConnection);
    }
}

void NetworkLink::publish()
{
    m_publishQueued = false;
    followDialogs();
    m_published = StateJson::toBytes(
        StateJson::fromSnapshot(m_screen.snapshot(), ScreenJson::fromModel(m_screen.model())));
    placeQrCode();
    m_service.publish(m_published);
    m_heartbeat.start();
}

void NetworkLink::followDialogs()
{
    // The server answers the remote itself, so it must know at once when the keys would be dropped.
    const bool open = QApplication::activeModalWidget() != nullptr;
    if (open != m_dialogOpen) {
        m_dialogOpen = open;
        m_service.refuseCommands(open ? dialogOpenReason() : QString());
    }
}

void NetworkLink::toggleQrCode()
{
    m_qrWanted = !m_qrWanted;
    placeQrCode();
}

bool NetworkLink::qrCodeShown() const
{
    return m_qr && m_qr->isVisible();
}

bool NetworkLink::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == &m_screen && (event->type() == QEvent::Resize || event->type() == QEvent::Show)) {
        placeQrCode();
    }
    if (watched == &m_screen &&
        (event->type() == QEvent::WindowBlocked || event->type() == QEvent::WindowUnblocked)) {
        // A closing dialog unblocks the screen before it stops being the active modal one.
        QMetaObject::invokeMethod(this, &NetworkLink::followDialogs, Qt::QueuedConnection);
    }
    return QObject::eventFilter(watched, event);
}

void NetworkLink::placeQrCode()
{
    if (!m_qr) {
        return;
    }
    // The gap right of the blinds panels, below the digits and left of the statistics panel: the
    // largest square there that touches no element.
    const ClockScreenModel& model = m_screen.model();
    const auto rect = [&](ScreenElementId id) { return m_screen.pixelRect(model.element(id)); };
    QRect digits;
    for (int i = 0; i < ClockScreenModel::DigitCount; ++i) {
        digits |= m_screen.pixelRect(model.timer(i));
    }
    const int left =
        qMax(rect(ScreenElementId::shpBlinds).right(), rect(ScreenElementId::shpNext).right()) + 1;
    const int right = rect(ScreenElementId::Shape3).left() - 1;
    const int top = digits.bottom() + 1;
    const int bottom = m_screen.height() - 1;
    const int margin = qMax(4, (right - left) / 12);
    QRect area(QPoint(left + margin, top + margin), QPoint(right - margin, bottom - margin));
    int side = qMin(area.width(), area.height());
    QRect square;
    for (; side >= 48; side -= qMax(2, side / 20)) {
        square = QRect(area.left() + (area.width() - side) / 2, area.bottom() - side + 1, side, side);
        bool free = true;
        for (const ScreenElement& e : model.elements()) {
            if (e.visible && e.kind != ScreenElement::Kind::Picture &&
                m_screen.pixelRect(e).intersects(square)) {
                free = false;
                break;
            }
        }
        if (free) {
            break;
        }
    }
    const bool fits = side >= 48;
    if (fits) {
        m_qr->setGeometry(square);
        m_qr->raise();
    }
    m_qr->setVisible(m_qrWanted && fits);
}
