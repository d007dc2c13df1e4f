#include "HostCheck.h"

#include <QHostInfo>
#include <QNetworkInterface>

namespace {

// Addresses can change while the clock runs (a new DHCP lease); an unknown one is looked up again, but
// not more often than this.
constexpr qint64 AddressRereadMs = 2'000;

QString normalName(QString name)
{
    name = name.trimmed().toLower();
    while (name.endsWith(QLatin1Char('.'))) {
        name.chop(1);
    }
    return name;
}

} // namespace

HostCheck::HostCheck(const QStringList& extraNames, const QString& machineName)
{
    m_names.append(QStringLiteral("localhost"));
    const QString machine = normalName(machineName);
    if (!machine.isEmpty()) {
        m_names.append(machine);
        m_names.append(machine + QStringLiteral(".local"));
    }
    for (const QString& name : extraNames) {
        if (!normalName(name).isEmpty()) {
            m_names.append(normalName(name));
        }
    }
}

QString HostCheck::localMachineName()
{
    return QHostInfo::localHostName();
}

bool HostCheck::allows(const QByteArray& host)
{
    QString name = QString::fromLatin1(host).trimmed();
    if (name.startsWith(QLatin1Char('['))) {
        const qsizetype close = name.indexOf(QLatin1Char(']'));
        if (close < 0) {
            return false;
        }
        const QString rest = name.mid(close + 1);
        if (!rest.isEmpty() && !rest.startsWith(QLatin1Char(':'))) {
            return false;
        }
        const QHostAddress address(name.mid(1, close - 1));
        return !address.isNull() && isOwnAddress(address);
    }
    const qsizetype colon = name.lastIndexOf(QLatin1Char(':'));
    if (colon >= 0) {
        bool ok = false;
        name.mid(colon + 1).toUShort(&ok);
        if (!ok) {
            return false;
        }
        name.truncate(colon);
    }
    name = normalName(name);
    if (name.isEmpty()) {
        return false;
    }
    const QHostAddress address(name);
    if (!address.isNull()) {
        // Only the dotted form: "2130706433" is no name a browser shows.
        return address.protocol() == QAbstractSocket::IPv4Protocol && address.toString() == name &&
               isOwnAddress(address);
    }
    return m_names.contains(name);
}

bool HostCheck::isOwnAddress(const QHostAddress& address)
{
    if (address.isLoopback()) {
        return true;
    }
    const auto known = [&] {
        for (const QHostAddress& own : std::as_const(m_addresses)) {
            if (own.isEqual(address, QHostAddress::TolerantConversion)) {
                return true;
            }
        }
        return false;
    };
    if (known()) {
        return true;
    }
    if (m_addressesRead.isValid() && m_addressesRead.elapsed() < AddressRereadMs) {
        return false;
    }
    m_addresses = QNetworkInterface::allAddresses();
    for (QHostAddress& own : m_addresses) {
        own.setScopeId({});
    }
    m_addressesRead.start();
    return known();
}
