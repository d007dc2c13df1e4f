#pragma once

#include <QByteArray>
#include <QElapsedTimer>
#include <QHostAddress>
#include <QList>
#include <QStringList>

// Which Host a request may name. A browser sends the name the page was loaded under; a foreign site
// whose name was made to point at this machine (DNS rebinding) would send its own, so only this
// machine's addresses, localhost, its host name (also as <name>.local) and the names the director
// lists are accepted.
class HostCheck
{
public:
    explicit HostCheck(const QStringList& extraNames, const QString& machineName = localMachineName());

    // A Host header's value, with or without a port.
    bool allows(const QByteArray& host);

    static QString localMachineName();

private:
    QStringList m_names;
    QList<QHostAddress> m_addresses;
    QElapsedTimer m_addressesRead;

    bool isOwnAddress(const QHostAddress& address);
};
