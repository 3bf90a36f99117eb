#pragma once

#include <cstdint>
#include <span>

namespace velmora {

// The colour both layers tint the background with, as 0x00RRGGBB.
constexpr std::uint32_t kIntroTint = 253u << 16 | 229u << 8 | 209u;

// Bottom frame row of the object's picture.
constexpr int kIntroShadeFirstRow = 95;
// Frame rows below this keep the background: the front image starts above them.
constexpr int kIntroFrontFirstRow = 3;

// Tints the frame rows kIntroShadeFirstRow and up with the shade layer, value s of 1..255:
// each channel x becomes mul(x, 255 - s) + mul(tint, s), mul(a, b) = a * b div 256.
void BlendIntroShade(std::span<const std::uint8_t> shade, std::span<std::uint32_t> frame);

// Lays the front image over the frame from the top row down to kIntroFrontFirstRow. Each
// value a of 1..255 first darkens the pixel 2 rows lower and 2 columns right by
// (255 - a) div 4 per channel, floored at 0 (a drop shadow; it is not cast past the right
// edge), then makes its own pixel mul(x, a) + mul(tint, 255 - a).
void BlendIntroFront(std::span<const std::uint8_t> front, std::span<std::uint32_t> frame);

}  // namespace velmora
