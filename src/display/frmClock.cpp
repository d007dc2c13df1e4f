#include "frmClock.h"

#include "BackgroundPicture.h"
#include "ClockLabel.h"
#include "ColorStyle.h"
#include "ScreenLayout.h"
#include "TextPixmapCache.h"
#include "VirtualKeyMapping.h"
#include "core/BlindStructure.h"
#include "core/ClockError.h"
#include "core/ClockSettingsFile.h"
#include "core/FolderLookup.h"
#include "core/Guarded.h"
#include "core/TournamentState.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QScreen>
#include <QWindow>
#include <cmath>

namespace {

QColor qcolor(RgbColour c)
{
    return QColor(c.red, c.green, c.blue);
}

} // namespace

frmClock::frmClock(ClockScreenContext context, QWidget* parent)
    : QWidget(parent), m_context(std::move(context)),
      m_figures(m_context.state, m_context.blinds, m_context.boxes, m_context.currencySymbol),
      m_logic(m_context.state, m_context.blinds, m_measurer, m_context.sounds, m_context.boxes,
              m_context.clock, m_context.hooks),
      m_sizerHost(m_logic.model), m_twipsX(QtTextMeasurer::twipsPerPixelX()),
      m_twipsY(QtTextMeasurer::twipsPerPixelY())
{
    setObjectName(QStringLiteral("frmClock"));
    setWindowTitle(QStringLiteral("Darvel"));
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    // paintEvent covers every pixel it is asked for (picture or colour): Qt need not fill it first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_logic.hooks.showMouse = [this](bool visible) { ShowMouse(visible); };
    m_logic.hooks.updateStatistics = [this] { m_figures.updateStatistics(m_logic.model); };
    m_logic.hooks.prizePool = [this] { m_figures.prizePool(m_logic.model, PrizeStartPlace); };
    m_logic.model.changed = [this] {
        if (!m_redrawQueued) {
            m_redrawQueued = true;
            QMetaObject::invokeMethod(this, &frmClock::showModel, Qt::QueuedConnection);
        }
    };
    // A new title or level number keeps its centre or right edge through later resizes too.
    m_logic.model.realigned = [this](ScreenElementId id) {
        if (AutoSizer1) {
            AutoSizer1->follow(int(id), AutoSizerHost::Property::Left);
        }
    };
    // One pass of the sizer is drawn once, when it ends.
    m_sizerHost.beginPass = [this] {
        setUpdatesEnabled(false);
        takeScreenSize();
    };
    m_sizerHost.endPass = [this] {
        // The blinds texts were measured at their new font sizes: fit their panels around them again.
        guarded([&] { m_logic.clock.LayoutBlindsLine(); });
        showModel();
        setUpdatesEnabled(true);
    };
    m_backgroundBuilder.built = [this](BackgroundPicture::Result result) {
        showBackground(std::move(result));
    };
    m_clockTick.setTimerType(Qt::PreciseTimer);
    m_clockTick.setInterval(1000);
    connect(&m_clockTick, &QTimer::timeout, this, &frmClock::clockTicked);
    createLabels();
    m_notice = new CornerNotice(this);
    showModel();
}

frmClock::~frmClock()
{
    m_logic.model.changed = nullptr;
    m_logic.model.realigned = nullptr;
    ShowMouse(true);
}

void frmClock::createLabels()
{
    for (const ScreenElement& e : m_logic.model.elements()) {
        if (e.kind == ScreenElement::Kind::Shape) {
            continue;
        }
        auto* label = new ClockLabel(this);
        label->setObjectName(e.name);
        label->setTextFormat(Qt::PlainText);
        if (const auto index = timerIndex(e.id)) {
            label->setProperty("index", *index);
        }
        // Texts too large for Qt's glyph cache are kept as pictures: the digits, and at 4K the payout
        // lines, which come back as the list rotates.
        label->setTextCache(&TextPixmapCache::shared());
        if (e.kind == ScreenElement::Kind::Picture) {
            label->setScaledContents(true);
        }
        if (!e.toolTip.isEmpty()) {
            label->setToolTip(e.toolTip);
            label->installEventFilter(this);
        }
        m_labels.at(size_t(e.id)) = label;
    }
    for (const ScreenElementId id :
         {ScreenElementId::lblPrizePool2, ScreenElementId::lblPrizePool1, ScreenElementId::lblPaused,
          ScreenElementId::lblHelp, ScreenElementId::lblSetup, ScreenElementId::lblClose}) {
        label(id)->raise();
    }
}

