#include "net/local_addresses.h"

#include <QNetworkInterface>

namespace velmora {

QStringList CallableIPv4Addresses(const QList<InterfaceAddresses>& interfaces) {
    QStringList lines;
    for (const InterfaceAddresses& entry : interfaces) {
        if (!entry.up || entry.loopback) {
            continue;
        }
        for (const QHostAddress& address : entry.addresses) {
            if (address.protocol() == QAbstractSocket::IPv4Protocol && !address.isLoopback()) {
                lines << address.toString();
            }
        }
    }
    return lines;
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
