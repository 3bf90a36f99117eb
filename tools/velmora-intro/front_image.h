#pragma once

#include <cstdint>
#include <vector>

namespace velmora::assets {

// "INTRO_FRONTIM_RUS" / "INTRO_FRONTIM_ENG": 380 x 260 coverage, bottom row first, 255
// clear: the game's title above the object's band, a double frame round the title, band
// and version line, and nothing on the scroller's rows.
std::vector<std::uint8_t> FrontImage(bool russian);

}  // namespace velmora::assets
