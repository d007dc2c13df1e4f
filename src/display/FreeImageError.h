#pragma once

#include <QString>
#include <stdexcept>

// An error of the picture operations, with the number, source and description the caller reports.
class FreeImageError : public std::runtime_error
{
public:
    FreeImageError(int number, const QString& source, const QString& description)
        : std::runtime_error(description.toStdString()), m_number(number), m_source(source),
          m_description(description)
    {}

    int number() const { return m_number; }
    const QString& source() const { return m_source; }
    const QString& description() const { return m_description; }

private:
    int m_number;
    QString m_source;
    QString m_description;
};
