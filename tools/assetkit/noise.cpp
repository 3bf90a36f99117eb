#include "assetkit/noise.h"

#include <cmath>

#include "assetkit/rng.h"

namespace velmora::assets {

namespace {

double Lattice(std::int64_t x, std::int64_t y, std::uint64_t seed, int period) {
    if (period > 0) {
        x = ((x % period) + period) % period;
        y = ((y % period) + period) % period;
    }
    return HashUnit(x, y, seed) * 2 - 1;
}

double Fade(double t) {
    return t * t * t * (t * (t * 6 - 15) + 10);
}

}  // namespace

double ValueNoise(double x, double y, std::uint64_t seed, int period) {
    double fx = std::floor(x), fy = std::floor(y);
    auto ix = static_cast<std::int64_t>(fx), iy = static_cast<std::int64_t>(fy);
    double tx = Fade(x - fx), ty = Fade(y - fy);
    double a = Lattice(ix, iy, seed, period), b = Lattice(ix + 1, iy, seed, period);
    double c = Lattice(ix, iy + 1, seed, period), d = Lattice(ix + 1, iy + 1, seed, period);
    return (a + (b - a) * tx) * (1 - ty) + (c + (d - c) * tx) * ty;
}

double FractalNoise(double x, double y, std::uint64_t seed, int octaves, int period) {
    double sum = 0, amp = 0.5, norm = 0;
    for (int o = 0; o < octaves; ++o) {
        sum += amp * ValueNoise(x, y, seed + 7919u * o, period);
        norm += amp;
        x *= 2;
        y *= 2;
        if (period > 0)
            period *= 2;
        amp *= 0.5;
    }
    return sum / norm;
}

}  // namespace velmora::assets
