#pragma once

#include <string>

namespace velmora {

// Display names of the two sides, supplied by the figure skin (UTF-8).
void SetSideNames(std::string white, std::string black);
const std::string& SideName(int side);

}  // namespace velmora
