#include "frmClock.h"

#include "BlindStructure.h"
#include "ClockError.h"
#include "ClockSettingsFile.h"
#include "FolderLookup.h"
#include "MessageBoxes.h"
#include "ProvisionalLayout.h"
#include "TournamentState.h"
#include "VirtualKeyMapping.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QScreen>

namespace {

constexpr int Twips = QtTextMeasurer::TwipsPerPixel;

QString rgb(RgbColour c)
{
    return QStringLiteral("rgb(%1,%2,%3)").arg(c.red).arg(c.green).arg(c.blue);
}

QColor qcolor(RgbColour c)
{
    return QColor(c.red, c.green, c.blue);
}

// A step of the screen's initialisation; one that fails is skipped without a message.
template <typename Step> void guarded(Step step)
{
    try {
        step();
    } catch (const std::exception&) {
    }
}

} // namespace

frmClock::frmClock(ClockScreenContext context, QWidget* parent)
    : QWidget(parent), m_context(std::move(context)),
      m_logic(m_context.state, m_context.blinds, m_measurer, m_context.sounds, m_context.boxes,
              m_context.clock, m_context.hooks)
{
    setObjectName(QStringLiteral("frmClock"));
    setWindowTitle(QStringLiteral("Darvel"));
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    m_logic.hooks.showMouse = [this](bool visible) { ShowMouse(visible); };
    m_logic.model.changed = [this] {
        if (!m_redrawQueued) {
            m_redrawQueued = true;
            QMetaObject::invokeMethod(this, &frmClock::showModel, Qt::QueuedConnection);
        }
    };
    m_clockTick.setTimerType(Qt::PreciseTimer);
    m_clockTick.setInterval(1000);
    connect(&m_clockTick, &QTimer::timeout, this, &frmClock::ClockTicked);
    createLabels();
    showModel();
}

frmClock::~frmClock()
{
    m_logic.model.changed = nullptr;
    ShowMouse(true);
}

void frmClock::createLabels()
{
    for (const ScreenElement& e : m_logic.model.elements()) {
        if (e.kind == ScreenElement::Kind::Shape) {
            continue;
        }
        auto* label = new QLabel(this);
        label->setObjectName(e.name);
        label->setTextFormat(Qt::PlainText);
        if (e.name.startsWith(QStringLiteral("lblTimer"))) {
            label->setProperty("index", e.name.mid(8).toInt());
        }
        if (e.kind == ScreenElement::Kind::Picture) {
            label->setScaledContents(true);
        }
        if (!e.toolTip.isEmpty()) {
            label->setToolTip(e.toolTip);
            label->installEventFilter(this);
        }
        m_labels.insert(e.name, label);
    }
    m_labels.value(QStringLiteral("lblPrizePool2"))->raise();
    m_labels.value(QStringLiteral("lblPrizePool1"))->raise();
    m_labels.value(QStringLiteral("lblPaused"))->raise();
    for (const char* name : {"lblHelp", "lblSetup", "lblClose"}) {
        m_labels.value(QString::fromLatin1(name))->raise();
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
        QString style = QStringLiteral("color: %1;").arg(rgb(e.foreColour));
        style += e.opaque ? QStringLiteral("background-color: %1;").arg(rgb(e.backColour))
                          : QStringLiteral("background: transparent;");
        if (e.bordered) {
            style += QStringLiteral("border: 1px solid %1;").arg(rgb(e.borderColour));
        }
        if (label->styleSheet() != style) {
            label->setStyleSheet(style);
        }
    }
    const QRect geometry(e.left / Twips, e.top / Twips, qMax(1, e.width / Twips), qMax(1, e.height / Twips));
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
        if (QLabel* label = m_labels.value(e.name)) {
            showElement(e, label);
        } else {
            panelsChanged = true;
        }
    }
    m_shownOnce = true;
    m_redrawQueued = false;
    if (panelsChanged) {
        update();
    }
}

void frmClock::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), qcolor(m_logic.model.backColour()));
    if (!m_background.isNull()) {
        painter.drawPixmap(0, 0, m_background);
    }
    painter.setRenderHint(QPainter::Antialiasing);
    for (const ScreenElement& e : m_logic.model.elements()) {
        if (e.kind != ScreenElement::Kind::Shape || !e.visible) {
            continue;
        }
        painter.setPen(e.bordered ? QPen(qcolor(e.borderColour)) : QPen(Qt::NoPen));
        painter.setBrush(e.fillSolid || e.opaque ? QBrush(qcolor(e.backColour)) : QBrush(Qt::NoBrush));
        const QRectF box(e.left / double(Twips), e.top / double(Twips), e.width / double(Twips),
                         e.height / double(Twips));
        if (e.rounded) {
            const double radius = qMin(box.width(), box.height()) / 6;
            painter.drawRoundedRect(box, radius, radius);
        } else {
            painter.drawRect(box);
        }
    }
}

void frmClock::setBackgroundPicture(const QPixmap& picture)
{
    m_background = picture;
    update();
}

void frmClock::takeScreenSize()
{
    m_logic.model.setScreenSize(width() * Twips, height() * Twips);
}

