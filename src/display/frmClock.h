#pragma once

#include "BackgroundBuilder.h"
#include "ClockScreenContext.h"
#include "ClockScreenSizerHost.h"
#include "ColourScheme.h"
#include "CornerNotice.h"
#include "ScreenFollower.h"
#include "TournamentFigures.h"
#include "core/AutoSizer.h"
#include "core/ClockScreen.h"
#include "core/ClockScreenLogic.h"
#include "core/ClockScreenWindow.h"
#include "core/TournamentSnapshot.h"
#include "platform/DesignUnits.h"
#include "platform/QtTextMeasurer.h"

#include <QPixmap>
#include <QTimer>
#include <QWidget>
#include <array>
#include <memory>
#include <vector>

class QLabel;

// The full-screen clock window ("Darvel"). It shows ClockScreenLogic's model: one child QLabel per text
// element and the logo, named as the element (the digits, each with the property "index"), and the panels
// painted behind them. It forwards keys, pointer movement, clicks, closing and the
// one-second timer to the logic and redraws what changed.
class frmClock : public QWidget, public ClockScreen, private ClockScreenWindow
{
    Q_OBJECT

public:
    explicit frmClock(ClockScreenContext context, QWidget* parent = nullptr);
    ~frmClock() override;

    // Loads the screen: clears the payout columns, switches the screen saver off and initialises the screen,
    // which ends maximised and shown.
    void load();
    void InitialiseScreen();

    void UpdateCountDown();
    void SetBlind(int level) override;
    void CountDown() override;
    void UpdateDisplay() override;
    void UpdateStatistics() override;
    void PrizePool() override;
    void ShowMouse(bool visible);
    void LayoutScreen();
    void ColorStyle() override;
    // Rebuilds the background picture at the window's size; throws FreeImageError when the picture cannot
    // be loaded, keeping the previous one.
    void RefreshBackground() override;
    // The same on the builder's thread: the picture paints in when it is ready. A new size does this.
    void refreshBackgroundLater();
    bool isBuildingBackground() const { return m_backgroundBuilder.isBusy(); }
    void setCaption(ScreenElementId id, const QString& caption) override;
    void showLogo() override;

    void settingsClicked();
    void helpClicked();
    void closeClicked();
    // Whether the last close wrote darvel.ini.
    bool settingsSaved() const { return m_settingsSaved; }

    // Drawn from the top-left corner under all elements; a null picture shows the background colour.
    void setBackgroundPicture(const QPixmap& picture);
    const QPixmap& backgroundPicture() const { return m_background; }

    ClockScreenLogic& logic() { return m_logic; }
    ClockScreenModel& model() { return m_logic.model; }
    // The element's label; none for the panels.
    QLabel* label(ScreenElementId id) const { return m_labels.at(size_t(id)); }
    QTimer& clockTick() { return m_clockTick; }
    // The corner notice for what the director should know without stopping the clock.
    CornerNotice& notice() { return *m_notice; }
    // Where an element of the model lies in the window, in pixels.
    QRect pixelRect(const ScreenElement& element) const;

    ColourScheme scheme;
    qint16 PrizeLineCount = 9;
    // Where the rotating payout list goes on after 1st; kept between rebuilds, never saved.
    qint16 PrizeStartPlace = 0;
    qint16 TextCellHeight = 0;
    bool ScreenSaverWasActive = false;

    // Redraws the elements that changed since the last call.
    void showModel();
    // What the one-second timer runs: the ticks due by the monotonic clock, then a redraw.
    void clockTicked();
    // A key of the director's, from the keyboard or the remote: the same handling either way.
    void keyReleased(VirtualKey key);

    // The tournament as it stands; made again whenever the screen is brought up to date.
    const TournamentSnapshot& snapshot() const { return m_snapshot; }
    TournamentFigures& figures() { return m_figures; }

signals:
    // A new snapshot that differs from the last one.
    void snapshotChanged(const TournamentSnapshot& snapshot);
    // The screen's elements changed: a caption, a colour, a place or the size.
    void screenChanged();
    // After every key the screen acted on, after every firing of the one-second timer, and once the
    // screen has closed for good (not after a refused exit).
    void keyHandled();
    void ticked();
    void closed();

protected:
    void keyReleaseEvent(QKeyEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    ClockScreenContext m_context;
    QtTextMeasurer m_measurer;
    TournamentFigures m_figures;
    TournamentSnapshot m_snapshot;
    int m_publishedRevision = -1;
    ClockScreenLogic m_logic;
    QTimer m_clockTick;
    std::array<QLabel*, ScreenElementCount> m_labels{};
    CornerNotice* m_notice = nullptr;
    std::vector<int> m_shownRevisions;
    bool m_shownOnce = false;
    bool m_redrawQueued = false;
    RgbColour m_shownBackColour;
    QPixmap m_background;
    bool m_cursorHidden = false;
    bool m_initialised = false;
    bool m_settingsSaved = false;
    ClockScreenSizerHost m_sizerHost;
    BackgroundBuilder m_backgroundBuilder;
    // Keeps the elements proportional to the window from the end of the initialisation on.
    std::unique_ptr<AutoSizer> AutoSizer1;
    double m_twipsX = DesignUnits::TwipsPerPixel;
    double m_twipsY = DesignUnits::TwipsPerPixel;
    // Top-left corner of the laid-out area, which keeps the proportions of the first window.
    QPoint m_origin;

    void createLabels();
    void publishSnapshot();
    void showElement(const ScreenElement& element, QLabel* label);
    void takeScreenSize();
    QSize backgroundPixels() const;
    void showBackground(BackgroundPicture::Result result);

    void startClockTimer() override;
    void startAutoSizer() override;
    void showMaximised() override;
    // Fills the screen the window is on, or the primary one when its screen went away.
    void fillScreen();

    ScreenFollower m_screenFollower{this, [this] { fillScreen(); }};
};
