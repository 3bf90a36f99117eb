#pragma once

#include <cstdint>
#include <vector>

namespace velmora::assets {

// "INTRO_BACKFONE": 256 palette entries (blue, green, red, 0), then a 256 x 256 map of
// indices. It shows a dimmed corner of the board, four squares by four with a few discs,
// so it tiles seamlessly as the intro turns and zooms it.
std::vector<std::uint8_t> BackgroundTexture();

}  // namespace velmora::assets
