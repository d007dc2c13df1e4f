#include "CheckRequiredFiles.h"

#include "core/AppTitle.h"
#include "core/FolderLookup.h"

#include <QDir>

namespace {

const QString LineBreak = QStringLiteral("\r\n");

void showAfterEvents(MessageBoxes& boxes, MessageBoxes::Icon icon, const QString& text,
                     const std::function<void()>& letEventsRun)
{
    if (letEventsRun) {
        letEventsRun();
    }
    boxes.show(icon, text);
}

} // namespace

bool CheckRequiredFiles(const TournamentState& state, MessageBoxes& boxes,
                        const std::function<void()>& letEventsRun)
{
    const ClockFolders& f = state.Folders;
    const QString templateName = QStringLiteral("prize-pool.csv");
    QString missing;

    if (FolderLookup::filesEndingWith(f.Blinds, QStringLiteral(".blinds.csv")).isEmpty()) {
        missing += QStringLiteral("Blinds (") + f.Blinds + QStringLiteral("*.blinds.csv)") + LineBreak;
    }
    if (!FolderLookup::exists(f.Parent, templateName) && !FolderLookup::exists(f.Program, templateName)) {
        missing += QStringLiteral("Prize Pool (") + f.Parent + templateName + QStringLiteral(" or ") +
                   f.Program + QDir::separator() + templateName + u')' + LineBreak;
    }
    if (!missing.isEmpty()) {
        showAfterEvents(boxes, MessageBoxes::Icon::Critical,
                        AppTitle() + QStringLiteral(" cannot start!") + LineBreak +
                            QStringLiteral("Required file(s) are missing:") + LineBreak + LineBreak + missing,
                        letEventsRun);
        return true;
    }

    const QString& background = state.Display.Background;
    if (!background.isEmpty() && !FolderLookup::exists(f.Background, background)) {
        showAfterEvents(boxes, MessageBoxes::Icon::Warning,
                        QStringLiteral("File(s) are missing:") + LineBreak + LineBreak +
                            QStringLiteral("Background image (") + f.Background + background + u')' +
                            LineBreak,
                        letEventsRun);
    }
    return false;
}
