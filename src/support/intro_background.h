#pragma once

#include <cstdint>
#include <span>

namespace velmora {

// Where and how the texture lies: angle in 32768ths of a turn, zoom (texture step per
// pixel) and position in 8.24 fixed point.
struct IntroBackgroundView {
    std::int32_t angle;
    std::int32_t zoom;
    std::int32_t u;
    std::int32_t v;
};

// The texture step along a frame row, (du, dv), for a view; the step from row to row is
// the step of the angle a quarter turn on.
struct IntroTextureStep {
    std::int32_t du;
    std::int32_t dv;
};
IntroTextureStep IntroBackgroundStep(std::int32_t angle, std::int32_t zoom);

// Covers the whole frame (kIntroWidth x kIntroHeight, bottom row first) with the turned,
// zoomed, tiled texture (a 256-entry palette followed by a 256 x 256 index map, as
// kIntroTextureBytes bytes).
void DrawIntroBackground(std::span<const std::uint8_t> texture, IntroBackgroundView view,
                         std::span<std::uint32_t> frame);

}  // namespace velmora
