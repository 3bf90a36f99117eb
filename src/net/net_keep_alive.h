#pragma once

namespace velmora {

// A peer whose network dropped, or whose machine sleeps, sends nothing and closes nothing;
// only the kernel's keep-alive probes (empty segments, nothing our peer's program sees)
// find out. A link silent for kKeepAliveIdleSeconds is probed every kKeepAliveIntervalSeconds
// and given up after kKeepAliveProbes unanswered probes; data left unacknowledged for
// kUnackedTimeoutMs gives up the same way. Either way the socket reports an error and the
// connection counts as closed by the peer, about 40 seconds after the link died.
inline constexpr int kKeepAliveIdleSeconds = 20;
inline constexpr int kKeepAliveIntervalSeconds = 5;
inline constexpr int kKeepAliveProbes = 4;
inline constexpr unsigned kUnackedTimeoutMs = 40000;

// Switches the probes on for a connected TCP socket; false if the system refused.
bool EnableKeepAlive(long long socketDescriptor);

}  // namespace velmora
