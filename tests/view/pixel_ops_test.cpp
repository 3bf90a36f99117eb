#include <gtest/gtest.h>

#include <vector>

#include "view/dib_memory.h"
#include "view/graphics_holder.h"
#include "view/pixel_ops.h"
#include "view/resample_image.h"

namespace velmora {
namespace {

struct Picture {
    Picture(int w, int h, std::uint32_t fill) : pixels(std::size_t(w) * h, fill), width(w) {}
    PixelSurface Surface() { return {pixels.data(), width, int(pixels.size()) / width}; }
    std::uint32_t& At(int x, int y) { return pixels[std::size_t(y) * width + x]; }
    std::vector<std::uint32_t> pixels;
    int width;
};

TEST(BlendBlock, MixesTargetAndSourceByAlphaKeepingTheFourthByte) {
    // Each channel is (target x alpha) >> 8 plus (source x (256 - alpha)) >> 8; alpha 0 copies.
    const std::uint32_t source = PixelOf(100, 50, 255);
    const std::pair<int, std::uint32_t> cases[] = {{0, source},
                                                   {64, PixelOf(125, 62, 191)},
                                                   {128, PixelOf(150, 75, 127)},
                                                   {255, PixelOf(199, 99, 0)}};
    for (const auto& [alpha, expected] : cases) {
        Picture target(1, 1, 0xAB000000u | PixelOf(200, 100, 0));
        Picture src(1, 1, source);
        BlendPixels(target.Surface(), 0, 0, 1, src.Surface(), alpha, 0, 0, 1);
        EXPECT_EQ(target.pixels[0], (alpha != 0 ? 0xAB000000u : 0u) | expected) << alpha;
    }
}

TEST(BlendBlock, RectanglesReachingOutsideEitherPictureWriteNothing) {
    Picture src(4, 4, 0x123456);
    Picture dst(6, 6, 0);
    CopyPixels(dst.Surface(), 4, 0, 4, src.Surface(), 0, 0, 4);   // past the target's right edge
    CopyPixels(dst.Surface(), 0, 0, 4, src.Surface(), 1, 0, 4);   // past the source's top
    CopyPixels(dst.Surface(), -1, 0, 2, src.Surface(), 0, 0, 2);  // left of the target
    BlendPixels(dst.Surface(), 0, 3, 4, src.Surface(), 100, 0, 0, 4);
    BlendPixels(dst.Surface(), 0, 0, 1, src.Surface(), 300, 0, 0, 1);  // no such alpha
    // Null surfaces are tolerated.
    CopyPixels(PixelSurface{}, 0, 0, 1, src.Surface(), 0, 0, 1);
    CopyPixels(dst.Surface(), 0, 0, 1, PixelSurface{}, 0, 0, 1);
    BlendHLinePixels(PixelSurface{}, 0, 5, 0, 1, 0xFFFFFF);
    BlendVLinePixels(PixelSurface{}, 0, 0, 5, 1, 0xFFFFFF);
    EXPECT_EQ(dst.pixels, std::vector<std::uint32_t>(36, 0));
}

TEST(BlendLines, AlphaOneAlmostPaintsTheColourAndRunsAreClamped) {
    const std::uint32_t colour = PixelOf(240, 196, 89);
    const std::uint32_t nearly = PixelOf(239, 195, 88);  // colour * 255 >> 8
    const std::uint32_t grey = PixelOf(10, 20, 30);
    Picture pic(5, 4, grey);
    BlendHLinePixels(pic.Surface(), 3, -7, 1, 1, colour);  // ends reversed, left end clamped
    BlendVLinePixels(pic.Surface(), 4, 99, 2, 1, colour);  // top end clamped
    for (int x = 0; x < 5; ++x) {
        EXPECT_EQ(pic.At(x, 1), x <= 3 ? nearly : grey) << x;
    }
    EXPECT_EQ(pic.At(4, 2), nearly);
    EXPECT_EQ(pic.At(4, 3), nearly);

    Picture untouched(5, 4, 7);
    BlendHLinePixels(untouched.Surface(), 0, 4, 4, 1, colour);    // row outside
    BlendHLinePixels(untouched.Surface(), 5, 9, 0, 1, colour);    // wholly right of it
    BlendVLinePixels(untouched.Surface(), -1, 0, 3, 1, colour);   // column outside
    BlendVLinePixels(untouched.Surface(), 0, -9, -1, 1, colour);  // wholly below it
    EXPECT_EQ(untouched.pixels, std::vector<std::uint32_t>(20, 7));
}

TEST(BlendLines, RectangleIsAnOutlineWithEachCornerTintedOnce) {
    Picture pic(8, 8, PixelOf(0, 0, 0));
    BlendRectPixels(pic.Surface(), 1, 2, 5, 6, 128, PixelOf(0, 0, 200));
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 8; ++x) {
            const bool edge = (x >= 1 && x <= 5 && (y == 2 || y == 6)) ||
                              (y >= 2 && y <= 6 && (x == 1 || x == 5));
            EXPECT_EQ(pic.At(x, y), edge ? PixelOf(0, 0, 100) : 0u) << x << "," << y;
        }
    }
}

