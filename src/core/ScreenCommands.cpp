#include "ScreenCommands.h"

#include "AppTitle.h"
#include "ClockScreenModel.h"
#include "LevelClock.h"
#include "MessageBoxes.h"

namespace {

using Id = ScreenElementId;

} // namespace

ScreenCommands::ScreenCommands(ClockScreenModel& screen, LevelClock& clock, MessageBoxes& boxes)
    : m_screen(screen), m_clock(clock), m_boxes(boxes)
{}

void ScreenCommands::showCommandButtons(bool visible)
{
    for (const Id id : {Id::shpButton, Id::lblClose, Id::lblSetup, Id::lblHelp}) {
        m_screen.setVisible(id, visible);
    }
    m_clock.commandButtonsShown = visible;
}

void ScreenCommands::pointerMoved(float x, float y)
{
    const ScreenElement& strip = m_screen.element(Id::shpButton);
    showCommandButtons(x > strip.left && y < strip.height);
    if (LastPointerX + LastPointerY != 0 && (x != LastPointerX || y != LastPointerY)) {
        m_clock.wakePointer();
    }
    LastPointerX = x;
    LastPointerY = y;
}

void ScreenCommands::runModal(const std::function<void()>& open)
{
    m_clock.wakePointer();
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

bool ScreenCommands::confirmExit(const QString& saveProblem)
{
    const bool wasPaused = m_clock.isPaused();
    m_clock.setPaused(true);
    const bool exit =
        saveProblem.isEmpty()
            ? m_boxes.ask(exitQuestion())
            : m_boxes.ask(saveProblem +
                              QStringLiteral("\r\n\r\nNo keeps the clock running. On Yes the tournament "
                                             "stays in the crash record and resumes from it at the next "
                                             "start.\r\n\r\n") +
                              exitQuestion(),
                          MessageBoxes::Icon::Warning);
    if (exit) {
        return true;
    }
    if (!wasPaused) {
        m_clock.setPaused(false);
    }
    return false;
}

void ScreenCommands::placeCommandButtons()
{
    const int inner = m_screen.screenWidth();
    const auto width = [&](Id id) { return m_screen.element(id).width; };
    const int closeLeft = inner - (width(Id::lblClose) + 100);
    const int setupLeft = closeLeft - (width(Id::lblSetup) + 50);
    const int helpLeft = setupLeft - (width(Id::lblHelp) + 50);
    m_screen.setLeft(Id::lblClose, closeLeft);
    m_screen.setLeft(Id::lblSetup, setupLeft);
    m_screen.setLeft(Id::lblHelp, helpLeft);
    for (const Id id : {Id::lblClose, Id::lblSetup, Id::lblHelp}) {
        m_screen.setTop(id, 60);
    }
    const Id backdrop = Id::shpButton;
    const int backdropWidth = inner - helpLeft + 100;
    m_screen.setWidth(backdrop, backdropWidth);
    m_screen.setHeight(backdrop, m_screen.element(Id::lblHelp).height + 120);
    m_screen.setLeft(backdrop, inner - backdropWidth);
    m_screen.setTop(backdrop, 0);
    m_screen.setBackColour(backdrop, RgbColour{255, 255, 255});
}

void ScreenCommands::placePausedNotice()
{
    const ScreenElement& digit = m_screen.timer(0);
    const Id paused = Id::lblPaused;
    m_screen.setTop(paused, digit.top + digit.height + 300);
    m_screen.setLeft(paused, m_screen.screenWidth() / 2 - m_screen.element(paused).width / 2);
}
