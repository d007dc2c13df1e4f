#include "ClockSettingsFile.h"

#include "ClockError.h"
#include "DecimalNumber.h"
#include "FolderLookup.h"
#include "IniLine.h"
#include "TextFile.h"
#include "TournamentState.h"

#include <QDir>
#include <QFileInfo>
#include <functional>

namespace {

const QString BlindsSuffix = QStringLiteral(".blinds.csv");

struct Field
{
    const char* key;
    std::function<void(TournamentState&, const QString&)> read;
    std::function<QString(const TournamentState&)> write;
};

[[noreturn]] void badValue(const QString& why)
{
    throw ClockError(why);
}

qint16 toInt16(const QString& value)
{
    const auto v = DecimalNumber::leading(value).toInt16();
    if (!v) {
        badValue(QStringLiteral("the number is out of range"));
    }
    return *v;
}

qint32 toInt32(const QString& value)
{
    const auto v = DecimalNumber::leading(value).toInt32();
    if (!v) {
        badValue(QStringLiteral("the number is out of range"));
    }
    return *v;
}

Money toMoney(const QString& value)
{
    const auto v = Money::fromLeadingText(value);
    if (!v) {
        badValue(QStringLiteral("the amount is out of range"));
    }
    return *v;
}

qint16 toStrictInt16(const QString& value)
{
    const auto number = DecimalNumber::strict(value);
    if (!number) {
        badValue(QStringLiteral("\"%1\" is not a number").arg(value));
    }
    const auto v = number->toInt16();
    if (!v) {
        badValue(QStringLiteral("the number is out of range"));
    }
    return *v;
}

#define INT16_FIELD(rec, name)                                                                               \
    Field                                                                                                    \
    {                                                                                                        \
#name, [](TournamentState & s,                                                                       \
                  const QString&                                                                             \
                      v) { s.rec.name = toInt16(v); }, [](const TournamentState&                             \
                                                              s) { return QString::number(s.rec.name); }     \
    }
#define MONEY_FIELD(name)                                                                                    \
    Field                                                                                                    \
    {                                                                                                        \
#name,                                                                                               \
            [](TournamentState & s,                                                                          \
               const QString&                                                                                \
                   v) { s.Tournament.name = toMoney(v); },                                                   \
                                                        [](const TournamentState&                            \
                                                               s) { return s.Tournament.name.toString(); }   \
    }
#define TEXT_FIELD(rec, name)                                                                                \
    Field                                                                                                    \
    {                                                                                                        \
#name, [](TournamentState & s,                                                                       \
                  const QString& v) { s.rec.name = v; }, [](const TournamentState& s) { return s.rec.name; } \
    }

// The file's entries in the order they are written; a null key stands for a ";" separator line.
const std::vector<Field>& fields()
{
    static const std::vector<Field> all = {
        Field{"Color_Style",
              [](TournamentState& s, const QString& v) { s.Display.Color_Style = toStrictInt16(v); },
              [](const TournamentState& s) { return QString::number(s.Display.Color_Style); }},
        TEXT_FIELD(Display, Tick_Sound),
        TEXT_FIELD(Display, End_Sound),
        TEXT_FIELD(Display, Background),
        Field{nullptr, {}, {}},
        Field{"Tournament_ID",
              [](TournamentState& s, const QString& v) { s.Tournament.Tournament_ID = toInt32(v); },
              [](const TournamentState& s) { return QString::number(s.Tournament.Tournament_ID); }},
        TEXT_FIELD(Tournament, Title),
        INT16_FIELD(Tournament, Refresh),
        TEXT_FIELD(Tournament, Time),
        INT16_FIELD(Tournament, Level),
        Field{nullptr, {}, {}},
        INT16_FIELD(Tournament, Players),
        INT16_FIELD(Tournament, Entries),
        INT16_FIELD(Tournament, Rebuys),
        INT16_FIELD(Tournament, Addons),
        Field{nullptr, {}, {}},
        INT16_FIELD(Tournament, Player_Variance),
        INT16_FIELD(Tournament, Entry_Variance),
        INT16_FIELD(Tournament, Rebuy_Variance),
        INT16_FIELD(Tournament, Addon_Variance),
        Field{nullptr, {}, {}},
        INT16_FIELD(Tournament, Prize_Rounding),
        MONEY_FIELD(Prize_Guarantee),
        MONEY_FIELD(Prize_Contribution),
        Field{nullptr, {}, {}},
        TEXT_FIELD(Tournament, Blinds),
        Field{nullptr, {}, {}},
        MONEY_FIELD(Buyin),
        MONEY_FIELD(Rebuy),
        MONEY_FIELD(Addon),
        Field{nullptr, {}, {}},
        MONEY_FIELD(Buyin_Chips),
        MONEY_FIELD(Rebuy_Chips),
        MONEY_FIELD(Addon_Chips),
    };
    return all;
}

const Field* fieldForKey(const QString& upperKey)
{
    for (const Field& f : fields()) {
        if (f.key != nullptr && upperKey == QLatin1String(f.key).toString().toUpper()) {
            return &f;
        }
    }
    return nullptr;
}

