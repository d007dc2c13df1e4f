#include "frmBlindBuilder.h"

#include "SettingsDialogContext.h"
#include "SettingsSave.h"
#include "core/AppTitle.h"
#include "core/BlindPlanCheck.h"
#include "core/BlindStructureGenerator.h"
#include "core/BlindStructureWriter.h"
#include "core/ClockError.h"
#include "core/Cp1252.h"
#include "core/DecimalNumber.h"
#include "core/EstimatedEnd.h"
#include "core/FileChooser.h"
#include "core/FolderLookup.h"
#include "core/MessageBoxes.h"
#include "core/TextFile.h"
#include "core/TournamentState.h"
#include "ui_frmBlindBuilder.h"

#include <QFileInfo>
#include <QHeaderView>
#include <QSpinBox>
#include <algorithm>
#include <cmath>

namespace {

enum Column
{
    LevelColumn,
    SmallColumn,
    BigColumn,
    AnteColumn,
    MinutesColumn,
    BreakColumn,
    NoteColumn,
};

QString hoursMinutes(qint64 minutes)
{
    return QStringLiteral("%1:%2").arg(minutes / 60).arg(minutes % 60, 2, 10, QChar(u'0'));
}

qint16 wholeCell(const QTableWidget* table, int row, int column)
{
    const QTableWidgetItem* item = table->item(row, column);
    const auto number = DecimalNumber::strict(item ? item->text() : QString());
    return number ? number->toInt16().value_or(0) : 0;
}

} // namespace

frmBlindBuilder::frmBlindBuilder(SettingsDialogContext& context, const BlindPlanInputs& defaults,
                                 QWidget* parent)
    : QDialog(parent), m_context(context), ui(std::make_unique<Ui::frmBlindBuilder>()),
      m_header(BlindStructureWriter::defaultHeader())
{
    ui->setupUi(this);
    setWindowTitle(AppTitle() + QStringLiteral(" New Blinds"));
    ui->tblLevels->horizontalHeader()->setSectionResizeMode(NoteColumn, QHeaderView::Stretch);
    ui->tblLevels->verticalHeader()->setVisible(false);
    setInputs(defaults);

    for (QSpinBox* spin : findChildren<QSpinBox*>()) {
        connect(spin, &QSpinBox::valueChanged, this, &frmBlindBuilder::regenerate);
    }
    connect(ui->txtChips, &QLineEdit::editingFinished, this, &frmBlindBuilder::regenerate);
    connect(ui->cboAnte, &QComboBox::currentIndexChanged, this, [this](int index) {
        ui->spinAnteFrom->setEnabled(index != int(BlindPlanInputs::Ante::None));
        regenerate();
    });
    connect(ui->chkKeepEdits, &QCheckBox::toggled, this, [this](bool keep) {
        if (!keep) {
            regenerate();
        }
    });
    connect(ui->timeStart, &QTimeEdit::timeChanged, this, &frmBlindBuilder::updatePlan);
    connect(ui->tblLevels, &QTableWidget::itemChanged, this, [this] {
        if (!m_filling) {
            ui->chkKeepEdits->setChecked(true);
            updatePlan();
        }
    });
    connect(ui->cmdInsert, &QPushButton::clicked, this, [this] {
        const int row =
            ui->tblLevels->currentRow() < 0 ? ui->tblLevels->rowCount() : ui->tblLevels->currentRow();
        ui->chkKeepEdits->setChecked(true);
        m_filling = true;
        ui->tblLevels->insertRow(row);
        for (int c = 0; c < ui->tblLevels->columnCount(); ++c) {
            ui->tblLevels->setItem(row, c,
                                   new QTableWidgetItem(c == AnteColumn || c == BreakColumn ? "0" : ""));
        }
        ui->tblLevels->item(row, LevelColumn)->setText(QString::number(row + 1));
        ui->tblLevels->item(row, MinutesColumn)->setText(QString::number(ui->spinLevelMinutes->value()));
        m_filling = false;
        ui->tblLevels->setCurrentCell(row, SmallColumn);
        updatePlan();
    });
    connect(ui->cmdDelete, &QPushButton::clicked, this, [this] {
        if (ui->tblLevels->currentRow() >= 0) {
            ui->chkKeepEdits->setChecked(true);
            ui->tblLevels->removeRow(ui->tblLevels->currentRow());
            updatePlan();
        }
    });
    connect(ui->cmdUp, &QPushButton::clicked, this, [this] { moveRow(-1); });
    connect(ui->cmdDown, &QPushButton::clicked, this, [this] { moveRow(1); });
    connect(ui->cmdOpen, &QPushButton::clicked, this, [this] {
        const QString path = m_context.files.chooseFile(
            QStringLiteral("Select a blinds file"), m_context.state.Folders.Blinds,
            QStringLiteral("CSV Files (*.blinds.csv)"), QStringLiteral("*.blinds.csv"));
        if (!path.isEmpty()) {
            openFile(path);
        }
    });
    connect(ui->cmdSaveAs, &QPushButton::clicked, this, &frmBlindBuilder::saveAs);
    ui->cmdUseNow->setEnabled(bool(m_context.useBlindsNow));
    connect(ui->cmdUseNow, &QPushButton::clicked, this, &frmBlindBuilder::useNow);
    connect(ui->cmdClose, &QPushButton::clicked, this, &QDialog::accept);

    regenerate();
}

