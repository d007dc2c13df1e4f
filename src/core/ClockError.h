#pragma once

#include <QString>
#include <stdexcept>

// A failure that a clock operation hands to its caller, with a message fit to show the director.
class ClockError : public std::runtime_error
{
public:
    explicit ClockError(const QString& message)
        : std::runtime_error(message.toStdString()), m_message(message)
    {}

    const QString& message() const { return m_message; }

private:
    QString m_message;
};
