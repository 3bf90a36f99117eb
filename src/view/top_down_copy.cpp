#include "view/top_down_copy.h"

namespace velmora {

void CopyRectTopDown(const PixelSurface& src, int px, int py, int w, int h, std::uint32_t* dst,
                     std::ptrdiff_t dstStride) {
    if (dst == nullptr || !src.Holds(px, src.height - py - h, w, h)) {
        return;
    }
    for (int i = 0; i < h; ++i) {
        const std::uint32_t* from = src.Row(src.height - 1 - (py + i)) + px;
        std::uint32_t* to = dst + (py + i) * dstStride + px;
        for (int x = 0; x < w; ++x) {
            to[x] = from[x] | 0xFF000000u;
        }
    }
}

}  // namespace velmora
