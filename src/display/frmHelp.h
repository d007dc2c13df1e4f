#pragma once

#include <QDialog>
#include <QList>
#include <QString>
#include <memory>

namespace Ui {
class frmHelp;
}

// The help screen: the clock's keys and the program's version. It only informs; the keys act on the
// clock screen.
class frmHelp : public QDialog
{
    Q_OBJECT

public:
    explicit frmHelp(QWidget* parent = nullptr);
    ~frmHelp() override;

    struct KeyRow
    {
        QString leftKey;
        QString leftText;
        QString rightKey; // empty for the one centred entry
        QString rightText;
    };
    static QList<KeyRow> keyRows();

    // major.minor.revision, each in plain decimal, revision 0 included.
    static QString VersionText(int major, int minor, int revision);
    // The version of this build.
    static QString ProgramVersion();

private:
    std::unique_ptr<Ui::frmHelp> ui;
};
