#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "support/image_loader.h"

namespace velmora::test {

inline std::filesystem::path SourcePath(const std::string& relative) {
    return std::filesystem::path(VELMORA_SOURCE_DIR) / relative;
}

inline std::vector<std::uint8_t> ReadBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A decoded JPEG of the source tree, or nothing.
inline std::optional<PixelImage> LoadPicture(const std::string& relative) {
    return LoadImagePixels(SourcePath(relative).string());
}

// Picture-coordinate (top-down) access to a bottom-up pixel block.
inline std::uint32_t PixelAt(const PixelImage& img, int x, int y) {
    return img.pixels[static_cast<size_t>(img.height - 1 - y) * img.width + x];
}
inline int Red(std::uint32_t p) {
    return (p >> 16) & 0xFF;
}
inline int Green(std::uint32_t p) {
    return (p >> 8) & 0xFF;
}
inline int Blue(std::uint32_t p) {
    return p & 0xFF;
}
inline double Luma(std::uint32_t p) {
    return 0.299 * Red(p) + 0.587 * Green(p) + 0.114 * Blue(p);
}

}  // namespace velmora::test