void frmClock::showElement(const ScreenElement& e, QLabel* label)
{
    if (e.kind == ScreenElement::Kind::Text) {
        const QString text = QString(e.caption).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        if (label->text() != text) {
            label->setText(text);
        }
        const QFont font = QtTextMeasurer::clockFont(e.fontSize);
        if (label->font() != font) {
            label->setFont(font);
        }
        const Qt::Alignment horizontal = e.align == ScreenElement::Align::Centre  ? Qt::AlignHCenter
                                         : e.align == ScreenElement::Align::Right ? Qt::AlignRight
                                                                                  : Qt::AlignLeft;
        label->setAlignment(horizontal | (e.autoSize ? Qt::AlignVCenter : Qt::AlignTop));
        QString style = QStringLiteral("color: %1;").arg(e.foreColour.css());
        style += e.opaque ? QStringLiteral("background-color: %1;").arg(e.backColour.css())
                          : QStringLiteral("background: transparent;");
        if (e.bordered) {
            style += QStringLiteral("border: 1px solid %1;").arg(e.borderColour.css());
        }
        if (label->styleSheet() != style) {
            label->setStyleSheet(style);
        }
    }
    const QRect geometry = pixelRect(e);
    if (label->geometry() != geometry) {
        label->setGeometry(geometry);
    }
    if (label->isVisibleTo(this) != e.visible) {
        label->setVisible(e.visible);
    }
}

void frmClock::showModel()
{
    const std::vector<ScreenElement>& elements = m_logic.model.elements();
    m_shownRevisions.resize(elements.size(), -1);
    bool panelsChanged = !m_shownOnce || m_shownBackColour != m_logic.model.backColour();
    m_shownBackColour = m_logic.model.backColour();
    for (size_t i = 0; i < elements.size(); ++i) {
        const ScreenElement& e = elements[i];
        if (m_shownRevisions[i] == e.revision) {
            continue;
        }
        m_shownRevisions[i] = e.revision;
        if (QLabel* shown = label(e.id)) {
            showElement(e, shown);
        } else {
            panelsChanged = true;
        }
    }
    m_shownOnce = true;
    m_redrawQueued = false;
    if (panelsChanged) {
        update();
    }
    publishSnapshot();
}

void frmClock::publishSnapshot()
{
    TournamentSnapshot now = m_figures.snapshot(m_logic.clock);
    if (!(now == m_snapshot)) {
        m_snapshot = std::move(now);
        emit snapshotChanged(m_snapshot);
    }
    if (m_publishedRevision != m_logic.model.revision()) {
        m_publishedRevision = m_logic.model.revision();
        emit screenChanged();
    }
}