TEST(DibMemory, AFailedBlockHandsOutNoPixelsAndDrawingOverItIsHarmless) {
    TDibMemory block;
    EXPECT_FALSE(block.Init(TDibMemory::kMaxBytes + 4));
    EXPECT_EQ(block.Lock(), nullptr);

    // A holder whose back buffer and sources are missing draws nothing and does not crash.
    GraphicsHolder holder("nowhere", [](const std::string&) { return std::nullopt; });
    holder.CreateBackBuffer(1 << 20, 1 << 20);  // far beyond any block we allow
    EXPECT_EQ(holder.BackBuffer()->Lock(), nullptr);
    EXPECT_EQ(holder.BackWidth(), 0);
    holder.SetSource(10, 10);
    holder.CopyBlock(0, 0, 4, &block, 0, 0, 4);
    holder.BlendBlock(0, 0, 4, nullptr, 5, 0, 0, 4);
    holder.BlendRect(0, 0, 9, 9, 1, 0xFFFFFF);
}

// 5 x 5 into 4 x 4: sx = sy = 0.8, so source columns 0..4 reach target columns (dx0, dx1) =
// (0,0) (1,1) (2,2) (2,3) (3,4); the contribution at 4 lies outside and is dropped.
TEST(ResampleImage, SmallReductionMatchesTheWeightsWorkedByHand) {
    const int values[5] = {0, 40, 12, 120, 200};
    std::vector<std::uint32_t> source(25);
    for (int i = 0; i < 25; ++i) {
        source[i] = PixelOf(values[i % 5], 0, 0);
    }
    std::vector<std::uint32_t> target(16, 0x5A000000u);
    ResampleImage(source.data(), target.data(), 5, 5, 4, 4);
    EXPECT_EQ(target[15] >> 24, 0x5Au) << "the fourth byte is left alone";
    for (int y = 0; y < 4; ++y) {
        EXPECT_EQ(RedOf(target[y * 4 + 0]), 0) << y;
        EXPECT_EQ(RedOf(target[y * 4 + 1]), 40) << y;
    }
    // Target row 0 takes only source row 0, which maps wholly onto it. Column 2 gets source
    // column 2 with weight 4+1+1+1 and column 3 with 4+1; column 3 gets source 3 with 1+1 and
    // source 4 with 4+1.
    EXPECT_EQ(RedOf(target[2]), (7 * 12 + 5 * 120) / 12);
    EXPECT_EQ(RedOf(target[3]), (2 * 120 + 5 * 200) / 7);
    // Empty or missing pictures are ignored.
    ResampleImage(nullptr, target.data(), 2, 2, 2, 2);
    ResampleImage(source.data(), target.data(), 0, 2, 2, 2);
    EXPECT_EQ(RedOf(target[1]), 40);
}

}  // namespace
}  // namespace velmora
