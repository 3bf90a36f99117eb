#include "net/net_keep_alive.h"

#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>

namespace velmora {

namespace {

bool SetOption(int fd, int level, int name, int value) {
    return setsockopt(fd, level, name, &value, sizeof value) == 0;
}

}  // namespace

bool EnableKeepAlive(long long socketDescriptor) {
    if (socketDescriptor < 0) {
        return false;
    }
    const int fd = static_cast<int>(socketDescriptor);
    bool ok = SetOption(fd, SOL_SOCKET, SO_KEEPALIVE, 1);
    ok = SetOption(fd, IPPROTO_TCP, TCP_KEEPIDLE, kKeepAliveIdleSeconds) && ok;
    ok = SetOption(fd, IPPROTO_TCP, TCP_KEEPINTVL, kKeepAliveIntervalSeconds) && ok;
    ok = SetOption(fd, IPPROTO_TCP, TCP_KEEPCNT, kKeepAliveProbes) && ok;
    ok = SetOption(fd, IPPROTO_TCP, TCP_USER_TIMEOUT, static_cast<int>(kUnackedTimeoutMs)) && ok;
    return ok;
}

}  // namespace velmora