frmBlindBuilder::~frmBlindBuilder() = default;

QString frmBlindBuilder::replaceQuestion(const QString& fileName)
{
    return QStringLiteral("The blinds file \"%1\" already exists.\r\n\r\nDo you want to replace it?")
        .arg(fileName);
}

QString frmBlindBuilder::badNameMessage()
{
    return QStringLiteral(
        "Please enter a file name for the blinds, without folders and without the characters "
        "\\ / : * ? \" < > |.");
}

void frmBlindBuilder::setInputs(const BlindPlanInputs& in)
{
    m_filling = true;
    ui->spinEntries->setValue(in.entries);
    ui->spinStack->setValue(int(qMin<qint64>(in.startingChips, ui->spinStack->maximum())));
    ui->spinRebuys->setValue(in.rebuys);
    ui->spinRebuyChips->setValue(int(qMin<qint64>(in.rebuyChips, ui->spinRebuyChips->maximum())));
    ui->spinAddons->setValue(in.addons);
    ui->spinAddonChips->setValue(int(qMin<qint64>(in.addonChips, ui->spinAddonChips->maximum())));
    ui->spinHours->setValue(in.playingMinutes / 60);
    ui->spinMinutes->setValue(in.playingMinutes % 60);
    ui->spinLevelMinutes->setValue(in.levelMinutes);
    ui->spinBreakEvery->setValue(in.breakEvery);
    ui->spinBreakMinutes->setValue(in.breakMinutes);
    ui->spinDepth->setValue(in.depth);
    ui->txtChips->setText(in.chips.toString());
    ui->cboAnte->setCurrentIndex(int(in.ante));
    ui->spinAnteFrom->setValue(in.anteFromLevel);
    ui->spinAnteFrom->setEnabled(in.ante != BlindPlanInputs::Ante::None);
    m_filling = false;
}

BlindPlanInputs frmBlindBuilder::inputs() const
{
    BlindPlanInputs in;
    in.entries = ui->spinEntries->value();
    in.startingChips = ui->spinStack->value();
    in.rebuys = ui->spinRebuys->value();
    in.rebuyChips = ui->spinRebuyChips->value();
    in.addons = ui->spinAddons->value();
    in.addonChips = ui->spinAddonChips->value();
    in.playingMinutes = ui->spinHours->value() * 60 + ui->spinMinutes->value();
    in.levelMinutes = ui->spinLevelMinutes->value();
    in.breakEvery = ui->spinBreakEvery->value();
    in.breakMinutes = ui->spinBreakMinutes->value();
    in.depth = ui->spinDepth->value();
    in.chips = ChipSet::parse(ui->txtChips->text()).value_or(ChipSet());
    in.ante = BlindPlanInputs::Ante(ui->cboAnte->currentIndex());
    in.anteFromLevel = ui->spinAnteFrom->value();
    return in;
}

