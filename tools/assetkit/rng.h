#pragma once

#include <cstdint>

namespace velmora::assets {

// SplitMix64: the same sequence on every compiler and library, so generated files do not
// depend on the standard library's distributions.
class Rng {
  public:
    explicit Rng(std::uint64_t seed) : state_(seed) {}

    std::uint64_t Next() {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    // Uniform in [0, 1).
    double Uniform() { return static_cast<double>(Next() >> 11) * 0x1.0p-53; }
    double Range(double lo, double hi) { return lo + (hi - lo) * Uniform(); }
    // Uniform integer in [0, n).
    int Below(int n) { return static_cast<int>(Next() % static_cast<std::uint64_t>(n)); }
    bool Chance(double p) { return Uniform() < p; }

  private:
    std::uint64_t state_;
};

// A stateless hash of integer coordinates to [0, 1), for textures.
inline double HashUnit(std::int64_t x, std::int64_t y, std::uint64_t seed) {
    std::uint64_t h = seed ^ (static_cast<std::uint64_t>(x) * 0x9E3779B97F4A7C15ull) ^
                      (static_cast<std::uint64_t>(y) * 0xC2B2AE3D27D4EB4Full);
    h ^= h >> 33;
    h *= 0xFF51AFD7ED558CCDull;
    h ^= h >> 33;
    h *= 0xC4CEB9FE1A85EC53ull;
    h ^= h >> 33;
    return static_cast<double>(h >> 11) * 0x1.0p-53;
}

}  // namespace velmora::assets
