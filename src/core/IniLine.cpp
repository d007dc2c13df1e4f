#include "IniLine.h"

std::optional<IniLine> IniLine::parse(const QString& line)
{
    const qsizetype eq = line.indexOf(u'=');
    if (eq < 0) {
        return std::nullopt;
    }
    return IniLine{line.left(eq).toUpper(), line.mid(eq + 1)};
}

QString IniLine::oneLine(const QString& value)
{
    QString line;
    line.reserve(value.size());
    bool inBreak = false;
    for (const QChar c : value) {
        const bool isBreak = c == u'\r' || c == u'\n';
        if (!isBreak) {
            line.append(c);
        } else if (!inBreak) {
            line.append(u' ');
        }
        inBreak = isBreak;
    }
    return line;
}
