#include "net/local_addresses.h"

#include <QNetworkInterface>

namespace velmora {

QStringList CallableAddresses(const QList<InterfaceAddresses>& interfaces) {
    QStringList v4;
    QStringList v6;
    for (const InterfaceAddresses& entry : interfaces) {
        if (!entry.up || entry.loopback) {
            continue;
        }
        for (const QHostAddress& address : entry.addresses) {
            if (address.isLoopback()) {
                continue;
            }
            if (address.protocol() == QAbstractSocket::IPv4Protocol) {
                v4 << address.toString();
            } else if (address.protocol() == QAbstractSocket::IPv6Protocol && address.isGlobal() &&
                       !address.isUniqueLocalUnicast()) {
                v6 << address.toString();
            }
        }
    }
    return v4 + v6;
}

QList<InterfaceAddresses> MachineInterfaces() {
    QList<InterfaceAddresses> result;
    for (const QNetworkInterface& interface : QNetworkInterface::allInterfaces()) {
        InterfaceAddresses entry;
        const auto flags = interface.flags();
        entry.up =
            flags.testFlag(QNetworkInterface::IsUp) && flags.testFlag(QNetworkInterface::IsRunning);
        entry.loopback = flags.testFlag(QNetworkInterface::IsLoopBack);
        for (const QNetworkAddressEntry& address : interface.addressEntries()) {
            entry.addresses << address.ip();
        }
        result << entry;
    }
    return result;
}

}  // namespace velmora
