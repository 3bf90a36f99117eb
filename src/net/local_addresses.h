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

// The IPv4 addresses another player can call, in dotted form: those of the interfaces that
// are up, loopback left out.
QStringList CallableIPv4Addresses(const QList<InterfaceAddresses>& interfaces);

// The machine's interfaces.
QList<InterfaceAddresses> MachineInterfaces();

}  // namespace velmora
