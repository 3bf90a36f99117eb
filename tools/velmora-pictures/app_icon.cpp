#include "app_icon.h"

#include <algorithm>
#include <cmath>

#include "assetkit/board_surface.h"
#include "assetkit/disc.h"

namespace velmora::assets {

namespace {

// Signed distance to a rounded square of half side `half` and corner radius `r`.
double RoundedBox(double x, double y, double half, double r) {
    double qx = std::fabs(x) - half + r, qy = std::fabs(y) - half + r;
    return std::hypot(std::max(qx, 0.0), std::max(qy, 0.0)) + std::min(std::max(qx, qy), 0.0) - r;
}

}  // namespace

Raster AppIcon(int size) {
    const double s = size;
    const double margin = std::max(0.5, s * 0.03);
    const double half = s / 2 - margin;
    const double frame = std::max(1.5, s * 0.085);
    const double radius = s * 0.16;
    const double c = s / 2;
    const Vec3 wood = Srgb(214, 182, 138), woodDark = Srgb(120, 86, 52);
    const Vec3 light = Srgb(250, 232, 200);
    Raster r(size, size, {}, 0.0);
    const int ss = 4;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            Vec3 sum;
            double cover = 0;
            for (int j = 0; j < ss; ++j)
                for (int i = 0; i < ss; ++i) {
                    double px = x + (i + 0.5) / ss - c, py = y + (j + 0.5) / ss - c;
                    double d = RoundedBox(px, py, half, radius);
                    if (d > 0)
                        continue;
                    Vec3 col;
                    double inner = std::max(std::fabs(px), std::fabs(py));
                    if (inner > half - frame) {
                        // The frame: lit from the upper left, a rim line outside.
                        double t = (px + py) / (2 * half);
                        col = Mix(wood * 1.12, wood * 0.78, 0.5 + 0.5 * t);
                        if (d > -std::max(0.6, s * 0.012))
                            col = woodDark;
                        if (inner > half - frame && inner < half - frame + std::max(0.5, s * 0.01))
                            col = woodDark;
                        if (d < -s * 0.02 && d > -s * 0.035 && px + py < 0)
                            col = Mix(col, light, 0.5);
                    } else {
                        bool even = (px < 0) == (py < 0);
                        col = even ? EvenSquareColour() : OddSquareColour();
                        if (std::fabs(px) < std::max(0.5, s * 0.008) ||
                            std::fabs(py) < std::max(0.5, s * 0.008))
                            col = col * 0.55;
                    }
                    sum += col;
                    cover += 1;
                }
            if (cover > 0) {
                r.At(x, y) = sum / cover;
                r.A(x, y) = cover / (ss * ss);
            }
        }
    // The four starting discs, amber on the falling diagonal.
    const double cell = half - frame;
    DiscLook look;
    look = look.Scaled(cell * 0.40 / look.radius);
    if (size < 32)
        look.grooveDepth = 0;  // too small to show
    for (int k = 0; k < 4; ++k) {
        bool right = k % 2 == 1, down = k / 2 == 1;
        bool amber = right == down;
        DiscLook l = look;
        l.topColour = amber ? AmberColour() : GreenColour();
        l.bottomColour = amber ? GreenColour() : AmberColour();
        DiscPose pose;
        pose.cx = c + (right ? 0.5 : -0.5) * cell;
        pose.cy = c + (down ? 0.5 : -0.5) * cell;
        Raster layer = r;
        RenderDisc(layer, l, pose, size < 64 ? 8 : 4);
        for (size_t i = 0; i < r.rgb.size(); ++i)
            r.rgb[i] = layer.rgb[i];
    }
    return r;
}

}  // namespace velmora::assets
