#pragma once

#include <bit>
#include <cmath>
#include <cstdint>
#include <vector>

#include "support/intro_sizes.h"

namespace velmora {

// The object's picture before it is blended: a shade (0 = nothing) and a depth per pixel,
// kIntroWidth x kIntroLayerHeight, bottom row first.
struct IntroLayers {
    std::vector<std::uint8_t> shade = std::vector<std::uint8_t>(kIntroWidth * kIntroLayerHeight);
    std::vector<float> depth = std::vector<float>(kIntroWidth * kIntroLayerHeight);

    // Shade 0 everywhere, depth the all-ones pattern that every depth passes.
    void Clear();
};

// The cleared depth is the all-ones bit pattern, a NaN.
inline const float kIntroClearDepth = std::bit_cast<float>(0xFFFFFFFFu);

// A pixel is drawn unless the stored depth is greater than or equal to its own. The quiet
// comparison is false for the cleared NaN, so every depth passes it, and it raises no
// floating-point exception on the way.
inline bool IntroDepthPasses(float stored, float depth) {
    return !std::isgreaterequal(stored, depth);
}

}  // namespace velmora