// Reads every recognised line; a value that fails goes to onError, which may throw to stop the reading.
void readFile(TournamentState& state, const QString& path,
              const std::function<void(const ClockError&)>& onError)
{
    const QStringList lines = TextFile::readLines(path);
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const auto line = IniLine::parse(lines.at(i));
        if (!line) {
            continue;
        }
        const Field* field = fieldForKey(line->key);
        if (field == nullptr) {
            continue;
        }
        try {
            field->read(state, line->value);
        } catch (const ClockError& e) {
            onError(ClockError(QStringLiteral("%1, line %2, key %3: %4")
                                   .arg(QDir::toNativeSeparators(path))
                                   .arg(i + 1)
                                   .arg(QLatin1String(field->key), e.message())));
        }
    }
}

void checkFileNames(TournamentState& state, QStringList* notes)
{
    DisplayRecord& d = state.Display;
    if (!d.Tick_Sound.isEmpty() && !FolderLookup::exists(state.Folders.Sounds, d.Tick_Sound)) {
        d.Tick_Sound.clear();
    }
    if (!d.End_Sound.isEmpty() && !FolderLookup::exists(state.Folders.Sounds, d.End_Sound)) {
        d.End_Sound.clear();
    }
    QString& blinds = state.Tournament.Blinds;
    if (!blinds.isEmpty() && !FolderLookup::exists(state.Folders.Blinds, blinds)) {
        const QStringList candidates = FolderLookup::filesEndingWith(state.Folders.Blinds, BlindsSuffix);
        const QString missing = blinds;
        blinds = candidates.isEmpty() ? QString() : FolderLookup::properCase(candidates.first());
        // Another structure than the one saved must never be taken without a word: the levels and the
        // crash recovery would no longer match the tournament.
        if (notes != nullptr) {
            QString note = QStringLiteral("The blinds file \"%1\" named in darvel.ini was not found in %2.")
                               .arg(missing, QDir::toNativeSeparators(state.Folders.Blinds));
            note += blinds.isEmpty()
                        ? QStringLiteral("\r\n\r\nThe clock has no blinds structure.")
                        : QStringLiteral("\r\n\r\nThe clock uses \"%1\" instead; check the structure in the "
                                         "settings before the tournament goes on.")
                              .arg(blinds);
            notes->append(note);
        }
    }
}

} // namespace

QStringList ClockSettingsLines(const TournamentState& state)
{
    QStringList lines;
    for (const Field& f : fields()) {
        lines.append(f.key == nullptr ? QStringLiteral(";")
                                      : QLatin1String(f.key) + u'=' + IniLine::oneLine(f.write(state)));
    }
    return lines;
}

void ApplyClockSettingsDefaults(TournamentState& state)
{
    TournamentRecord& t = state.Tournament;
    t.Level = 1;
    t.Time = QStringLiteral("--:--");
    t.Tournament_ID = 0;
    t.Title.clear();
    t.Players = t.Entries = t.Rebuys = t.Addons = 0;
    t.Player_Variance = t.Entry_Variance = 0;
    t.Prize_Rounding = 0;
    t.Prize_Guarantee = t.Prize_Contribution = Money();
    t.Blinds = QStringLiteral("Speed.blinds.csv");
    t.Buyin = t.Rebuy = t.Addon = Money();
    t.Buyin_Chips = t.Rebuy_Chips = t.Addon_Chips = *Money::fromWhole(1000);
    DisplayRecord& d = state.Display;
    d.Color_Style = 3;
    d.Background = QStringLiteral("Blue.jpg");
    d.Tick_Sound = QStringLiteral("Count.wav");
    d.End_Sound = QStringLiteral("End.wav");
}

void ReadWriteClockSettings(TournamentState& state, const QString& mode, QStringList* notes)
{
    QString normalised = mode.trimmed().toUpper();
    const QString path = state.Folders.settingsFile();
    // A missing file is a first run, created with the defaults; but a save must store what it was given,
    // even when the file was deleted while the clock ran.
    if (!QFileInfo::exists(path) && normalised != QLatin1String("WRITE")) {
        ApplyClockSettingsDefaults(state);
        state.FirstRun = true;
        normalised = QStringLiteral("WRITE");
    }
    if (normalised == QLatin1String("READ")) {
        readFile(state, path, [](const ClockError& e) { throw e; });
    } else if (normalised == QLatin1String("WRITE")) {
        TextFile::writeLines(path, ClockSettingsLines(state));
    }
    checkFileNames(state, notes);
}

QStringList RecoverClockSettings(TournamentState& state, QStringList* notes)
{
    QStringList problems;
    ApplyClockSettingsDefaults(state);
    readFile(state, state.Folders.settingsFile(),
             [&problems](const ClockError& e) { problems.append(e.message()); });
    checkFileNames(state, notes);
    return problems;
}

QString ReadClockSettingsAtStartup(TournamentState& state, QStringList* notes)
{
    try {
        ReadWriteClockSettings(state, QStringLiteral("read"), notes);
        return {};
    } catch (const ClockError& e) {
        // The clock goes on with every value that could be read and the default for the rest; the next
        // save of the settings writes a good file.
        QString text = e.message();
        try {
            const QStringList problems = RecoverClockSettings(state, notes);
            if (problems.size() > 1) {
                text = problems.join(QStringLiteral("\r\n"));
            }
            return text + QStringLiteral("\r\n\r\nThe clock goes on with the default for every setting that "
                                         "could not be read.");
        } catch (const ClockError&) {
            ApplyClockSettingsDefaults(state);
            return text + QStringLiteral("\r\n\r\nThe clock goes on with the default settings.");
        }
    }
}
