#include "view/fallback_images.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "view/pixel_surface.h"

namespace velmora {

namespace {

constexpr std::uint32_t kEvenSquare = 0x8D6E63;
constexpr std::uint32_t kOddSquare = 0x795548;
constexpr std::uint32_t kWhiteDisc = 0xFFD54F;
constexpr std::uint32_t kBlackDisc = 0x2E7D32;
constexpr std::uint32_t kMarkDot = 0xFFF3C4;
constexpr std::uint32_t kBorder = 0x4E342E;

PixelImage Blank(int width, int height, std::uint32_t colour) {
    PixelImage image;
    image.width = width;
    image.height = height;
    image.pixels.assign(static_cast<std::size_t>(width) * height, colour);
    return image;
}

// Paints one cell (picture coordinates, top row first) with a background and an ellipse of
// half-width rx and half-height ry centred in it; radii of zero paint no ellipse.
void PaintCell(PixelImage& image, int cell, int column, int pictureRow, std::uint32_t background,
               double rx, double ry, std::uint32_t disc) {
    const double centre = (cell - 1) / 2.0;
    for (int py = 0; py < cell; ++py) {
        const int blockRow = image.height - 1 - (pictureRow * cell + py);
        std::uint32_t* row = &image.pixels[static_cast<std::size_t>(blockRow) * image.width];
        for (int px = 0; px < cell; ++px) {
            const double dx = px - centre;
            const double dy = py - centre;
            const bool inside =
                rx > 0 && ry > 0 && (dx * dx) / (rx * rx) + (dy * dy) / (ry * ry) <= 1;
            row[column * cell + px] = inside ? disc : background;
        }
    }
}

}  // namespace

PixelImage MakeFallbackFigures(int cell) {
    PixelImage image = Blank(15 * cell, 8 * cell, kEvenSquare);
    const double radius = cell * 0.4;
    for (int sheetRow = 0; sheetRow < 8; ++sheetRow) {
        const std::uint32_t background = sheetRow % 2 == 0 ? kEvenSquare : kOddSquare;
        const int pair =
            sheetRow / 2;  // 0 White turns Black, 1 Black turns White, 2 Black, 3 White
        for (int frame = 0; frame < 15; ++frame) {
            if (pair < 2) {
                const std::uint32_t from = pair == 0 ? kWhiteDisc : kBlackDisc;
                const std::uint32_t to = pair == 0 ? kBlackDisc : kWhiteDisc;
                const double t = frame / 14.0;
                const double squeeze = std::max(0.06, std::abs(std::cos(std::numbers::pi * t)));
                PaintCell(image, cell, frame, sheetRow, background, radius * squeeze, radius,
                          t < 0.5 ? from : to);
            } else {
                const std::uint32_t disc = pair == 2 ? kBlackDisc : kWhiteDisc;
                const double grown = radius * frame / 14.0;
                PaintCell(image, cell, frame, sheetRow, background, grown, grown, disc);
            }
        }
    }
    return image;
}

PixelImage MakeFallbackHelp(int cell) {
    PixelImage image = Blank(40 * cell, 2 * cell, kEvenSquare);
    for (int sheetRow = 0; sheetRow < 2; ++sheetRow) {
        const std::uint32_t background = sheetRow == 0 ? kEvenSquare : kOddSquare;
        for (int frame = 0; frame < 40; ++frame) {
            const double r = cell * 0.18 * std::sin(std::numbers::pi * (frame + 1) / 41.0);
            PaintCell(image, cell, frame, sheetRow, background, r, r, kMarkDot);
        }
    }
    return image;
}

PixelImage MakeFallbackBorder(int width, int height) {
    return Blank(width, height, kBorder);
}

}  // namespace velmora
