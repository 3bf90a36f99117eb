#pragma once

#include <QHostAddress>
#include <QList>
#include <QStringList>

namespace velmora {

// One network interface as the address list sees it.
struct InterfaceAddresses {
    bool up = false;
    bool loopback = false;
    QList<QHostAddress> addresses;
};

// The addresses another player can call: the IPv4 ones in dotted form, then the global IPv6
// ones (link-local and private ones need more than an address to be called), of the
// interfaces that are up, loopback left out.
QStringList CallableAddresses(const QList<InterfaceAddresses>& interfaces);

// The machine's interfaces.
QList<InterfaceAddresses> MachineInterfaces();

}  // namespace velmora
