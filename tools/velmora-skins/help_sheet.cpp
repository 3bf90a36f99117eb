#include "help_sheet.h"

#include <cmath>

#include "assetkit/board_surface.h"
#include "skin_geometry.h"

namespace velmora::assets {

namespace {
constexpr double kPi = 3.14159265358979323846;
}

double HelpIntensity(int frame) {
    double s = std::sin(kPi * (frame + 0.5) / kHelpFrames);
    return std::pow(s, 1.6);
}

Raster HelpSheet() {
    Raster sheet(kCell * kHelpFrames, kCell * 2);
    const Vec3 gold = Srgb(255, 206, 104);
    const double c = (kCell - 1) / 2.0;
    const int ss = 4;
    for (int row = 0; row < 2; ++row)
        for (int f = 0; f < kHelpFrames; ++f) {
            Raster cell = BoardSquare(kCell, row == 0);
            double a = HelpIntensity(f);
            // The ring contracts onto the square as it brightens and widens as it fades.
            double radius = 11.5 + 6.0 * (1 - a);
            double width = 1.6 + 0.8 * (1 - a);
            for (int y = 0; y < kCell; ++y)
                for (int x = 0; x < kCell; ++x) {
                    double glow = 0;
                    for (int j = 0; j < ss; ++j)
                        for (int i = 0; i < ss; ++i) {
                            double dx = x + (i + 0.5) / ss - 0.5 - c;
                            double dy = y + (j + 0.5) / ss - 0.5 - c;
                            double r = std::hypot(dx, dy);
                            double ring = std::exp(-0.5 * std::pow((r - radius) / width, 2));
                            double halo =
                                std::exp(-0.5 * std::pow((r - radius) / (width * 3.5), 2));
                            double core = std::exp(-0.5 * std::pow(r / 4.0, 2));
                            glow += 0.85 * ring + 0.22 * halo + 0.30 * core;
                        }
                    glow /= ss * ss;
                    Vec3& px = cell.At(x, y);
                    px = px + gold * (glow * a * 0.9);
                }
            sheet.Blit(cell, f * kCell, row * kCell);
        }
    return sheet;
}

}  // namespace velmora::assets
