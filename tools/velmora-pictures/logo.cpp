#include "logo.h"

#include <QString>
#include <cmath>

#include "assetkit/board_surface.h"
#include "assetkit/disc.h"
#include "assetkit/noise.h"
#include "assetkit/text.h"

namespace velmora::assets {

namespace {
constexpr int kWidth = 252, kHeight = 125;
}

Raster StartupLogo(bool russian) {
    Raster r(kWidth, kHeight);
    // Ground: the board's taupe, darker towards the edges, with a faint grid of squares
    // under the discs.
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
            double dx = (x - 60.0) / 190.0, dy = (y - 58.0) / 120.0;
            double vignette = 1.0 - 0.55 * std::min(1.0, dx * dx + dy * dy);
            double grain = 1 + 0.03 * FractalNoise(x * 0.7, y * 0.7, 0x10C0, 2);
            bool even = ((x - 10) / 40 + (y + 2) / 40) % 2 == 0;
            Vec3 base = Mix(OddSquareColour(), EvenSquareColour(), even ? 0.9 : 0.2);
            double grid = (x - 10) % 40 == 0 || (y + 2) % 40 == 0 ? 0.7 : 1.0;
            double fade =
                std::min(1.0, std::max(0.0, (150.0 - x) / 60.0));  // grid fades out under the title
            r.At(x, y) = Mix(OddSquareColour() * 0.8, base * grid, fade) * (vignette * grain);
        }
    // Two discs: a green one at rest and an amber one just landing beside it.
    DiscLook look;
    look = look.Scaled(0.95);
    DiscLook green = look, amber = look;
    green.topColour = GreenColour();
    green.bottomColour = AmberColour();
    amber.topColour = AmberColour();
    amber.bottomColour = GreenColour();
    DiscPose a;
    a.cx = 40;
    a.cy = 77;
    RenderDisc(r, green, a, 4);
    DiscPose b;
    b.cx = 74;
    b.cy = 47;
    b.lift = 3;
    b.scale = 1.03;
    RenderDisc(r, amber, b, 4);

    // The name: the maker's word small and amber, the game's word large and cream.
    const Vec3 cream = Srgb(246, 232, 206), amberInk = Srgb(242, 186, 72), shadow = Srgb(10, 6, 4);
    QString top = russian ? QString::fromUtf8("ВЕЛЬМОРНЫЕ") : QString("VELMORA");
    QString name = russian ? QString::fromUtf8("Реверси") : QString("Reversi");
    QString version = russian ? QString::fromUtf8("версия 4.00") : QString("version 4.00");
    const double cx = 170;
    QPainterPath topPath = CentredText(top, FontFace::SansCondensedBold, 13.5, cx, 36);
    QPainterPath namePath = CentredText(name, FontFace::SerifBold, 28, cx, 62);
    QPainterPath versionPath = CentredText(version, FontFace::Sans, 10.5, cx, 95);
    for (const auto& [path, colour] : {std::pair{topPath, amberInk}, std::pair{namePath, cream},
                                       std::pair{versionPath, cream * 0.75}}) {
        Plane soft = PathMask(path.translated(1.2, 1.6), kWidth, kHeight);
        GaussianBlur(soft, 1.1);
        r.Fill(soft, shadow, 0, 0, 0.8);
        r.Fill(PathMask(path, kWidth, kHeight), colour);
    }
    // A thin amber rule between the name and the version.
    for (int x = static_cast<int>(cx) - 46; x <= static_cast<int>(cx) + 46; ++x) {
        double t = std::fabs(x - cx) / 46.0;
        double weight = 0.85 * (1 - t * t);
        r.At(x, 83) = Mix(r.At(x, 83), amberInk, weight);
    }
    // The window has no frame of its own: a light edge and a dark outline make one.
    for (int x = 0; x < kWidth; ++x)
        for (int y = 0; y < kHeight; ++y) {
            int edge = std::min(std::min(x, kWidth - 1 - x), std::min(y, kHeight - 1 - y));
            if (edge == 0)
                r.At(x, y) = Srgb(30, 22, 16);
            if (edge == 1)
                r.At(x, y) = Mix(r.At(x, y), Srgb(214, 182, 140), 0.85);
            if (edge == 2)
                r.At(x, y) = r.At(x, y) * 0.6;
        }
    return r;
}

}  // namespace velmora::assets
