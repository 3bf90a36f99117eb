#include <gtest/gtest.h>

#include <vector>

#include "synthetic_skins.h"
#include "view/pixel_surface.h"
#include "view/resample_image.h"

namespace velmora {
namespace {

using testing::FigsColour;
using testing::FigsSheet;

TEST(ResampleImage, FlatPictureStaysFlatAndTheFourthByteIsLeftAlone) {
    const std::uint32_t colour = PixelOf(201, 77, 13);
    std::vector<std::uint32_t> source(915 * 488, colour);
    std::vector<std::uint32_t> target(735 * 392, 0x5A000000u);
    ResampleImage(source.data(), target.data(), 915, 488, 735, 392);
    for (std::uint32_t p : target) {
        ASSERT_EQ(p, 0x5A000000u | colour);
    }
}

// 5 x 5 into 4 x 4: sx = sy = 0.8, so source columns 0..4 reach target columns (dx0, dx1) =
// (0,0) (1,1) (2,2) (2,3) (3,4); the contribution at 4 lies outside and is dropped.
TEST(ResampleImage, SmallReductionMatchesTheWeightsWorkedByHand) {
    const int values[5] = {0, 40, 12, 120, 200};
    std::vector<std::uint32_t> source(25);
    for (int y = 0; y < 5; ++y) {
        for (int x = 0; x < 5; ++x) {
            source[y * 5 + x] = PixelOf(values[x], 0, 0);
        }
    }
    std::vector<std::uint32_t> target(16, 0);
    ResampleImage(source.data(), target.data(), 5, 5, 4, 4);
    for (int y = 0; y < 4; ++y) {
        EXPECT_EQ(RedOf(target[y * 4 + 0]), 0) << y;
        EXPECT_EQ(RedOf(target[y * 4 + 1]), 40) << y;
    }
    // Target row 0 takes only source row 0, which maps wholly onto it. Column 2 gets source
    // column 2 with weight 4+1+1+1 and column 3 with 4+1; column 3 gets source 3 with 1+1 and
    // source 4 with 4+1.
    EXPECT_EQ(RedOf(target[2]), (7 * 12 + 5 * 120) / 12);
    EXPECT_EQ(RedOf(target[3]), (2 * 120 + 5 * 200) / 7);
}

TEST(ResampleImage, SpriteCellsLandOnTheSmallerGrid) {
    const PixelImage sheet = FigsSheet(false);
    std::vector<std::uint32_t> target(735 * 392, 0);
    ResampleImage(sheet.pixels.data(), target.data(), 915, 488, 735, 392);
    // Picture row k of the sheet is block rows (7 - k) * c .. ; the cells' insides stay exact.
    for (int k = 0; k < 8; ++k) {
        for (int f = 0; f < 15; ++f) {
            for (int dy : {2, 24, 46}) {
                for (int dx : {2, 24, 46}) {
                    const int blockRow = (7 - k) * 49 + dy;
                    ASSERT_EQ(target[blockRow * 735 + f * 49 + dx], FigsColour(k, f))
                        << "cell " << k << "," << f << " at " << dx << "," << dy;
                }
            }
        }
    }
}

TEST(ResampleImage, EdgesBlendBetweenNeighboursAndRowsStayBottomUp) {
    // Bottom half (block rows 0..9) dark, top half light; left and right halves of the dark part
    // differ as well.
    const int w = 20;
    const int h = 20;
    std::vector<std::uint32_t> source(w * h);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            source[y * w + x] = y < 10 ? PixelOf(x < 10 ? 0 : 100, 0, 0) : PixelOf(250, 250, 250);
        }
    }
    std::vector<std::uint32_t> target(16 * 16);
    ResampleImage(source.data(), target.data(), w, h, 16, 16);
    EXPECT_EQ(target[0], PixelOf(0, 0, 0));
    EXPECT_EQ(target[15], PixelOf(100, 0, 0));
    EXPECT_EQ(target[15 * 16], PixelOf(250, 250, 250));
    // Along the bottom row the red channel never falls, and the seam takes values in between.
    int between = 0;
    for (int x = 1; x < 16; ++x) {
        EXPECT_GE(RedOf(target[x]), RedOf(target[x - 1]));
        between += RedOf(target[x]) > 0 && RedOf(target[x]) < 100;
    }
    EXPECT_GE(between, 1);
}

TEST(ResampleImage, EmptyOrMissingPicturesAreIgnored) {
    std::vector<std::uint32_t> target(4, 9);
    ResampleImage(nullptr, target.data(), 2, 2, 2, 2);
    std::vector<std::uint32_t> source(4, 1);
    ResampleImage(source.data(), target.data(), 0, 2, 2, 2);
    EXPECT_EQ(target, std::vector<std::uint32_t>(4, 9));
}

}  // namespace
}  // namespace velmora
