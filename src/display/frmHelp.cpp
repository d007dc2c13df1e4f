#include "frmHelp.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>

namespace {

constexpr int TwipsPerPixel = 15;

int px(int twips)
{
    return (twips + TwipsPerPixel / 2) / TwipsPerPixel;
}

QFont tahoma(double points, bool bold)
{
    QFont font(QStringLiteral("Tahoma"));
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

QLabel* place(QWidget* parent, const QString& text, int left, int top, bool bold)
{
    auto* label = new QLabel(text, parent);
    label->setFont(tahoma(8.25, bold));
    label->adjustSize();
    label->move(px(left), px(top));
    return label;
}

constexpr int Width = 7200;
constexpr int FirstRow = 960;
constexpr int RowStep = 360;
constexpr int SpaceRow = 4080;

} // namespace

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

frmHelp::frmHelp(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmHelp"));
    setWindowTitle(QStringLiteral("Help"));
    setFont(tahoma(8.25, false));
    setFixedSize(px(Width), px(5280));

    auto* title = place(this, QStringLiteral("Clock Help"), 360, 300, true);
    title->setFont(tahoma(12, true));
    title->adjustSize();
    auto* version = new QLabel(ProgramVersion(), this);
    version->setObjectName(QStringLiteral("lblVer"));
    version->adjustSize();
    version->move(width() - px(360) - version->width(), px(360));

    const QList<KeyRow> rows = keyRows();
    int singleRow = SpaceRow;
    for (int i = 0; i < rows.size(); ++i) {
        const KeyRow& row = rows[i];
        if (row.rightKey.isEmpty()) {
            auto* key = place(this, row.leftKey, 0, singleRow, true);
            auto* text = place(this, row.leftText, 0, singleRow, false);
            const int gap = px(240);
            const int left = (width() - key->width() - gap - text->width()) / 2;
            key->move(left, px(singleRow));
            text->move(left + key->width() + gap, px(singleRow));
            singleRow += RowStep;
            continue;
        }
        const int top = FirstRow + RowStep * i;
        place(this, row.leftKey, 600, top, true);
        place(this, row.leftText, 1440, top, false);
        place(this, row.rightKey, 3360, top, true);
        place(this, row.rightText, 4200, top, false);
        auto* line = new QFrame(this);
        line->setGeometry(px(480), px(top + RowStep) - px(60), width() - 2 * px(480), 1);
        line->setStyleSheet(QStringLiteral("background-color: rgb(192,192,192);"));
    }

    auto* ok = new QPushButton(QStringLiteral("&OK"), this);
    ok->setObjectName(QStringLiteral("Command1"));
    ok->setDefault(true);
    ok->setGeometry(width() - px(1335), height() - px(600), px(975), px(360));
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}