void frmClock::paintEvent(QPaintEvent* event)
{
    // Only what the event asks for: a tick changes a few labels, and painting the whole window behind
    // them is what grows with the screen.
    const QRegion& region = event->region();
    QPainter painter(this);
    const QRect picture(QPoint(0, 0), m_background.deviceIndependentSize().toSize());
    const qreal ratio = m_background.devicePixelRatio();
    for (const QRect& r : region) {
        if (m_background.isNull() || !picture.contains(r)) {
            painter.fillRect(r, qcolor(m_logic.model.backColour()));
        }
        const QRect part = r & picture;
        if (!m_background.isNull() && !part.isEmpty()) {
            painter.drawPixmap(QRectF(part), m_background,
                               QRectF(QPointF(part.topLeft()) * ratio, QSizeF(part.size()) * ratio));
        }
    }
    painter.setRenderHint(QPainter::Antialiasing);
    const QRect bounds = region.boundingRect();
    for (const ScreenElement& e : m_logic.model.elements()) {
        if (e.kind != ScreenElement::Kind::Shape || !e.visible) {
            continue;
        }
        const QRectF box(m_origin.x() + e.left / m_twipsX, m_origin.y() + e.top / m_twipsY,
                         e.width / m_twipsX, e.height / m_twipsY);
        if (!box.adjusted(-1, -1, 1, 1).intersects(bounds)) {
            continue;
        }
        const QBrush brush = e.fillSolid || e.opaque ? QBrush(qcolor(e.backColour)) : QBrush(Qt::NoBrush);
        const double radius = e.rounded ? qMin(box.width(), box.height()) / 6 : 0.0;
        // Away from the border and the corners a panel is its fill colour alone. A digit's cell lies
        // there, and filling it is far cheaper than rasterising the whole antialiased outline again.
        const double margin = 2.0;
        const QRectF across = box.adjusted(radius + margin, margin, -radius - margin, -margin);
        const QRectF down = box.adjusted(margin, radius + margin, -margin, -radius - margin);
        painter.setPen(e.bordered ? QPen(qcolor(e.borderColour)) : QPen(Qt::NoPen));
        painter.setBrush(brush);
        for (const QRect& r : region) {
            if (across.contains(QRectF(r)) || down.contains(QRectF(r))) {
                if (brush.style() != Qt::NoBrush) {
                    painter.fillRect(r, brush);
                }
                continue;
            }
            if (!box.adjusted(-1, -1, 1, 1).intersects(QRectF(r))) {
                continue;
            }
            // The panel cut down to the rectangle and a reach beyond it (room for whole corners): inside the
            // rectangle its edges and corners are the panel's own, and the cut sides lie too far out to
            // show. The outline's cost then follows the painted area, not the panel's size.
            const double reach = 2 * radius + 4;
            const QRectF piece = box & QRectF(r).adjusted(-reach, -reach, reach, reach);
            painter.save();
            painter.setClipRect(r, Qt::IntersectClip);
            if (e.rounded) {
                painter.drawRoundedRect(piece, radius, radius);
            } else {
                painter.drawRect(piece);
            }
            painter.restore();
        }
    }
}

void frmClock::setBackgroundPicture(const QPixmap& picture)
{
    m_background = picture;
    update();
}

QRect frmClock::pixelRect(const ScreenElement& e) const
{
    const int left = int(std::lround(e.left / m_twipsX));
    const int top = int(std::lround(e.top / m_twipsY));
    const int right = int(std::lround((e.left + e.width) / m_twipsX));
    const int bottom = int(std::lround((e.top + e.height) / m_twipsY));
    return QRect(m_origin.x() + left, m_origin.y() + top, qMax(1, right - left), qMax(1, bottom - top));
}

void frmClock::takeScreenSize()
{
    // The elements keep the proportions of the first window: on a display of another shape they fill the
    // largest area of that shape, centred, instead of being stretched apart or squeezed into each other.
    QSize area = size();
    const double designAspect = double(ClockScreenModel::DesignWidth) / ClockScreenModel::DesignHeight;
    if (m_initialised && area.height() > 0) {
        const double aspect = double(area.width()) / area.height();
        if (aspect > designAspect * 1.01) {
            area.setWidth(int(std::lround(area.height() * designAspect)));
        } else if (aspect < designAspect / 1.01) {
            area.setHeight(int(std::lround(area.width() / designAspect)));
        }
    }
    const QPoint origin((width() - area.width()) / 2, (height() - area.height()) / 2);
    if (origin != m_origin) {
        // Every label moves with the area, also those whose element did not change.
        m_shownRevisions.clear();
        m_origin = origin;
    }
    m_logic.model.setScreenSize(int(std::lround(area.width() * m_twipsX)),
                                int(std::lround(area.height() * m_twipsY)));
}

void frmClock::load()
{
    m_logic.model.setCaption(ScreenElementId::lblPrizePool1, QString());
    m_logic.model.setCaption(ScreenElementId::lblPrizePool2, QString());
    guarded([&] {
        if (m_context.isScreenSaverActive) {
            ScreenSaverWasActive = m_context.isScreenSaverActive();
            if (ScreenSaverWasActive && m_context.setScreenSaverActive) {
                m_context.setScreenSaverActive(false);
            }
        }
    });
    InitialiseScreen();
}

