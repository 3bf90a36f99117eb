#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "view/dib_memory.h"
#include "view/graphics_holder.h"
#include "view/mul_table.h"
#include "view/pixel_ops.h"

namespace velmora {
namespace {

struct Picture {
    Picture(int w, int h, std::uint32_t fill)
        : pixels(std::size_t(w) * h, fill), width(w), height(h) {}
    PixelSurface Surface() { return {pixels.data(), width, height}; }
    std::uint32_t& At(int x, int y) { return pixels[std::size_t(y) * width + x]; }
    std::vector<std::uint32_t> pixels;
    int width;
    int height;
};

int ChannelDistance(std::uint32_t a, std::uint32_t b) {
    return std::max({std::abs(RedOf(a) - RedOf(b)), std::abs(GreenOf(a) - GreenOf(b)),
                     std::abs(BlueOf(a) - BlueOf(b))});
}

TEST(MulTable, HoldsEightBitProducts) {
    EXPECT_EQ(MulTable[255][255], 254);
    EXPECT_EQ(MulTable[128][2], 1);
    EXPECT_EQ(MulTable[0][200], 0);
    EXPECT_EQ(MulTable[100][200], 78);
    EXPECT_EQ(MulTable[37][211], MulTable[211][37]);
}

TEST(BlendBlock, AlphaZeroShowsTheSourceAndFullAlphaKeepsTheTarget) {
    Picture src(8, 8, 0);
    for (int i = 0; i < 64; ++i) {
        src.pixels[i] = PixelOf(i * 4, 255 - i * 3, (i * 37) % 256);
    }
    const std::uint32_t backColour = 0xAB000000u | PixelOf(200, 10, 97);

    Picture zero(8, 8, backColour);
    BlendPixels(zero.Surface(), 0, 0, 8, src.Surface(), 0, 0, 0, 8);
    EXPECT_EQ(zero.pixels, src.pixels);

    Picture full(8, 8, backColour);
    BlendPixels(full.Surface(), 0, 0, 8, src.Surface(), 255, 0, 0, 8);
    for (std::uint32_t p : full.pixels) {
        EXPECT_LE(ChannelDistance(p, backColour), 1);
        EXPECT_EQ(p >> 24, 0xABu) << "the fourth byte stays";
    }

    // Half way: each channel is the two halves added.
    Picture half(1, 1, PixelOf(200, 100, 0));
    Picture one(1, 1, PixelOf(100, 50, 255));
    BlendPixels(half.Surface(), 0, 0, 1, one.Surface(), 128, 0, 0, 1);
    EXPECT_EQ(half.pixels[0], PixelOf(100 + 50, 50 + 25, 0 + 127));
}

TEST(BlendBlock, ReadsTheRequestedSourceRectangleIntoThePlace) {
    Picture src(6, 5, 0);
    for (int y = 0; y < 5; ++y) {
        for (int x = 0; x < 6; ++x) {
            src.At(x, y) = PixelOf(x, y, 1);
        }
    }
    Picture dst(10, 10, 0);
    CopyPixels(dst.Surface(), 3, 4, 2, src.Surface(), 1, 2, 3);  // rows 1..3, columns 2..3
    for (int y = 0; y < 10; ++y) {
        for (int x = 0; x < 10; ++x) {
            const bool inside = x >= 3 && x < 5 && y >= 4 && y < 7;
            EXPECT_EQ(dst.At(x, y), inside ? PixelOf(x - 3 + 2, y - 4 + 1, 1) : 0u)
                << x << "," << y;
        }
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
    EXPECT_EQ(dst.pixels, std::vector<std::uint32_t>(36, 0));
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
    Picture pic(5, 4, PixelOf(10, 20, 30));
    BlendHLinePixels(pic.Surface(), 3, -7, 1, 1, colour);  // ends reversed, left end clamped
    for (int x = 0; x < 5; ++x) {
        EXPECT_EQ(pic.At(x, 1), x <= 3 ? nearly : PixelOf(10, 20, 30)) << x;
    }
    BlendVLinePixels(pic.Surface(), 4, 99, 2, 1, colour);  // top end clamped
    EXPECT_EQ(pic.At(4, 1), PixelOf(10, 20, 30));
    EXPECT_EQ(pic.At(4, 2), nearly);
    EXPECT_EQ(pic.At(4, 3), nearly);

    Picture untouched(5, 4, 7);
    BlendHLinePixels(untouched.Surface(), 0, 4, 4, 1, colour);    // row outside
    BlendHLinePixels(untouched.Surface(), 5, 9, 0, 1, colour);    // wholly right of it
    BlendVLinePixels(untouched.Surface(), -1, 0, 3, 1, colour);   // column outside
    BlendVLinePixels(untouched.Surface(), 0, -9, -1, 1, colour);  // wholly below it
    EXPECT_EQ(untouched.pixels, std::vector<std::uint32_t>(20, 7));

    // Higher alpha lets the pixel through: 128 mixes half and half.
    Picture mix(1, 1, PixelOf(100, 0, 200));
    BlendHLinePixels(mix.Surface(), 0, 0, 0, 128, PixelOf(0, 200, 100));
    EXPECT_EQ(mix.pixels[0], PixelOf(50, 100, 150));
}

TEST(BlendLines, RectangleIsAnOutlineWithEachCornerTintedOnce) {
    Picture pic(8, 8, PixelOf(0, 0, 0));
    BlendRectPixels(pic.Surface(), 1, 2, 5, 6, 1, PixelOf(0, 0, 255));
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 8; ++x) {
            const bool edge = (x >= 1 && x <= 5 && (y == 2 || y == 6)) ||
                              (y >= 2 && y <= 6 && (x == 1 || x == 5));
            EXPECT_EQ(pic.At(x, y), edge ? PixelOf(0, 0, 254) : 0u) << x << "," << y;
        }
    }
}

TEST(DibMemory, AFailedBlockHandsOutNoPixelsAndDrawingOverItIsHarmless) {
    TDibMemory block;
    EXPECT_FALSE(block.Init(TDibMemory::kMaxBytes + 4));
    EXPECT_FALSE(block.Valid());
    EXPECT_EQ(block.Lock(), nullptr);
    block.Done();

    TDibMemory good(16);
    ASSERT_TRUE(good.Valid());
    EXPECT_NE(good.Lock(), nullptr);
    EXPECT_TRUE(good.IsLocked());
    good.Unlock();
    EXPECT_FALSE(good.IsLocked());

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

}  // namespace
}  // namespace velmora
