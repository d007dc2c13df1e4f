#include "CheckForUpgrade.h"

#include "UpgradeContext.h"
#include "UpgradeVersion.h"
#include "core/MessageBoxes.h"
#include "fUpgrade.h"

bool CheckForUpgrade(const UpgradeContext& context)
{
    QString published;
    {
        fUpgrade probe(context);
        published = probe.StringDownload(context.baseUrl + QStringLiteral("version.txt"));
    }
    if (!UpgradeVersion::offersUpgrade(published, context.version)) {
        return false;
    }
    if (context.clockClosed && context.clockClosed()) {
        return false; // nobody is there to answer
    }
    if (!context.boxes.ask(QStringLiteral("A new version of this software is available! \r\n\r\n"
                                          "Do you want to download and install it now?"),
                           MessageBoxes::Icon::Information)) {
        return false;
    }
    fUpgrade dialog(context);
    if (context.showDialog) {
        context.showDialog(dialog);
    } else {
        dialog.exec();
    }
    return dialog.handedOver();
}
