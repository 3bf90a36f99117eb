#pragma once

#include <optional>
#include <string>

namespace velmora {

// The port both sockets use: the one the system's service database gives for a non-empty
// service name, otherwise the number. Nothing when the name is unknown or the number is no
// port (0 stands for "any free port", which only listening can use).
std::optional<int> ResolveNetPort(int port, const std::string& service);

// This computer's name as the call request carries it.
std::string LocalComputerName();

}  // namespace velmora
