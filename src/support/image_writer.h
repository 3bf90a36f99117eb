#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "support/image_loader.h"

namespace velmora {

// Encodes a bottom-up 0x00RRGGBB picture as a baseline colour JPEG (quality 1..100);
// nothing when the picture is empty or its pixel count does not match its size.
std::optional<std::vector<std::uint8_t>> EncodeJpeg(const PixelImage& image, int quality = 90);

// EncodeJpeg written to a file; false when encoding or writing fails.
bool SaveJpeg(const std::string& path, const PixelImage& image, int quality = 90);

}  // namespace velmora
