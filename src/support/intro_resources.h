#pragma once

#include <cstdint>
#include <vector>

namespace velmora {

// The intro's resources as the program holds them: the mesh as stored, the others
// unpacked. Sizes that differ from the intro's are evened out (missing pixels blank,
// missing texels palette entry 0), and a mesh that does not read cleanly is left out.
struct IntroResources {
    std::vector<std::uint8_t> mesh;     // INTRO_3DMESH
    std::vector<std::uint8_t> font;     // INTRO_FONTIM, kIntroFontBytes
    std::vector<std::uint8_t> front;    // INTRO_FRONTIM_RUS, kIntroFrontBytes
    std::vector<std::uint8_t> texture;  // INTRO_BACKFONE, kIntroTextureBytes
};

}  // namespace velmora
