#pragma once

#include <QString>
#include <stdexcept>

// The clock cannot run without the manager: the message has already been shown to the director, and the
// program's entry point ends the process with exitCode(). Deliberately not a ClockError, so that no
// handler of ordinary failures swallows it.
class ManagerFatalError : public std::runtime_error
{
public:
    explicit ManagerFatalError(const QString& message, int exitCode = 1)
        : std::runtime_error(message.toStdString()), m_message(message), m_exitCode(exitCode)
    {}

    const QString& message() const { return m_message; }
    int exitCode() const { return m_exitCode; }

private:
    QString m_message;
    int m_exitCode;
};
