#include "frmHelp.h"

#include "platform/DesignFont.h"
#include "platform/DesignUnits.h"
#include "ui_frmHelp.h"

QList<frmHelp::KeyRow> frmHelp::keyRows()
{
    return {
        {QStringLiteral("F1"), QStringLiteral("Help"), QStringLiteral("F2"),
         QStringLiteral("Change settings")},
        {QStringLiteral("-"), QStringLiteral("Reduce players by 1"), QStringLiteral("+"),
         QStringLiteral("Increase players by 1")},
        {QStringLiteral("*"), QStringLiteral("Reduce rebuys by 1"), QStringLiteral("6"),
         QStringLiteral("Increase rebuys by 1")},
        {QStringLiteral("/"), QStringLiteral("Reduce addons by 1"), QStringLiteral("5"),
         QStringLiteral("Increase addons by 1")},
        {QStringLiteral("F7"), QStringLiteral("Reduce entries by 1"), QStringLiteral("F8"),
         QStringLiteral("Increase entries by 1")},
        {QStringLiteral("F9"), QStringLiteral("Decrease minutes by 1"), QStringLiteral("F10"),
         QStringLiteral("Increase minutes by 1")},
        {QStringLiteral("F11"), QStringLiteral("Decrease seconds by 1"), QStringLiteral("F12"),
         QStringLiteral("Increase seconds by 1")},
        {QStringLiteral("F5"), QStringLiteral("Decrease level by 1"), QStringLiteral("F6"),
         QStringLiteral("Increase level by 1")},
        {QStringLiteral("Space"), QStringLiteral("Start/Stop clock"), QString(), QString()},
        {QStringLiteral("F3"), QStringLiteral("Show/hide the players' view QR code"), QString(), QString()},
    };
}

QString frmHelp::VersionText(int major, int minor, int revision)
{
    return QStringLiteral("%1.%2.%3").arg(major).arg(minor).arg(revision);
}

QString frmHelp::ProgramVersion()
{
    return VersionText(KAVRO_VERSION_MAJOR, KAVRO_VERSION_MINOR, KAVRO_VERSION_PATCH);
}

frmHelp::frmHelp(QWidget* parent) : QDialog(parent), ui(std::make_unique<Ui::frmHelp>())
{
    setFont(DesignFont::dialogFont());
    ui->setupUi(this);
    // The version is as wide as its digits: it keeps its distance from the right edge.
    ui->lblVer->setText(ProgramVersion());
    ui->lblVer->adjustSize();
    ui->lblVer->move(width() - DesignUnits::pixels(360) - ui->lblVer->width(), DesignUnits::pixels(360));
}

frmHelp::~frmHelp() = default;