void frmBlindBuilder::regenerate()
{
    if (m_filling) {
        return;
    }
    const BlindPlanInputs in = inputs();
    const auto problem = in.problem();
    ui->lblProblem->setText(problem ? *problem : QString());
    if (!problem && !ui->chkKeepEdits->isChecked()) {
        showStructure(BlindStructureGenerator::generate(in));
    }
    updatePlan();
}

void frmBlindBuilder::showStructure(const BlindStructure& s)
{
    m_filling = true;
    QTableWidget* table = ui->tblLevels;
    table->setRowCount(s.levelCount());
    for (int i = 1; i <= s.levelCount(); ++i) {
        const BlindLevel& l = s.at(i);
        const QStringList cells = {
            QString::number(l.LevelNumber),  l.SmallBlind, l.BigBlind, l.Ante, QString::number(l.Minutes),
            QString::number(l.BreakMinutes), l.Note};
        for (int c = 0; c < cells.size(); ++c) {
            table->setItem(i - 1, c, new QTableWidgetItem(cells.at(c)));
        }
    }
    m_filling = false;
}

BlindStructure frmBlindBuilder::structure() const
{
    const QTableWidget* table = ui->tblLevels;
    BlindStructure s;
    const auto text = [table](int row, int column) {
        const QTableWidgetItem* item = table->item(row, column);
        return item ? item->text() : QString();
    };
    for (int row = 0; row < table->rowCount(); ++row) {
        BlindLevel l;
        l.LevelNumber = wholeCell(table, row, LevelColumn);
        l.SmallBlind = text(row, SmallColumn);
        l.BigBlind = text(row, BigColumn);
        l.Ante = text(row, AnteColumn);
        l.Minutes = qMax<qint16>(0, wholeCell(table, row, MinutesColumn));
        l.BreakMinutes = wholeCell(table, row, BreakColumn);
        l.Note = text(row, NoteColumn);
        s.append(l);
    }
    return s;
}

void frmBlindBuilder::updatePlan()
{
    if (m_filling) {
        return;
    }
    ui->txtPlan->setPlainText(planText());
}

QString frmBlindBuilder::planText() const
{
    const BlindStructure s = structure();
    const BlindPlanInputs in = inputs();
    const QTime start = ui->timeStart->time();
    QStringList lines;
    const double total = double(in.totalChips());
    const auto end = s.levelCount() > 0
                         ? EstimatedEnd::estimate(s, 1, qint64(s.at(1).Minutes) * 60, false, total)
                         : std::nullopt;
    if (end) {
        qint64 played = 0;
        for (int i = 1; i < end->level; ++i) {
            played += s.at(i).Minutes;
        }
        lines << QStringLiteral("Estimated end: level %1, after %2 of play, at %3 (big blind at least %4, a "
                                "twentieth of %5 chips)")
                     .arg(end->level)
                     .arg(hoursMinutes(played),
                          start.addSecs(int(end->seconds)).toString(QStringLiteral("HH:mm")))
                     .arg(qint64(std::ceil(total / 20.0)))
                     .arg(in.totalChips());
    } else {
        lines << QStringLiteral(
                     "Estimated end: cannot be estimated (no level reaches a twentieth of %1 chips)")
                     .arg(in.totalChips());
    }
    lines << BlindPlanCheck::warnings(s, in.chips);
    qint64 played = 0;
    qint64 clock = 0;
    for (int i = 1; i <= s.levelCount(); ++i) {
        const BlindLevel& l = s.at(i);
        lines << QStringLiteral("Level %1  %2/%3%4  starts at %5 of play, %6%7")
                     .arg(i)
                     .arg(l.SmallBlind, l.BigBlind,
                          l.Ante.isEmpty() || l.Ante == QStringLiteral("0")
                              ? QString()
                              : QStringLiteral(" ante ") + l.Ante,
                          hoursMinutes(played),
                          start.addSecs(int(clock * 60)).toString(QStringLiteral("HH:mm")),
                          l.hasBreak()
                              ? QStringLiteral("; then a %1-minute break%2")
                                    .arg(l.BreakMinutes)
                                    .arg(l.Note.isEmpty() ? QString() : QStringLiteral(": ") + l.Note)
                              : QString());
        played += l.Minutes;
        clock += l.Minutes + qMax<qint16>(0, l.BreakMinutes);
    }
    return lines.join(u'\n');
}