void frmClock::showLogo()
{
    const QString path = FolderLookup::find(m_context.state.Folders.Program, QStringLiteral("logo.jpg"));
    QPixmap picture;
    const bool shown = !path.isEmpty() && picture.load(path);
    label(ScreenElementId::imgLogo)->setPixmap(picture);
    m_logic.model.setVisible(ScreenElementId::imgLogo, shown);
    showModel();
}

void frmClock::InitialiseScreen()
{
    guarded([&] {
        hide();
        resize(int(std::lround(ClockScreenModel::DesignWidth / m_twipsX)),
               int(std::lround(ClockScreenModel::DesignHeight / m_twipsY)));
        takeScreenSize();
    });
    PrizeLineCount = 9;
    m_logic.InitialiseScreen(*this);
    showModel();
    guarded(m_context.showWelcome);
    guarded(m_context.checkRequiredFiles);
}

void frmClock::startClockTimer()
{
    m_clockTick.start();
}

void frmClock::startAutoSizer()
{
    AutoSizer1 = std::make_unique<AutoSizer>(m_sizerHost, this);
    QCoreApplication::processEvents();
    // The sizer records at its timer's first tick; one that has not come yet comes now, so the record is
    // always that of the laid-out first window.
    if (!AutoSizer1->isRecording()) {
        AutoSizer1->tmrint().stop();
        AutoSizer1->GetProps();
    }
}

void frmClock::showMaximised()
{
    m_initialised = true;
    fillScreen();
    activateWindow();
    setFocus();
    // A TV switched off and on, or set to another resolution, takes the screen away or changes it.
    m_screenFollower.start();
}

void frmClock::fillScreen()
{
    QScreen* display = ScreenFollower::targetScreen(windowHandle());
    if (display != nullptr && windowHandle() != nullptr && windowHandle()->screen() != display) {
        windowHandle()->setScreen(display);
    }
    // A Wayland compositor places windows itself and keeps a maximised window's title bar: the clock asks
    // for the whole output instead.
    if (QGuiApplication::platformName().startsWith(QStringLiteral("wayland"))) {
        showFullScreen();
        return;
    }
    // Without a window manager nothing maximises a window: give it the screen first. A new size goes
    // through the resize path: the sizer's pass and a background for that size.
    if (display != nullptr && !display->availableGeometry().isEmpty()) {
        setGeometry(display->availableGeometry());
    }
    showMaximized();
}

void frmClock::clockTicked()
{
    guarded([&] { m_logic.scheduler.onTimer(); });
    emit ticked();
    showModel();
}

void frmClock::UpdateCountDown()
{
    m_logic.clock.UpdateCountDown();
    showModel();
}

void frmClock::SetBlind(int level)
{
    m_logic.clock.SetBlind(level);
    showModel();
}

void frmClock::CountDown()
{
    m_logic.clock.CountDown();
    showModel();
}

void frmClock::UpdateStatistics()
{
    guarded(m_logic.hooks.updateStatistics);
    showModel();
}

void frmClock::PrizePool()
{
    guarded(m_logic.hooks.prizePool);
    showModel();
}

void frmClock::UpdateDisplay()
{
    ColorStyle();
    LayoutScreen();
}

void frmClock::ColorStyle()
{
    ::ColorStyle(m_context.state.Display.Color_Style, scheme, m_logic.model);
    m_logic.clock.DigitColour = scheme.DigitColour;
    m_logic.clock.AlertColour = scheme.AlertColour;
    showModel();
}

void frmClock::LayoutScreen()
{
    try {
        ScreenLayout(m_logic.model, scheme).LayoutScreen(PrizeLineCount, TextCellHeight);
    } catch (...) {
        showModel();
        throw;
    }
    showModel();
}

