#pragma once

#include <QString>
#include <QStringList>
#include <QtGlobal>

// The settings of the clock's network view and spoken announcements, kept in "options.ini" beside
// "darvel.ini" so that file keeps its fixed lines. A missing file or key takes the default; a value out
// of range is the default too, so a hand-edited file can never open an unexpected port; a PIN the remote
// could not use leaves the remote off and says why.
class ClockOptions
{
public:
    // The live push takes the port after Port.
    static constexpr int MinPort = 1024;
    static constexpr int MaxPort = 65534;
    // What espeak-ng takes, in words per minute.
    static constexpr int MinRate = 80;
    static constexpr int MaxRate = 450;
    static constexpr int MinPinDigits = 6;
    static constexpr int MaxPinDigits = 12;

    struct Network
    {
        bool playersView = false;
        quint16 port = 8088;
        QString bind;      // empty: every address
        QString remotePin; // empty: no remote
        // Names the pages may be loaded under besides this machine's addresses, localhost and its
        // host name (a Host header naming anything else is refused).
        QStringList hostNames;
        // Why the file's Remote_PIN was not taken; the remote is then off.
        QString remoteOff;

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

    // Empty when the remote can use the PIN (an empty PIN is no remote), otherwise why not.
    static QString pinProblem(const QString& pin);
    // What keeps these options from being saved, each naming the allowed range; empty when they can be.
    QStringList problems() const;

    static QString fileName(const QString& programFolder);
    static ClockOptions load(const QString& programFolder);
    // False, with the reason in error, when the file could not be written.
    bool save(const QString& programFolder, QString* error = nullptr) const;

    friend bool operator==(const ClockOptions&, const ClockOptions&) = default;
};
