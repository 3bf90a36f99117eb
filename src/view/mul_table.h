#pragma once

#include <array>
#include <cstdint>

namespace velmora {

// [a][b] = (a * b) >> 8: the product of two 8-bit intensities, so blending needs no multiply.
using MulTableType = std::array<std::array<std::uint8_t, 256>, 256>;
extern const MulTableType MulTable;

}  // namespace velmora
