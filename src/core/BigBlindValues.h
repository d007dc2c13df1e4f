#pragma once

#include <QList>
#include <QString>
#include <optional>

class BlindStructure;

// The big blinds of a structure as numbers ("1.5K" read as 1500; nothing where a text is no number),
// index = level. Only the levels whose text changed since the last call are read again: the estimated
// end asks for them at every tick, and reading an amount costs far more than comparing its text.
class BigBlindValues
{
public:
    const QList<std::optional<double>>& of(const BlindStructure& structure);

private:
    QList<QString> m_texts;
    QList<std::optional<double>> m_values;
};
