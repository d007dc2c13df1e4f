#include "ScreenCommands.h"

#include "AppTitle.h"
#include "ClockScreenModel.h"
#include "LevelClock.h"
#include "MessageBoxes.h"

ScreenCommands::ScreenCommands(ClockScreenModel& screen, LevelClock& clock, MessageBoxes& boxes)
    : m_screen(screen), m_clock(clock), m_boxes(boxes)
{}

void ScreenCommands::showCommandButtons(bool visible)
{
    for (const QString& name : {QStringLiteral("shpButton"), QStringLiteral("lblClose"),
                                QStringLiteral("lblSetup"), QStringLiteral("lblHelp")}) {
        m_screen.setVisible(name, visible);
    }
}

void ScreenCommands::PointerMoved(float x, float y)
{
    const ScreenElement& strip = m_screen.element(QStringLiteral("shpButton"));
    showCommandButtons(x > strip.left && y < strip.height);
    if (LastPointerX + LastPointerY != 0 && (x != LastPointerX || y != LastPointerY)) {
        m_clock.WakePointer();
    }
    LastPointerX = x;
    LastPointerY = y;
}

void ScreenCommands::RunModal(const std::function<void()>& open)
{
    m_clock.WakePointer();
    const bool wasPaused = m_clock.isPaused();
    m_clock.setPaused(true);
    if (open) {
        open();
    }
    if (!wasPaused) {
        m_clock.setPaused(false);
    }
    showCommandButtons(false);
}

QString ScreenCommands::exitQuestion()
{
    return QStringLiteral("Are you sure that you want to exit ") + AppTitle() + u'?';
}

bool ScreenCommands::ConfirmExit()
{
    const bool wasPaused = m_clock.isPaused();
    m_clock.setPaused(true);
    if (m_boxes.ask(exitQuestion())) {
        return true;
    }
    if (!wasPaused) {
        m_clock.setPaused(false);
    }
    return false;
}

void ScreenCommands::PlaceCommandButtons()
{
    const int inner = m_screen.screenWidth();
    const auto width = [&](const char* name) { return m_screen.element(QString::fromLatin1(name)).width; };
    const int closeLeft = inner - (width("lblClose") + 100);
    const int setupLeft = closeLeft - (width("lblSetup") + 50);
    const int helpLeft = setupLeft - (width("lblHelp") + 50);
    m_screen.setLeft(QStringLiteral("lblClose"), closeLeft);
    m_screen.setLeft(QStringLiteral("lblSetup"), setupLeft);
    m_screen.setLeft(QStringLiteral("lblHelp"), helpLeft);
    for (const char* name : {"lblClose", "lblSetup", "lblHelp"}) {
        m_screen.setTop(QString::fromLatin1(name), 60);
    }
    const QString backdrop = QStringLiteral("shpButton");
    const int backdropWidth = inner - helpLeft + 100;
    m_screen.setWidth(backdrop, backdropWidth);
    m_screen.setHeight(backdrop, m_screen.element(QStringLiteral("lblHelp")).height + 120);
    m_screen.setLeft(backdrop, inner - backdropWidth);
    m_screen.setTop(backdrop, 0);
    m_screen.setBackColour(backdrop, RgbColour{255, 255, 255});
}

void ScreenCommands::PlacePausedNotice()
{
    const ScreenElement& digit = m_screen.timer(0);
    const QString paused = QStringLiteral("lblPaused");
    m_screen.setTop(paused, digit.top + digit.height + 300);
    m_screen.setLeft(paused, m_screen.screenWidth() / 2 - m_screen.element(paused).width / 2);
}