void frmBlindBuilder::moveRow(int by)
{
    QTableWidget* table = ui->tblLevels;
    const int row = table->currentRow();
    const int to = row + by;
    if (row < 0 || to < 0 || to >= table->rowCount()) {
        return;
    }
    ui->chkKeepEdits->setChecked(true);
    m_filling = true;
    for (int c = 0; c < table->columnCount(); ++c) {
        // Level numbers stay in place: the rows, not the numbers, give the order.
        if (c == LevelColumn) {
            continue;
        }
        QTableWidgetItem* a = table->takeItem(row, c);
        QTableWidgetItem* b = table->takeItem(to, c);
        table->setItem(row, c, b);
        table->setItem(to, c, a);
    }
    m_filling = false;
    table->setCurrentCell(to, table->currentColumn());
    updatePlan();
}

bool frmBlindBuilder::openFile(const QString& path)
{
    BlindStructure s;
    QStringList lines;
    try {
        lines = TextFile::readLines(path);
        ParseBlindLines(lines, QFileInfo(path).fileName(), s);
    } catch (const ClockError& e) {
        m_context.boxes.show(MessageBoxes::Icon::Warning, e.message());
        return false;
    }
    m_header = lines.value(0, BlindStructureWriter::defaultHeader());
    ui->chkKeepEdits->setChecked(true);
    showStructure(s);
    QString name = QFileInfo(path).fileName();
    name.chop(name.endsWith(QStringLiteral(".blinds.csv"), Qt::CaseInsensitive) ? 11 : 0);
    ui->txtName->setText(name);
    updatePlan();
    return true;
}

bool frmBlindBuilder::saveAs()
{
    const QString name = ui->txtName->text().trimmed();
    static const QString forbidden = QStringLiteral("\\/:*?\"<>|");
    if (name.isEmpty() || name.startsWith(u'.') ||
        std::any_of(name.begin(), name.end(), [](QChar c) { return forbidden.contains(c) || c < u' '; })) {
        m_context.boxes.show(MessageBoxes::Icon::Warning, badNameMessage());
        return false;
    }
    const QString fileName = name + QStringLiteral(".blinds.csv");
    if (!Cp1252::canEncode(fileName)) {
        m_context.boxes.show(MessageBoxes::Icon::Warning,
                             SettingsSave::unsupportedNameMessage(QStringLiteral("Blinds"), fileName));
        return false;
    }
    const QString folder = m_context.state.Folders.Blinds;
    const QString existing = FolderLookup::find(folder, fileName);
    if (!existing.isEmpty() && !m_context.boxes.ask(replaceQuestion(QFileInfo(existing).fileName()))) {
        return false;
    }
    const QString path = existing.isEmpty() ? folder + fileName : existing;
    try {
        BlindStructureWriter::write(path, structure(), m_header);
    } catch (const ClockError& e) {
        m_context.boxes.show(MessageBoxes::Icon::Warning, e.message());
        return false;
    }
    emit saved(QFileInfo(path).fileName());
    return true;
}

void frmBlindBuilder::useNow()
{
    if (m_context.useBlindsNow) {
        m_context.useBlindsNow(structure());
    }
}
