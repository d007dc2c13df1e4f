#include "LevelTime.h"

#include "StepTimeText.h"

#include <QRegularExpression>

std::optional<qint64> LevelTime::seconds(const QString& text)
{
    static const QRegularExpression pattern(QStringLiteral("^(\\d{1,5}):([0-5]\\d)$"));
    const QRegularExpressionMatch match = pattern.match(text);
    if (!match.hasMatch()) {
        return std::nullopt;
    }
    return match.captured(1).toLongLong() * 60 + match.captured(2).toLongLong();
}

std::optional<QString> LevelTime::normalised(const QString& text)
{
    const auto total = seconds(text);
    if (!total) {
        return std::nullopt;
    }
    return TwoDigits(*total / 60) + u':' + TwoDigits(*total % 60);
}

QString LevelTime::full(qint64 lengthMinutes)
{
    return TwoDigits(qMax<qint64>(0, lengthMinutes)) + QStringLiteral(":00");
}

QString LevelTime::checked(const QString& text, qint64 lengthMinutes)
{
    const auto total = seconds(text);
    if (!total || *total > qMax<qint64>(0, lengthMinutes) * 60) {
        return full(lengthMinutes);
    }
    return *normalised(text);
}
