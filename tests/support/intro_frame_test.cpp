#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <random>

#include "intro_test_resources.h"
#include "support/intro_background.h"
#include "support/intro_blend.h"
#include "support/intro_renderer.h"

namespace velmora {
namespace {

std::uint32_t Rgb(int r, int g, int b) {
    return static_cast<std::uint32_t>(r << 16 | g << 8 | b);
}

// The background pixel at (row from the bottom, column) straight from the fixed-point
// formula, with the texture made by intro_test::Texture().
std::uint32_t ExpectedBackground(const std::vector<std::uint8_t>& texture, int angle, int zoom,
                                 int u0, int v0, int row, int column) {
    const auto fixed = [](double radians) { return std::int64_t{std::lround(65536 * radians)}; };
    const double a = angle * std::numbers::pi / 16384;
    const double b = ((angle + 8192) % 32768) * std::numbers::pi / 16384;
    const std::int64_t du = fixed(std::cos(a)) * zoom / 65536;
    const std::int64_t dv = fixed(std::sin(a)) * zoom / 65536;
    const std::int64_t du2 = fixed(std::cos(b)) * zoom / 65536;
    const std::int64_t dv2 = fixed(std::sin(b)) * zoom / 65536;
    const auto u =
        static_cast<std::uint32_t>(u0 - 190 * du - 130 * du2 + row * du2 + (column + 1) * du);
    const auto v =
        static_cast<std::uint32_t>(v0 - 190 * dv - 130 * dv2 + row * dv2 + (column + 1) * dv);
    const int index = texture[kIntroPaletteBytes + (u >> 24) * 256 + (v >> 24)];
    return Rgb(texture[index * 4 + 2], texture[index * 4 + 1], texture[index * 4]);
}

TEST(IntroBackgroundTest, PixelsFollowTheFixedPointFormula) {
    const std::vector<std::uint8_t> texture = intro_test::Texture();
    std::vector<std::uint32_t> frame(kIntroWidth * kIntroHeight);
    struct View {
        int angle, zoom, u, v;
    };
    for (const View view : {View{0, 1 << 24, 0, 0}, View{5000, 20000000, -123456789, 987654321},
                            View{30000, 9000000, 2147000000, -2147000000},
                            View{8192, 33554432, 77 << 20, -(5 << 24)}}) {
        DrawIntroBackground(texture, {view.angle, view.zoom, view.u, view.v}, frame);
        for (const auto& [row, column] :
             {std::pair{0, 0}, {0, 379}, {1, 0}, {129, 190}, {259, 0}, {259, 379}, {77, 251}}) {
            EXPECT_EQ(
                frame[row * kIntroWidth + column],
                ExpectedBackground(texture, view.angle, view.zoom, view.u, view.v, row, column))
                << view.angle << " " << row << " " << column;
        }
    }
    // At rest the texture is upright at one texel per pixel, moving one texel along u per
    // column: texel (u, v) = ((column + 1 - 190) mod 256, (row - 130) mod 256).
    DrawIntroBackground(texture, {0, 1 << 24, 0, 0}, frame);
    const int index =
        texture[kIntroPaletteBytes + ((10 + 1 - 190) & 255) * 256 + ((3 - 130) & 255)];
    EXPECT_EQ(frame[3 * kIntroWidth + 10],
              Rgb(texture[index * 4 + 2], texture[index * 4 + 1], texture[index * 4]));
}

TEST(IntroBackgroundTest, StepNeedsSixtyFourBitProducts) {
    // 65536 * 33554432 overflows 32 bits; the step is exactly the zoom.
    EXPECT_EQ(IntroBackgroundStep(0, 33554432).du, 33554432);
    EXPECT_EQ(IntroBackgroundStep(0, 33554432).dv, 0);
    EXPECT_EQ(IntroBackgroundStep(16384, 33554432).du, -33554432);
    EXPECT_EQ(IntroBackgroundStep(8192 + 32768, 1 << 24).dv, 1 << 24);
}

TEST(IntroBlendTest, ShadeTintsTheObjectsRowsOnly) {
    std::vector<std::uint8_t> shade(kIntroWidth * kIntroLayerHeight);
    std::vector<std::uint32_t> frame(kIntroWidth * kIntroHeight, Rgb(16, 32, 48));
    shade[7] = 100;                        // layer row 0 -> frame row 95
    shade[129 * kIntroWidth + 379] = 255;  // layer row 129 -> frame row 224
    BlendIntroShade(shade, frame);
    // x * (255 - s) / 256 + tint * s / 256: blue 48 -> 29 + 81, green 32 -> 19 + 89,
    // red 16 -> 9 + 98.
    EXPECT_EQ(frame[95 * kIntroWidth + 7], Rgb(107, 108, 110));
    EXPECT_EQ(frame[224 * kIntroWidth + 379],
              Rgb(253 * 255 / 256, 229 * 255 / 256, 209 * 255 / 256));
    const int changed = static_cast<int>(std::count_if(
        frame.begin(), frame.end(), [](std::uint32_t p) { return p != Rgb(16, 32, 48); }));
    EXPECT_EQ(changed, 2);
}

TEST(IntroBlendTest, FrontImageTintsAndCastsItsShadowFirst) {
    const std::uint32_t base = Rgb(200, 100, 10);
    std::vector<std::uint8_t> front(kIntroFrontBytes, 0);
    std::vector<std::uint32_t> frame(kIntroWidth * kIntroHeight, base);
    const auto at = [](int row, int column) { return row * kIntroWidth + column; };
    front[at(100, 50)] = 200;
    front[at(98, 52)] = 100;  // lies in the shadow of the one above
    front[at(150, 378)] = 1;  // its shadow would fall past the right edge
    front[at(2, 30)] = 1;     // below the front image's rows
    BlendIntroFront(front, frame);

    // Pixel (100, 50): x * 200 / 256 + tint * 55 / 256.
    EXPECT_EQ(frame[at(100, 50)],
              Rgb(200 * 200 / 256 + 253 * 55 / 256, 100 * 200 / 256 + 229 * 55 / 256,
                  10 * 200 / 256 + 209 * 55 / 256));
    EXPECT_EQ(frame[at(100, 50)], Rgb(210, 127, 51));
    // Pixel (98, 52): darkened by 55 / 4 = 13 (blue floored at 0), then tinted with 100.
    EXPECT_EQ(frame[at(98, 52)], Rgb(187 * 100 / 256 + 253 * 155 / 256,
                                     87 * 100 / 256 + 229 * 155 / 256, 0 + 209 * 155 / 256));
    // Its own shadow, two rows lower and two columns right: 155 / 4 = 38 off each channel.
    EXPECT_EQ(frame[at(96, 54)], Rgb(162, 62, 0));
    EXPECT_NE(frame[at(150, 378)], base);
    EXPECT_EQ(frame[at(149, 0)], base);
    EXPECT_EQ(frame[at(2, 30)], base);
    const int changed = static_cast<int>(
        std::count_if(frame.begin(), frame.end(), [&](std::uint32_t p) { return p != base; }));
    EXPECT_EQ(changed, 4);
}

TEST(IntroRendererTest, FrameDependsOnlyOnTheState) {
    const IntroResources resources = intro_test::Resources();
    IntroRenderer once(resources), often(resources);
    const IntroFrameState state{1234, 300, 20000000, -5 << 24, 77 << 22, 1536, 40, 700};
    once.Render(state);
    std::mt19937 random(4);
    for (int i = 0; i < 20; ++i) {
        often.Render({static_cast<std::int32_t>(random() % 32768),
                      static_cast<std::int32_t>(random() % 1500), 1 << 24, 0, 0, 1536, 40,
                      static_cast<std::int32_t>(random() % 2048)});
    }
    often.Render(state);
    ASSERT_TRUE(std::equal(once.Frame().begin(), once.Frame().end(), often.Frame().begin()));
    EXPECT_EQ(once.Layers().shade, often.Layers().shade);
    // The object is there and tints the frame.
    EXPECT_TRUE(once.HasObject());
    EXPECT_TRUE(std::any_of(once.Layers().shade.begin(), once.Layers().shade.end(),
                            [](int s) { return s != 0; }));
}

TEST(IntroRendererTest, BottomRowsShowTheBackgroundAndTheFrontsShadowOnly) {
    IntroResources resources = intro_test::Resources();
    std::fill(resources.front.begin(), resources.front.end(), 0);
    IntroRenderer renderer(resources);
    const IntroFrameState state{100, 50, 1 << 24, 3 << 24, 0, 1536, 40, 9};
    renderer.Render(state);
    std::vector<std::uint32_t> background(kIntroWidth * kIntroHeight);
    DrawIntroBackground(resources.texture, {100, 1 << 24, 3 << 24, 0}, background);
    // Row 0 is background; rows 1 and 2 only take the shadow of front rows 3 and 4, whose
    // ink (0, loaded as 1) takes (255 - 1) / 4 = 63 off each channel.
    const auto shadowed = [](std::uint32_t pixel) {
        std::uint32_t result = 0;
        for (int shift = 0; shift < 24; shift += 8) {
            result |= static_cast<std::uint32_t>(std::max(int(pixel >> shift & 0xFF) - 63, 0))
                      << shift;
        }
        return result;
    };
    for (int column = 0; column < kIntroWidth; ++column) {
        ASSERT_EQ(renderer.Frame()[column], background[column]) << column;
        if (column >= 18 && column < 364) {
            ASSERT_EQ(renderer.Frame()[kIntroWidth + column],
                      shadowed(background[kIntroWidth + column]))
                << column;
        }
    }
    // Above them an all-ink front image (0 becomes 1 when loaded) leaves only its tint:
    // mul(x, 1) is 0 for every channel, and mul(tint, 254) remains.
    EXPECT_EQ(renderer.Frame()[240 * kIntroWidth + 100],
              Rgb(253 * 254 / 256, 229 * 254 / 256, 209 * 254 / 256));
}

TEST(IntroRendererTest, MalformedResourcesAreEvenedOut) {
    // Truncated, oversized and empty resources render without reading past them.
    IntroResources resources = intro_test::Resources();
    resources.mesh.resize(resources.mesh.size() - 5);
    resources.font.resize(1000);
    resources.front.resize(kIntroFrontBytes + 999, 7);
    resources.texture.clear();
    IntroRenderer renderer(resources);
    EXPECT_FALSE(renderer.HasObject());
    renderer.Render({1, 2, 1 << 24, 0, 0, 1536, 40, 3});
    EXPECT_TRUE(std::all_of(renderer.Layers().shade.begin(), renderer.Layers().shade.end(),
                            [](int s) { return s == 0; }));
    // With no texture the background is palette entry 0, black.
    EXPECT_EQ(renderer.Frame()[kIntroWidth + 5], 0u);
}

TEST(IntroRendererTest, HundredsOfFramesOverRandomStates) {
    // The sanitizer build runs this to show no fill or blend leaves its buffers.
    IntroRenderer renderer(intro_test::Resources());
    std::mt19937 random(2024);
    const auto any = [&] { return static_cast<std::int32_t>(random()); };
    int tinted = 0;
    for (int frame = 0; frame < 200; ++frame) {
        renderer.Render({any(), static_cast<std::int32_t>(random() % 3000) - 500,
                         static_cast<std::int32_t>(random() % (1 << 26)), any(), any(), any(),
                         any(), any()});
        tinted += std::any_of(renderer.Layers().shade.begin(), renderer.Layers().shade.end(),
                              [](int s) { return s != 0; });
    }
    EXPECT_GT(tinted, 130);
}

}  // namespace
}  // namespace velmora
