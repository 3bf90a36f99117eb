#include "assetkit/board_surface.h"

#include "assetkit/noise.h"

namespace velmora::assets {

Vec3 EvenSquareColour() {
    return Srgb(102, 89, 79);
}
Vec3 OddSquareColour() {
    return Srgb(90, 78, 69);
}

Raster BoardSquare(int size, bool even) {
    Vec3 base = even ? EvenSquareColour() : OddSquareColour();
    std::uint64_t seed = even ? 0x5EA5u : 0x0DD5u;
    Raster r(size, size, base);
    double unit = size / 61.0;  // texture scale follows the square size
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            double u = x / unit, v = y / unit;
            double grain = 0.035 * FractalNoise(u * 0.9, v * 0.9, seed, 2) +
                           0.025 * FractalNoise(u / 9.0, v / 9.0, seed + 99, 3);
            double shade = 1 + grain;
            // Raised tile: light lip on the upper left, a dark seam on the lower right.
            if (x == 0 || y == 0)
                shade *= 1.16;
            if (x == 1 || y == 1)
                shade *= 1.05;
            if (x == size - 1 || y == size - 1)
                shade *= 0.58;
            if (x == size - 2 || y == size - 2)
                shade *= 0.90;
            r.At(x, y) = base * shade;
        }
    return r;
}

}  // namespace velmora::assets
