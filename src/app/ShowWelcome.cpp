#include "ShowWelcome.h"

#include "core/AppTitle.h"

QString WelcomeText()
{
    const QString crlf = QStringLiteral("\r\n");
    return QStringLiteral("Welcome to ") + AppTitle() + u'!' + crlf + crlf + AppTitle() +
           QStringLiteral(
               " integrates with KAVRO tournament manager to provide tournament clock functions.") +
           crlf + crlf +
           QStringLiteral(
               "Move the mouse to the top right corner of the screen and the command buttons will appear. ") +
           QStringLiteral("The command buttons are: S to change the clock settings, ? to view the function "
                          "key list or X to close.");
}

void ShowWelcome(const TournamentState& state, MessageBoxes& boxes, const std::function<void()>& letEventsRun)
{
    if (!state.FirstRun) {
        return;
    }
    if (letEventsRun) {
        letEventsRun();
    }
    boxes.show(MessageBoxes::Icon::None, WelcomeText());
}
