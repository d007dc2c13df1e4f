#include "BigBlindValues.h"

#include "BlindAmount.h"
#include "BlindStructure.h"

const QList<std::optional<double>>& BigBlindValues::of(const BlindStructure& structure)
{
    const qsizetype rows = qMax(0, structure.levelCount()) + 1;
    const qsizetype known = qMin(m_texts.size(), rows);
    m_texts.resize(rows);
    m_values.resize(rows);
    for (qsizetype level = 1; level < rows; ++level) {
        const QString& text = structure.at(int(level)).BigBlind;
        if (level >= known || m_texts.at(level) != text) {
            m_texts[level] = text;
            m_values[level] = BlindAmount::value(text);
        }
    }
    return m_values;
}
