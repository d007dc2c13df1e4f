#include "BlindsCommand.h"

#include "core/BlindAmount.h"
#include "core/BlindStructureGenerator.h"
#include "core/BlindStructureWriter.h"
#include "core/ClockError.h"
#include "core/Cp1252.h"
#include "core/EstimatedEnd.h"
#include "core/TextFile.h"

#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>

namespace {

struct BadInput
{
    QString message;
};

const QStringList& valueOptions()
{
    static const QStringList options = {
        QStringLiteral("entries"),     QStringLiteral("stack"),         QStringLiteral("rebuys"),
        QStringLiteral("rebuy-chips"), QStringLiteral("addons"),        QStringLiteral("addon-chips"),
        QStringLiteral("hours"),       QStringLiteral("level-minutes"), QStringLiteral("chips"),
        QStringLiteral("break-every"), QStringLiteral("break-minutes"), QStringLiteral("ante"),
        QStringLiteral("depth"),       QStringLiteral("estimate"),
    };
    return options;
}

qint64 number(const QHash<QString, QString>& values, const QString& name, qint64 fallback, qint64 max)
{
    if (!values.contains(name)) {
        return fallback;
    }
    static const QRegularExpression digits(QStringLiteral("^\\d{1,10}$"));
    const QString text = values.value(name);
    if (!digits.match(text).hasMatch() || text.toLongLong() > max) {
        throw BadInput{QStringLiteral("--%1 needs a whole number from 0 to %2, not \"%3\"")
                           .arg(name)
                           .arg(max)
                           .arg(text)};
    }
    return text.toLongLong();
}

int minutesOf(const QString& text)
{
    static const QRegularExpression form(QStringLiteral("^(\\d{1,3})(?::([0-5]\\d))?$"));
    const auto match = form.match(text);
    if (!match.hasMatch()) {
        throw BadInput{QStringLiteral("--hours needs hours and minutes such as 5:00, not \"%1\"").arg(text)};
    }
    return match.captured(1).toInt() * 60 + match.captured(2).toInt();
}

QString clock(qint64 minutes)
{
    return QStringLiteral("%1:%2").arg(minutes / 60).arg(minutes % 60, 2, 10, QChar(u'0'));
}

BlindPlanInputs inputsOf(const QHash<QString, QString>& values, bool forEstimate)
{
    BlindPlanInputs in;
    for (const char* required : {"entries", "stack"}) {
        if (!values.contains(QString::fromLatin1(required))) {
            throw BadInput{QStringLiteral("--%1 is required").arg(QString::fromLatin1(required))};
        }
    }
    const qint64 chipMax = 1000000000;
    in.entries = int(number(values, QStringLiteral("entries"), 0, 100000));
    in.startingChips = number(values, QStringLiteral("stack"), 0, chipMax);
    in.rebuys = int(number(values, QStringLiteral("rebuys"), 0, 1000000));
    in.rebuyChips = number(values, QStringLiteral("rebuy-chips"), 0, chipMax);
    in.addons = int(number(values, QStringLiteral("addons"), 0, 1000000));
    in.addonChips = number(values, QStringLiteral("addon-chips"), 0, chipMax);
    if (forEstimate) {
        if (in.totalChips() <= 0) {
            throw BadInput{QStringLiteral("no chips: --entries and --stack must be more than 0")};
        }
        return in;
    }
    if (values.contains(QStringLiteral("hours"))) {
        in.playingMinutes = minutesOf(values.value(QStringLiteral("hours")));
    }
    in.levelMinutes = int(number(values, QStringLiteral("level-minutes"), in.levelMinutes, 32767));
    in.breakEvery = int(number(values, QStringLiteral("break-every"), in.breakEvery, 100000));
    in.breakMinutes = int(number(values, QStringLiteral("break-minutes"), in.breakMinutes, 32767));
    in.depth = int(number(values, QStringLiteral("depth"), in.depth, 100000));
    if (values.contains(QStringLiteral("chips"))) {
        const auto chips = ChipSet::parse(values.value(QStringLiteral("chips")));
        if (!chips) {
            throw BadInput{
                QStringLiteral("no chips: --chips needs denominations such as 25,100,500,1000, not \"%1\"")
                    .arg(values.value(QStringLiteral("chips")))};
        }
        in.chips = *chips;
    }
    if (values.contains(QStringLiteral("ante")) && !in.setAnte(values.value(QStringLiteral("ante")))) {
        throw BadInput{QStringLiteral("--ante takes none, classic:K or bb:K, not \"%1\"")
                           .arg(values.value(QStringLiteral("ante")))};
    }
    if (const auto problem = in.problem()) {
        throw BadInput{*problem};
    }
    return in;
}

QByteArray crlf(const QStringList& lines)
{
    QByteArray bytes;
    for (const QString& line : lines) {
        bytes += Cp1252::encode(line) + "\r\n";
    }
    return bytes;
}

BlindsCommand::Result estimate(const QString& path, const BlindPlanInputs& in)
{
    BlindStructure structure;
    try {
        ParseBlindLines(TextFile::readLines(path), QFileInfo(path).fileName(), structure);
    } catch (const ClockError& e) {
        throw BadInput{e.message()};
    }
    if (structure.levelCount() == 0) {
        throw BadInput{QStringLiteral("%1 has no levels").arg(path)};
    }
    const auto end = EstimatedEnd::estimate(structure, 1, qint64(structure.at(1).Minutes) * 60, false,
                                            double(in.totalChips()));
    if (!end) {
        return {1,
                {},
                QStringLiteral(
                    "kavro-blinds: no estimate: no big blind in %1 reaches %2 chips (a twentieth of %3)")
                    .arg(path)
                    .arg(double(in.totalChips()) / 20.0, 0, 'f', 0)
                    .arg(in.totalChips())};
    }
    qint64 played = 0;
    for (int level = 1; level < end->level; ++level) {
        played += structure.at(level).Minutes;
    }
    const QString line = QStringLiteral("Estimated end: level %1, after %2 of play (%3 with breaks)")
                             .arg(end->level)
                             .arg(clock(played), end->inText());
    return {0, crlf({line}), {}};
}

} // namespace