QSize frmClock::backgroundPixels() const
{
    // Scaled to the device's own pixels: on a scaled display (200 %) the window's size counts half of
    // them, and drawing would enlarge the picture again.
    const qreal ratio = devicePixelRatioF();
    return QSize(int(std::lround(width() * ratio)), int(std::lround(height() * ratio)));
}

void frmClock::showBackground(BackgroundPicture::Result result)
{
    if (result.action == BackgroundPicture::Action::Clear) {
        setBackgroundPicture(QPixmap());
    } else if (result.action == BackgroundPicture::Action::Show) {
        // Moved, not copied: at 3840x2160 the picture is 33 MB, and the window keeps this one copy.
        QPixmap picture = QPixmap::fromImage(std::move(result.picture));
        result.picture = QImage();
        picture.setDevicePixelRatio(devicePixelRatioF());
        setBackgroundPicture(picture);
    }
}

void frmClock::RefreshBackground()
{
    // What is built here is newer than any build still running.
    m_backgroundBuilder.cancel();
    showBackground(BackgroundPicture::build(m_context.state.Folders.Background,
                                            m_context.state.Display.Background, backgroundPixels()));
}

void frmClock::refreshBackgroundLater()
{
    m_backgroundBuilder.request(m_context.state.Folders.Background, m_context.state.Display.Background,
                                backgroundPixels());
}

void frmClock::ShowMouse(bool visible)
{
    if (visible && m_cursorHidden) {
        QGuiApplication::restoreOverrideCursor();
        m_cursorHidden = false;
    } else if (!visible && !m_cursorHidden) {
        QGuiApplication::setOverrideCursor(Qt::BlankCursor);
        m_cursorHidden = true;
    }
}

void frmClock::setCaption(ScreenElementId id, const QString& caption)
{
    m_logic.model.setCaption(id, caption);
    showModel();
}

void frmClock::settingsClicked()
{
    m_logic.settingsClicked();
    showModel();
}

void frmClock::helpClicked()
{
    m_logic.helpClicked();
    showModel();
}

void frmClock::closeClicked()
{
    close();
}

void frmClock::keyReleaseEvent(QKeyEvent* event)
{
    if (event->isAutoRepeat()) {
        return;
    }
    keyReleased(VirtualKeyFromQt(event->key(), event->modifiers()));
}

void frmClock::keyReleased(VirtualKey key)
{
    guarded([&] { m_logic.keys.keyReleased(key); });
    emit keyHandled();
    showModel();
}

void frmClock::mouseMoveEvent(QMouseEvent* event)
{
    const QPointF inArea = event->position() - QPointF(m_origin);
    const QPointF at(inArea.x() * m_twipsX, inArea.y() * m_twipsY);
    guarded([&] { m_logic.commands.pointerMoved(float(at.x()), float(at.y())); });
    showModel();
}

bool frmClock::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        if (watched == label(ScreenElementId::lblSetup)) {
            settingsClicked();
            return true;
        }
        if (watched == label(ScreenElementId::lblHelp)) {
            helpClicked();
            return true;
        }
        if (watched == label(ScreenElementId::lblClose)) {
            closeClicked();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void frmClock::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    // Once the sizer records, its own pass takes the new size.
    if (!AutoSizer1 || !AutoSizer1->isRecording()) {
        takeScreenSize();
    }
    refreshBackgroundLater();
    showModel();
}

void frmClock::closeEvent(QCloseEvent* event)
{
    showModel();
    // Every close saves before it asks, the window manager's as the Close button's: the keys pressed
    // since the last save are not lost. The director learns when it failed and can still stay.
    QString saveProblem;
    try {
        ReadWriteClockSettings(m_context.state, QStringLiteral("write"));
    } catch (const ClockError& e) {
        saveProblem = e.message();
    }
    m_settingsSaved = saveProblem.isEmpty();
    const bool exit = m_logic.commands.confirmExit(saveProblem);
    showModel();
    if (!exit) {
        event->ignore();
        return;
    }
    m_clockTick.stop();
    m_logic.scheduler.stop();
    if (ScreenSaverWasActive && m_context.setScreenSaverActive) {
        guarded([&] { m_context.setScreenSaverActive(true); });
    }
    emit closed();
    event->accept();
}
