#include "view/resample_image.h"

#include <cmath>
#include <vector>

#include "view/pixel_surface.h"

namespace velmora {

namespace {

struct Sums {
    // Wider than the 16 bits the reduction strictly needs at our ratios, so that no ratio
    // can wrap a sum.
    std::uint32_t blue = 0;
    std::uint32_t green = 0;
    std::uint32_t red = 0;
    std::uint32_t weight = 0;
};

int RoundToNearest(float value) {
    return static_cast<int>(std::nearbyint(value));
}

}  // namespace

void ResampleImage(const std::uint32_t* source, std::uint32_t* target, int srcW, int srcH, int dstW,
                   int dstH) {
    if (source == nullptr || target == nullptr || srcW <= 0 || srcH <= 0 || dstW <= 0 ||
        dstH <= 0) {
        return;
    }
    // 1. One accumulator cell per target pixel, rows of dstW cells.
    std::vector<Sums> cells(static_cast<std::size_t>(dstW) * dstH);
    auto add = [&](int x, int y, std::uint32_t pixel, std::uint32_t weight) {
        if (x >= dstW || y >= dstH) {
            return;  // beyond the last column or row: outside the target picture
        }
        Sums& cell = cells[static_cast<std::size_t>(y) * dstW + x];
        cell.blue += weight * static_cast<std::uint32_t>(BlueOf(pixel));
        cell.green += weight * static_cast<std::uint32_t>(GreenOf(pixel));
        cell.red += weight * static_cast<std::uint32_t>(RedOf(pixel));
        cell.weight += weight;
    };

    // 2. Steps in single precision; the rounding below depends on it.
    const float sx = static_cast<float>(dstW) / static_cast<float>(srcW);
    const float sy = static_cast<float>(dstH) / static_cast<float>(srcH);
    const float hx = sx / 2;
    const float hy = sy / 2;

    // 3. Columns outside, rows inside, positions as running sums.
    float fx = 0;
    for (int x = 0; x < srcW; ++x, fx += sx) {
        const int dx0 = RoundToNearest(fx);
        const int dx1 = RoundToNearest(fx + hx);
        float fy = 0;
        for (int y = 0; y < srcH; ++y, fy += sy) {
            const int dy0 = RoundToNearest(fy);
            const int dy1 = RoundToNearest(fy + hy);
            const std::uint32_t pixel = source[static_cast<std::size_t>(y) * srcW + x];
            add(dx0, dy0, pixel, 4);
            add(dx1, dy1, pixel, 1);
            add(dx0, dy1, pixel, 1);
            add(dx1, dy0, pixel, 1);
        }
    }

    // 4. Averages; a cell that nothing reached (only possible when enlarging) becomes black.
    for (std::size_t i = 0; i < cells.size(); ++i) {
        const Sums& cell = cells[i];
        std::uint32_t& out = target[i];
        std::uint32_t pixel = 0;
        if (cell.weight != 0) {
            pixel = PixelOf(static_cast<int>(cell.red / cell.weight),
                            static_cast<int>(cell.green / cell.weight),
                            static_cast<int>(cell.blue / cell.weight));
        }
        out = (out & 0xFF000000u) | pixel;
    }
}

}  // namespace velmora