QString BlindsCommand::usage()
{
    return QStringLiteral(
        "Usage: kavro-blinds --entries N --stack CHIPS [options] > NAME.blinds.csv\n"
        "       kavro-blinds --estimate FILE --entries N --stack CHIPS [--rebuys ...]\n"
        "Prints a blind structure for the night, or the estimated end of an existing file.\n"
        "\n"
        "  --entries N           expected entries (required)\n"
        "  --stack CHIPS         starting chips (required)\n"
        "  --rebuys N            expected rebuys (0)\n"
        "  --rebuy-chips CHIPS   chips of a rebuy (0)\n"
        "  --addons N            expected add-ons (0)\n"
        "  --addon-chips CHIPS   chips of an add-on (0)\n"
        "  --hours H:MM          target playing time, breaks not counted (5:00)\n"
        "  --level-minutes N     length of a level (20)\n"
        "  --chips LIST          the chip set, e.g. 25,100,500,1000,5000,25000 (that one)\n"
        "  --break-every N       a break every N minutes of play, 0 for none (120)\n"
        "  --break-minutes N     length of a break (10)\n"
        "  --ante STYLE          none, classic:K (about an eighth of the big blind from level K)\n"
        "                        or bb:K (a big-blind ante from level K) (none)\n"
        "  --depth N             starting depth in big blinds, 20 to 400 (100)\n"
        "  --estimate FILE       print the estimated end of FILE: the level whose big blind\n"
        "                        reaches a twentieth of all chips, and the playing time to it\n"
        "  --help                print this help\n"
        "\n"
        "Bad input exits with status 2 and one line on standard error.\n");
}

BlindsCommand::Result BlindsCommand::run(const QStringList& arguments)
{
    try {
        QHash<QString, QString> values;
        for (qsizetype i = 0; i < arguments.size(); ++i) {
            QString name = arguments.at(i);
            if (name == QStringLiteral("--help") || name == QStringLiteral("-h")) {
                return {0, usage().toUtf8(), {}};
            }
            if (!name.startsWith(QStringLiteral("--"))) {
                throw BadInput{QStringLiteral("unexpected argument \"%1\" (see --help)").arg(name)};
            }
            name = name.mid(2);
            QString value;
            const qsizetype equals = name.indexOf(u'=');
            if (equals >= 0) {
                value = name.mid(equals + 1);
                name = name.left(equals);
            }
            if (!valueOptions().contains(name)) {
                throw BadInput{QStringLiteral("unknown option \"--%1\" (see --help)").arg(name)};
            }
            if (equals < 0) {
                if (i + 1 >= arguments.size()) {
                    throw BadInput{QStringLiteral("--%1 needs a value").arg(name)};
                }
                value = arguments.at(++i);
            }
            values.insert(name, value);
        }
        if (values.contains(QStringLiteral("estimate"))) {
            return estimate(values.value(QStringLiteral("estimate")), inputsOf(values, true));
        }
        const BlindPlanInputs in = inputsOf(values, false);
        return {0, crlf(BlindStructureWriter::lines(BlindStructureGenerator::generate(in))), {}};
    } catch (const BadInput& bad) {
        return {2, {}, QStringLiteral("kavro-blinds: ") + bad.message};
    }
}
