#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace velmora {

// Pixels of a decoded picture: rows bottom-up, each pixel 0x00RRGGBB.
struct PixelImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;
};

// The largest picture we agree to decode; skins and intro pictures are far below it.
constexpr int kMaxImageSide = 8192;
constexpr std::int64_t kMaxImagePixels = std::int64_t{1} << 24;

// Decodes a JPEG file; nothing when the file is missing, unreadable or not a JPEG.
std::optional<PixelImage> LoadImagePixels(const std::string& path);
std::optional<PixelImage> LoadImagePixelsFromMemory(std::span<const std::uint8_t> data);

}  // namespace velmora