void frmClock::Load()
{
    m_logic.model.setCaption(QStringLiteral("lblPrizePool1"), QString());
    m_logic.model.setCaption(QStringLiteral("lblPrizePool2"), QString());
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
    QLabel* logo = m_labels.value(QStringLiteral("imgLogo"));
    const QString path = FolderLookup::find(m_context.state.Folders.Program, QStringLiteral("logo.jpg"));
    QPixmap picture;
    const bool shown = !path.isEmpty() && picture.load(path);
    logo->setPixmap(picture);
    m_logic.model.setVisible(QStringLiteral("imgLogo"), shown);
}

void frmClock::InitialiseScreen()
{
    LevelClock& clock = m_logic.clock;
    guarded([&] {
        hide();
        resize(ClockScreenModel::DesignWidth / Twips, ClockScreenModel::DesignHeight / Twips);
        takeScreenSize();
    });
    PrizeLineCount = 9;
    clock.mouseHideCounter = 5;
    guarded([&] { m_logic.commands.PlaceCommandButtons(); });
    guarded([&] { m_logic.commands.PlacePausedNotice(); });
    guarded([&] { showLogo(); });
    guarded([&] { ClockHooks::call(m_logic.hooks.refreshFromManager); });
    guarded([&] { UpdateStatistics(); });
    guarded([&] { LoadBlindStructure(m_context.state, m_context.blinds); });
    guarded([&] { PrizePool(); });
    guarded([&] { clock.Start(); });
    guarded([&] { UpdateDisplay(); });
    guarded([&] {
        m_logic.scheduler.start();
        m_clockTick.start();
    });
    guarded([&] { QCoreApplication::processEvents(); });
    guarded([&] {
        // Without a window manager nothing maximises a window: give it the screen first.
        if (const QScreen* display = screen()) {
            setGeometry(display->availableGeometry());
        }
        showMaximized();
        activateWindow();
        setFocus();
    });
    m_initialised = true;
    guarded([&] {
        relayout();
        SetBlind(m_context.state.Tournament.Level);
        CountDown();
    });
    showModel();
    guarded([&] {
        if (m_context.showWelcome) {
            m_context.showWelcome();
        }
    });
    guarded([&] {
        if (m_context.checkRequiredFiles) {
            m_context.checkRequiredFiles();
        }
    });
}

void frmClock::ClockTicked()
{
    guarded([&] { m_logic.scheduler.onTimer(); });
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
    ClockHooks::call(m_logic.hooks.updateStatistics);
    showModel();
}

void frmClock::PrizePool()
{
    ClockHooks::call(m_logic.hooks.prizePool);
    showModel();
}

void frmClock::UpdateDisplay()
{
    if (m_context.colorStyle) {
        m_context.colorStyle();
    }
    LayoutScreen();
}

void frmClock::LayoutScreen()
{
    TextCellHeight =
        qint16(ProvisionalLayout::apply(m_logic.model, m_logic.clock.DigitColour, PrizeLineCount));
    showModel();
}

void frmClock::relayout()
{
    takeScreenSize();
    m_logic.commands.PlaceCommandButtons();
    LayoutScreen();
    m_logic.commands.PlacePausedNotice();
    m_logic.clock.LayoutBlindsLine();
    m_logic.clock.CountDown();
    showModel();
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

void frmClock::SettingsClicked()
{
    m_logic.SettingsClicked();
    showModel();
}

void frmClock::HelpClicked()
{
    m_logic.HelpClicked();
    showModel();
}

void frmClock::CloseClicked()
{
    try {
        ReadWriteClockSettings(m_context.state, QStringLiteral("write"));
    } catch (const ClockError& e) {
        // The director learns that the state was not saved and can still choose to stay.
        m_context.boxes.show(MessageBoxes::Icon::Critical, e.message());
    }
    close();
}

void frmClock::keyReleaseEvent(QKeyEvent* event)
{
    if (event->isAutoRepeat()) {
        return;
    }
    guarded([&] { m_logic.keys.KeyReleased(VirtualKeyFromQt(event->key(), event->modifiers())); });
    showModel();
}

void frmClock::mouseMoveEvent(QMouseEvent* event)
{
    const QPointF at = event->position() * Twips;
    guarded([&] { m_logic.commands.PointerMoved(float(at.x()), float(at.y())); });
    showModel();
}

bool frmClock::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        const QString name = watched->objectName();
        if (name == QStringLiteral("lblSetup")) {
            SettingsClicked();
            return true;
        }
        if (name == QStringLiteral("lblHelp")) {
            HelpClicked();
            return true;
        }
        if (name == QStringLiteral("lblClose")) {
            CloseClicked();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void frmClock::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    guarded([&] {
        if (m_context.refreshBackground) {
            m_context.refreshBackground();
        }
    });
    if (m_initialised) {
        guarded([&] { relayout(); });
    }
}

void frmClock::closeEvent(QCloseEvent* event)
{
    showModel();
    const bool exit = m_logic.commands.ConfirmExit();
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
    event->accept();
}
