#pragma once

#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

namespace velmora {

// Unpacks a packed resource compiled into the program (a ":/..." path; any readable file
// works too). Nothing when it is missing, unreadable or damaged in its header.
std::optional<std::vector<std::uint8_t>> UnpackResource(const QString& path);

}  // namespace velmora
