#pragma once

#include <array>
#include <cstdint>

namespace velmora {

// The look of the board cursor: two frame colours and, for the fiery style, the flame palettes
// for even and odd squares.
struct CursorStyle {
    static constexpr std::uint32_t kFrameColor1 = 0xF0C459;
    static constexpr std::uint32_t kFrameColor2 = 0xD09449;

    std::uint32_t frameColor1 = kFrameColor1;
    std::uint32_t frameColor2 = kFrameColor2;
    bool flameCursor = false;
    std::array<std::uint32_t, 256> flamePaletteEven{};
    std::array<std::uint32_t, 256> flamePaletteOdd{};
};

// Style 0: classic double frame. Style 1: single frame with flames; builds both palettes, which
// then stay built when the style goes back to 0.
void SetCursorStyle(CursorStyle& style, int index);

}  // namespace velmora
