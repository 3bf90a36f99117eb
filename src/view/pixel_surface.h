#pragma once

#include <cstdint>

namespace velmora {

// A view of width x height pixels, 0x00RRGGBB, block row 0 at the bottom. A null surface
// (no bits) makes every operation on it a no-op.
struct PixelSurface {
    std::uint32_t* bits = nullptr;
    int width = 0;
    int height = 0;

    bool Holds(int x, int y, int w, int h) const {
        return bits != nullptr && w >= 0 && h >= 0 && x >= 0 && y >= 0 && x <= width - w &&
               y <= height - h;
    }
    std::uint32_t* Row(int y) const { return bits + static_cast<long>(y) * width; }
};

constexpr int RedOf(std::uint32_t c) {
    return static_cast<int>((c >> 16) & 0xFF);
}
constexpr int GreenOf(std::uint32_t c) {
    return static_cast<int>((c >> 8) & 0xFF);
}
constexpr int BlueOf(std::uint32_t c) {
    return static_cast<int>(c & 0xFF);
}
constexpr std::uint32_t PixelOf(int red, int green, int blue) {
    return (static_cast<std::uint32_t>(red) << 16) | (static_cast<std::uint32_t>(green) << 8) |
           static_cast<std::uint32_t>(blue);
}

}  // namespace velmora
