#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace velmora::assets {

// Renders a few frames of the about-box intro from the generated (unpacked) resources
// with the program's own intro renderer and saves them as PNG pictures into `dir`.
bool WriteIntroPreviews(const std::vector<std::uint8_t>& mesh,
                        const std::vector<std::uint8_t>& font,
                        const std::vector<std::uint8_t>& front,
                        const std::vector<std::uint8_t>& texture, const std::string& dir);

}  // namespace velmora::assets
