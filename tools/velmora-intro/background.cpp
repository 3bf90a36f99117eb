#include "background.h"

#include <cmath>

#include "assetkit/board_surface.h"
#include "assetkit/disc.h"
#include "assetkit/palette.h"
#include "support/intro_sizes.h"

namespace velmora::assets {

std::vector<std::uint8_t> BackgroundTexture() {
    constexpr int kSide = kIntroTextureSide, kSquare = kSide / 4;
    Raster tile(kSide, kSide);
    // 0 empty, 1 amber, 2 green: a position from the middle of a game.
    static const int kDiscs[4][4] = {{0, 1, 2, 0}, {2, 1, 1, 0}, {0, 2, 1, 2}, {1, 0, 0, 2}};
    DiscLook look = DiscLook().Scaled(kSquare * 0.40 / DiscLook().radius);
    for (int row = 0; row < 4; ++row)
        for (int col = 0; col < 4; ++col) {
            Raster square = BoardSquare(kSquare, (row + col) % 2 == 0);
            if (int kind = kDiscs[row][col]) {
                DiscLook l = look;
                l.topColour = kind == 1 ? AmberColour() : GreenColour();
                l.bottomColour = kind == 1 ? GreenColour() : AmberColour();
                DiscPose pose;
                pose.cx = kSquare / 2.0;
                pose.cy = kSquare / 2.0;
                pose.shadowMargin = 3;
                RenderDisc(square, l, pose, 3);
            }
            tile.Blit(square, col * kSquare, row * kSquare);
        }
    // Dim and soften it: the scroller and the object are drawn over it in a light tint.
    std::vector<Rgb8> colours;
    colours.reserve(static_cast<size_t>(kSide) * kSide);
    for (const Vec3& c : tile.rgb) {
        Vec3 grey = Vec3{1, 1, 1} * (0.3 * c.x + 0.55 * c.y + 0.15 * c.z);
        Vec3 dim = Mix(grey, c, 0.6) * 0.33;
        colours.push_back({ToByte(LinearToSrgb(dim.x)), ToByte(LinearToSrgb(dim.y)),
                           ToByte(LinearToSrgb(dim.z))});
    }
    std::vector<Rgb8> palette = MedianCut(colours, 256);
    std::vector<std::uint8_t> out(kIntroTextureBytes, 0);
    for (size_t i = 0; i < palette.size(); ++i) {
        out[i * 4 + 0] = static_cast<std::uint8_t>(palette[i][2]);
        out[i * 4 + 1] = static_cast<std::uint8_t>(palette[i][1]);
        out[i * 4 + 2] = static_cast<std::uint8_t>(palette[i][0]);
    }
    for (size_t i = 0; i < colours.size(); ++i)
        out[kIntroPaletteBytes + i] = static_cast<std::uint8_t>(NearestIndex(palette, colours[i]));
    return out;
}

}  // namespace velmora::assets
