#include "view/cursor_painter.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "view/graphics_holder.h"
#include "view/pixel_surface.h"

namespace velmora {

namespace {

constexpr int kBandDepth = 25;
constexpr int kFuelEdge = 1450;  // 58 x 25: the band entries count back from here

bool CursorFits(const GraphicsHolder& holder, std::uint32_t* bits, int x, int y, int cell) {
    const PixelSurface back{bits, holder.BackWidth(), holder.BackHeight()};
    return cell > 0 && cell <= GraphicsHolder::kCursorSaveSide && back.Holds(x, y, cell, cell);
}

constexpr int kHottest = 320;  // the fuel row holds 0..319 and nothing cools upwards past it

// What a flame of intensity v adds to each channel, packed like a pixel: the palette colour,
// dimmer as v grows. The field runs hotter than the palette is long, so the look-up is clamped.
std::uint32_t FlameAdd(const std::array<std::uint32_t, 256>& palette, int v) {
    const std::uint32_t colour = palette[std::min(v, 255)];
    const int dim = v / 4;
    return PixelOf(std::max(0, RedOf(colour) - dim), std::max(0, GreenOf(colour) - dim),
                   std::max(0, BlueOf(colour) - dim));
}

std::uint32_t AddClamped(std::uint32_t pixel, std::uint32_t add) {
    const int red = std::min(255, RedOf(pixel) + RedOf(add));
    const int green = std::min(255, GreenOf(pixel) + GreenOf(add));
    const int blue = std::min(255, BlueOf(pixel) + BlueOf(add));
    return (pixel & 0xFF000000u) | PixelOf(red, green, blue);
}

void DrawFlames(GraphicsHolder& holder, std::uint32_t* bits, int x, int y, bool even, int s) {
    const CursorStyle& style = holder.Cursor();
    const auto& palette = even ? style.flamePaletteEven : style.flamePaletteOdd;
    const FireField& fire = holder.FireBuffer();
    const int width = holder.BackWidth();
    const int c = s;
    const int length = s - 3;
    std::array<std::uint32_t, kHottest> adds;
    for (int v = 0; v < kHottest; ++v) {
        adds[v] = FlameAdd(palette, v);
    }
    // (r, col) are relative to the square's top-left pixel, r counted downwards.
    auto burn = [&](int r, int col, int entry) {
        std::uint32_t& pixel = bits[static_cast<long>(y + c - r) * width + x + col];
        pixel = AddClamped(pixel, adds[std::min<int>(fire.At(entry), kHottest - 1)]);
    };
    // Top band: the field's row 24 (hot) at the edge, row 0 towards the centre.
    for (int r = 2; r <= 26; ++r) {
        for (int col = 2; col <= s - 2; ++col) {
            burn(r, col, FireField::kColumns * (26 - r) + (col - 2));
        }
    }
    // Bottom band.
    for (int r = c - 26; r <= c - 2; ++r) {
        const int j = c - 2 - r;
        for (int col = 2; col <= s - 2; ++col) {
            burn(r, col, kFuelEdge - FireField::kColumns * j - (col - 2));
        }
    }
    // Left and right bands run along the columns.
    for (int j = 0; j < kBandDepth; ++j) {
        for (int i = 0; i < length; ++i) {
            const int entry = kFuelEdge - FireField::kColumns * j - i;
            burn(c - 2 - i, 2 + j, entry);
            burn(c - 2 - i, s - 2 - j, entry);
        }
    }
}

}  // namespace

void DrawCursor(GraphicsHolder& holder, int x, int y, bool even, int cell) {
    const int s = cell;
    {
        // 1. Save the block under the cursor.
        DibLock back(holder.BackBuffer());
        if (!CursorFits(holder, back.Bits(), x, y, s)) {
            return;
        }
        auto& save = holder.CursorSave();
        for (int i = 0; i < s; ++i) {
            std::memcpy(&save[static_cast<std::size_t>(i) * s],
                        back.Bits() + static_cast<long>(y + i) * holder.BackWidth() + x,
                        static_cast<std::size_t>(s) * 4);
        }
    }
    // 2. Frame: two nested outlines, or one when flames burn inside it.
    const CursorStyle& style = holder.Cursor();
    const std::uint32_t outer = even ? style.frameColor1 : style.frameColor2;
    const std::uint32_t inner = even ? style.frameColor2 : style.frameColor1;
    holder.BlendRect(x + 1, y + 1, x + s - 1, y + s - 1, 1, outer);
    if (!style.flameCursor) {
        holder.BlendRect(x + 2, y + 2, x + s - 2, y + s - 2, 1, inner);
        return;
    }
    // 3. Four flame bands burning inwards from the edges.
    DibLock back(holder.BackBuffer());
    DrawFlames(holder, back.Bits(), x, y, even, s);
}

void RestoreCursor(GraphicsHolder& holder, int x, int y, int cell) {
    DibLock back(holder.BackBuffer());
    if (!CursorFits(holder, back.Bits(), x, y, cell)) {
        return;
    }
    const auto& save = holder.CursorSave();
    for (int i = 0; i < cell; ++i) {
        std::memcpy(back.Bits() + static_cast<long>(y + i) * holder.BackWidth() + x,
                    &save[static_cast<std::size_t>(i) * cell], static_cast<std::size_t>(cell) * 4);
    }
}

}  // namespace velmora
