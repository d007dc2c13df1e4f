#pragma once

#include <QString>
#include <QStringList>
#include <QtGlobal>

// The settings of the clock's network view and spoken announcements, kept in "options.ini" beside
// "darvel.ini" so that file keeps its fixed lines. A missing file or key takes the default; a value out
// of range is the default too, so a hand-edited file can never open an unexpected port.
class ClockOptions
{
public:
    struct Network
    {
        bool playersView = false;
        quint16 port = 8088;
        QString bind;      // empty: every address
        QString remotePin; // empty: no remote
        // Names the pages may be loaded under besides this machine's addresses, localhost and its
        // host name (a Host header naming anything else is refused).
        QStringList hostNames;

        friend bool operator==(const Network&, const Network&) = default;
    };
    struct Voice
    {
        bool announcements = false;
        QString voice = QStringLiteral("en");
        int rate = 160;              // words per minute
        int levelWarningMinutes = 0; // 0: no warning

        friend bool operator==(const Voice&, const Voice&) = default;
    };

    Network network;
    Voice voice;

    static QString fileName(const QString& programFolder);
    static ClockOptions load(const QString& programFolder);
    // False, with the reason in error, when the file could not be written.
    bool save(const QString& programFolder, QString* error = nullptr) const;

    friend bool operator==(const ClockOptions&, const ClockOptions&) = default;
};
