#pragma once

#include <array>
#include <cstdint>

namespace velmora {

// Precomputed tables of the intro renderer, built once and shared by every intro.
struct IntroTables {
    static constexpr int kAngleSteps = 2048;        // object angles: a full turn
    static constexpr int kFixedAngleSteps = 32768;  // background angle: a full turn

    std::array<std::uint8_t, 256 * 256> multiply;  // [a * 256 + b] = a * b / 256
    std::array<float, kAngleSteps> sine;
    std::array<float, kAngleSteps> cosine;
    std::array<std::int32_t, kFixedAngleSteps> fixedSine;  // 16.16 fixed point
    std::array<std::int32_t, kFixedAngleSteps> fixedCosine;
};

const IntroTables& GetIntroTables();

}  // namespace velmora
