#include "net/net_port.h"

#include <netdb.h>
#include <netinet/in.h>

#include <QString>
#include <QSysInfo>

namespace velmora {

std::optional<int> ResolveNetPort(int port, const std::string& service) {
    if (!service.empty()) {
        const servent* entry = getservbyname(service.c_str(), "tcp");
        if (entry == nullptr) {
            return std::nullopt;
        }
        return static_cast<int>(ntohs(static_cast<uint16_t>(entry->s_port)));
    }
    if (port < 0 || port > 65535) {
        return std::nullopt;
    }
    return port;
}

std::string LocalComputerName() {
    return QSysInfo::machineHostName().toStdString();
}

}  // namespace velmora
