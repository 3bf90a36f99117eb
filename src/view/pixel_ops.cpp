#include "view/pixel_ops.h"

#include <algorithm>
#include <cstring>

#include "view/mul_table.h"

namespace velmora {

namespace {

bool SourceAndTargetHold(const PixelSurface& dst, int dstX, int dstY, int width,
                         const PixelSurface& src, int srcRow, int srcCol, int height) {
    return dst.Holds(dstX, dstY, width, height) && src.Holds(srcCol, srcRow, width, height);
}

std::uint32_t Tint(std::uint32_t pixel, int alpha, std::uint32_t colour) {
    const auto& keep = MulTable[alpha & 0xFF];
    const auto& add = MulTable[(256 - alpha) & 0xFF];
    // MulTable is symmetric, so [alpha][pixel] equals [pixel][alpha] and keeps one row hot.
    return PixelOf(keep[RedOf(pixel)] + add[RedOf(colour)],
                   keep[GreenOf(pixel)] + add[GreenOf(colour)],
                   keep[BlueOf(pixel)] + add[BlueOf(colour)]) |
           (pixel & 0xFF000000u);
}

}  // namespace

void CopyPixels(const PixelSurface& dst, int dstX, int dstY, int width, const PixelSurface& src,
                int srcRow, int srcCol, int height) {
    if (!SourceAndTargetHold(dst, dstX, dstY, width, src, srcRow, srcCol, height)) {
        return;
    }
    for (int i = 0; i < height; ++i) {
        std::memcpy(dst.Row(dstY + i) + dstX, src.Row(srcRow + i) + srcCol,
                    static_cast<std::size_t>(width) * 4);
    }
}

void BlendPixels(const PixelSurface& dst, int dstX, int dstY, int width, const PixelSurface& src,
                 int alpha, int srcRow, int srcCol, int height) {
    if (alpha == 0) {
        CopyPixels(dst, dstX, dstY, width, src, srcRow, srcCol, height);
        return;
    }
    if (alpha < 0 || alpha > 255 ||
        !SourceAndTargetHold(dst, dstX, dstY, width, src, srcRow, srcCol, height)) {
        return;
    }
    const auto& keep = MulTable[alpha];
    const auto& show = MulTable[256 - alpha];
    for (int i = 0; i < height; ++i) {
        std::uint32_t* d = dst.Row(dstY + i) + dstX;
        const std::uint32_t* s = src.Row(srcRow + i) + srcCol;
        for (int x = 0; x < width; ++x) {
            const std::uint32_t a = d[x];
            const std::uint32_t b = s[x];
            d[x] = PixelOf(keep[RedOf(a)] + show[RedOf(b)], keep[GreenOf(a)] + show[GreenOf(b)],
                           keep[BlueOf(a)] + show[BlueOf(b)]) |
                   (a & 0xFF000000u);
        }
    }
}

void BlendHLinePixels(const PixelSurface& dst, int x1, int x2, int y, int alpha,
                      std::uint32_t colour) {
    if (dst.bits == nullptr || y < 0 || y >= dst.height) {
        return;
    }
    if (x1 > x2) {
        std::swap(x1, x2);
    }
    if (x2 < 0 || x1 >= dst.width) {
        return;
    }
    x1 = std::max(x1, 0);
    x2 = std::min(x2, dst.width - 1);
    std::uint32_t* row = dst.Row(y);
    for (int x = x1; x <= x2; ++x) {
        row[x] = Tint(row[x], alpha, colour);
    }
}

void BlendVLinePixels(const PixelSurface& dst, int x, int y1, int y2, int alpha,
                      std::uint32_t colour) {
    if (dst.bits == nullptr || x < 0 || x >= dst.width) {
        return;
    }
    if (y1 > y2) {
        std::swap(y1, y2);
    }
    if (y2 < 0 || y1 >= dst.height) {
        return;
    }
    y1 = std::max(y1, 0);
    y2 = std::min(y2, dst.height - 1);
    for (int y = y1; y <= y2; ++y) {
        std::uint32_t& pixel = dst.Row(y)[x];
        pixel = Tint(pixel, alpha, colour);
    }
}

void BlendRectPixels(const PixelSurface& dst, int x1, int y1, int x2, int y2, int alpha,
                     std::uint32_t colour) {
    BlendHLinePixels(dst, x1, x2, y1, alpha, colour);
    BlendHLinePixels(dst, x1, x2, y2, alpha, colour);
    BlendVLinePixels(dst, x1, y1 + 1, y2 - 1, alpha, colour);
    BlendVLinePixels(dst, x2, y1 + 1, y2 - 1, alpha, colour);
}

}  // namespace velmora
