#include "IniLine.h"

std::optional<IniLine> IniLine::parse(const QString& line)
{
    const qsizetype eq = line.indexOf(u'=');
    if (eq < 0) {
        return std::nullopt;
    }
    return IniLine{line.left(eq).toUpper(), line.mid(eq + 1)};
}
