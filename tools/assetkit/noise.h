#pragma once

#include <cstdint>

namespace velmora::assets {

// Smooth value noise in [-1, 1]; with period > 0 it tiles every `period` cells.
double ValueNoise(double x, double y, std::uint64_t seed, int period = 0);
// Sum of octaves of value noise (each twice as fine and half as strong), about [-1, 1].
double FractalNoise(double x, double y, std::uint64_t seed, int octaves, int period = 0);

}  // namespace velmora::assets
