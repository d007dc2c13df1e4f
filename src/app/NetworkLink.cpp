#include "NetworkLink.h"

#include "display/RemoteNotice.h"
#include "display/frmClock.h"
#include "network/QrCode.h"
#include "network/StateJson.h"

#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QPixmap>

namespace {

// Changes reach the pages well within a second; an unchanged state is sent again now and then, so
// a page can tell a quiet clock from a lost connection.
constexpr int PollMs = 200;
constexpr int PollsBetweenRepeats = 10;

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
    m_notice = new RemoteNotice(&m_screen);
    connect(&m_service, &NetworkService::noticeChanged, m_notice, &RemoteNotice::showNotice);
    m_poll.setInterval(PollMs);
    connect(&m_poll, &QTimer::timeout, this, &NetworkLink::publishChanges);
}

NetworkLink::~NetworkLink()
{
    m_screen.removeEventFilter(this);
}

bool NetworkLink::start(QString* error)
{
    if (!m_service.start(error)) {
        return false;
    }
    publishChanges();
    m_poll.start();
    m_qrImage = QrCode::encode(m_service.viewAddress());
    m_qr = new QLabel(&m_screen);
    m_qr->setObjectName(QStringLiteral("imgQrCode"));
    m_qr->setScaledContents(true);
    m_qr->setPixmap(QPixmap::fromImage(m_qrImage));
    m_qr->setToolTip(m_service.viewAddress());
    m_screen.installEventFilter(this);
    placeQrCode();
    m_notice->showNotice(m_service.notice());
    followDialogs();
    return true;
}

void NetworkLink::publishChanges()
{
    followDialogs();
    // The state is built only when the screen changed, about once a second.
    const int revision = m_screen.model().revision();
    if (revision == m_publishedRevision && ++m_silentPolls < PollsBetweenRepeats) {
        return;
    }
    m_silentPolls = 0;
    if (revision != m_publishedRevision) {
        m_publishedRevision = revision;
        m_published = StateJson::toBytes(StateJson::fromModel(m_screen.model()));
        placeQrCode();
    }
    m_service.publish(m_published);
}

void NetworkLink::followDialogs()
{
    // The server answers the remote itself, so it must know at once when the keys would be dropped; the
    // poll catches a dialog whose closing came before its unblocking.
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
        followDialogs();
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
