#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "intro_test_resources.h"
#include "support/intro.h"
#include "support/intro_background.h"
#include "support/intro_blend.h"
#include "support/intro_glyphs.h"
#include "support/intro_scroller.h"
#include "support/intro_state.h"
#include "support/intro_text.h"

namespace velmora {
namespace {

constexpr int kWidth = 1000;  // the scroller text's, for the state

std::uint32_t Rgb(int r, int g, int b) {
    return static_cast<std::uint32_t>(r << 16 | g << 8 | b);
}

int Changed(const std::vector<std::uint32_t>& frame, std::uint32_t base) {
    return static_cast<int>(
        std::count_if(frame.begin(), frame.end(), [&](std::uint32_t p) { return p != base; }));
}

void ExpectSame(const IntroState& actual, const IntroState& expected) {
    EXPECT_EQ(actual.Frame(), expected.Frame());
    EXPECT_EQ(actual.direction, expected.direction);
    EXPECT_EQ(actual.swing, expected.swing);
    EXPECT_EQ(actual.speed, expected.speed);
    EXPECT_EQ(actual.swingLimit, expected.swingLimit);
}

// One tick from a given state, where the swing does not turn round (the limit stays): the speed
// clamped and the angle wrapping; turning back; the zoom held at its top while the position wraps
// round; the zoom held at its bottom; the object's angles wrapping.
TEST(IntroStateTest, OneTickMovesTheBackgroundWithTheClampedSwing) {
    constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
    constexpr std::int32_t kLow = 1 << 23, kOne = 1 << 24, kHigh = 1 << 25, kStep = 1 << 18;
    // Direction, swing, speed, swingLimit, backAngle, scrollPos, backZoom, backU, backV, tiltX,
    // tiltY, spin: before, then after.
    // clang-format off
    const IntroState cases[][2] = {
        {{1, 120, 0, 200, 32700, 0, kOne, 0, 0, 1536, 40, 0},
         {1, 121, 80, 200, 12, 1, kOne + 80 * 512, 80 * kStep, 80 * kStep, 1536, 40, 1}},
        {{-1, -30, 0, 200, 10, 5, kOne, 0, 0, 1536, 40, 7},
         {-1, -31, -30, 200, 32748, 6, kOne - 30 * 512, -30 * kStep, -30 * kStep, 1536, 40, 8}},
        {{1, 50, 0, 1000, 0, 0, kHigh, kMax, 0, 1536, 40, 0},
         {1, 51, 50, 1000, 50, 1, kHigh, -2134376449, 50 * kStep, 1536, 40, 1}},
        {{-1, -50, 0, 1000, 0, 0, kLow, 0, 0, 1536, 40, 0},
         {-1, -51, -50, 1000, 32718, 1, kLow, -50 * kStep, -50 * kStep, 1536, 40, 1}},
        {{1, 0, 0, 200, 0, 0, kOne, 0, 0, 2050, 2048, 2047},
         {1, 1, 0, 200, 0, 1, kOne, 0, 0, 2, 0, 0}},
    };
    // clang-format on
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE(i);
        std::mt19937 random(1);
        IntroState s = cases[i][0];
        AdvanceIntroState(s, kWidth, random);
        ExpectSame(s, cases[i][1]);
    }
}

TEST(IntroStateTest, StartsAtRestThenTheSwingTurnsPastItsLimitAndTheScrollerRestarts) {
    std::mt19937 random(3);
    IntroState s = InitialIntroState(random);
    EXPECT_GE(s.swingLimit, 150);
    EXPECT_LE(s.swingLimit, 249);
    ExpectSame(s, {1, 0, 0, s.swingLimit, 0, 0, 16777216, 0, 0, 1536, 40, 0});
    int turns = 0;
    for (int tick = 1; tick <= 5000; ++tick) {
        const int direction = s.direction;
        const int limit = s.swingLimit;
        AdvanceIntroState(s, kWidth, random);
        if (s.direction != direction) {
            ++turns;
            // It turns on the tick after passing the limit, one step back inside.
            EXPECT_EQ(s.swing, direction * limit);
            EXPECT_GE(s.swingLimit, 150);
            EXPECT_LE(s.swingLimit, 249);
        }
        EXPECT_LE(std::abs(s.swing), 250);
        // After width + 440 ticks the scroller starts again.
        ASSERT_EQ(s.scrollPos, tick % (kWidth + 441));
    }
    EXPECT_GE(turns, 5);
}

TEST(IntroGlyphsTest, FindsInkRunsAfterTheBlankGlyph) {
    constexpr int kEnd = kIntroFontColumns;
    struct Case {
        int row;                               // the only row inked, so that every row counts
        std::vector<std::pair<int, int>> ink;  // column ranges
        std::vector<IntroGlyph> expected;      // glyphs 1 and on; the rest are blank
        std::size_t size = kIntroFontBytes;
    };
    const Case cases[] = {
        // Ink inside the blank glyph's columns is never a glyph of its own.
        {19, {{2, 4}, {10, 12}, {14, 14}, {20, 29}}, {{10, 13, 4}, {14, 15, 2}, {20, 30, 11}}},
        // A glyph running into the last column ends on a virtual blank column past it.
        {0, {{100, 101}, {kEnd - 3, kEnd - 1}}, {{100, 102, 3}, {kEnd - 3, kEnd, 4}}},
        // A truncated strip reads as blank where its bytes are missing.
        {13, {{50, 50}, {120, 121}}, {{50, 51, 2}}, 13 * kIntroFontColumns + 100},
    };
    for (const Case& c : cases) {
        std::vector<std::uint8_t> font(kIntroFontBytes, 255);
        for (const auto& [first, last] : c.ink) {
            std::fill_n(font.begin() + c.row * kEnd + first, last - first + 1, 254);
        }
        font.resize(c.size);
        const IntroGlyphTable glyphs = FindIntroGlyphs(font);
        EXPECT_EQ(glyphs[0], (IntroGlyph{0, 6, 6})) << c.row;
        for (int i = 1; i < kIntroGlyphCount; ++i) {
            const std::size_t k = static_cast<std::size_t>(i - 1);
            const IntroGlyph expected = k < c.expected.size() ? c.expected[k] : IntroGlyph{0, 6, 6};
            EXPECT_EQ(glyphs[i], expected) << c.row << " " << i;
        }
    }
}

TEST(IntroTextTest, MessageAndCharacterSetMapToGlyphs) {
    EXPECT_EQ(IntroScrollerText(),
              U"Уважаемые пользователи! Я, автор этой программы, рад, что Вы решили сыграть "
              U"партию-другую в эту игру. Я надеюсь, что эта реализация игры \"Реверси\" Вам "
              U"действительно понравилась. Если это так, или не так - сообщите мне своё мнение. "
              U"Я буду рад получить от Вас отклик о данной игре." +
                  std::u32string(53, U' '));
    EXPECT_EQ(IntroGlyphNumbers(U" .q9ЁЙё#@€—"),
              (std::vector<std::uint8_t>{0, 1, 30, 29, 147, 115, 114, 0, 0, 0, 0}));
    // Every character of the message is in the set; one outside it is drawn as a space.
    const std::vector<std::uint8_t> numbers = IntroGlyphNumbers(IntroScrollerText());
    EXPECT_EQ(std::count(numbers.begin(), numbers.end(), 0),
              std::count(IntroScrollerText().begin(), IntroScrollerText().end(), U' '));
    // Glyph i of the test strip is i % 7 + 2 wide: 'a' (40) 7, 'b' (53) 6, the blank 6.
    EXPECT_EQ(IntroTextWidth(IntroGlyphNumbers(U"a b@"), FindIntroGlyphs(intro_test::FontStrip())),
              25);
}

TEST(IntroScrollerTest, GlyphsEnterFromTheRightIntoRowsFiveToTwentyFour) {
    std::vector<std::uint8_t> font = intro_test::FontStrip();
    const IntroGlyphTable glyphs = FindIntroGlyphs(font);
    for (std::uint8_t& value : font) {
        ++value;  // blank becomes 0, as the renderer prepares it
    }
    const auto draw = [&](const std::vector<std::uint8_t>& text, int position) {
        std::vector<std::uint8_t> front(kIntroFrontBytes, 9);
        DrawIntroScroller(font, glyphs, text, position, front);
        return front;
    };
    const auto fontAt = [&](int column, int row) { return font[row * kIntroFontColumns + column]; };

    // Position 0: nothing shows yet.
    const std::vector<std::uint8_t> numbers{3, 0, 4};
    EXPECT_EQ(draw(numbers, 0), std::vector<std::uint8_t>(kIntroFrontBytes, 9));

    // Position 2: the first two columns of glyph 3 at 378 and 379, font row r on front row 5 + r.
    std::vector<std::uint8_t> front = draw(numbers, 2);
    const auto frontAt = [&](int column, int row) { return front[row * kIntroWidth + column]; };
    for (int row = 0; row < kIntroFontRows; ++row) {
        EXPECT_EQ(frontAt(378, 5 + row), fontAt(glyphs[3].start, row)) << row;
        EXPECT_EQ(frontAt(379, 5 + row), fontAt(glyphs[3].start + 1, row)) << row;
    }
    EXPECT_EQ(frontAt(377, 10), 9);
    EXPECT_EQ(frontAt(378, 4), 9);
    EXPECT_EQ(frontAt(378, 25), 9);

    // Further on, the blank glyph and then glyph 4 follow; the text's left part has gone past the
    // edge and is skipped.
    const int scroll = 380 + glyphs[3].width - 1;
    front = draw(numbers, scroll);
    EXPECT_EQ(frontAt(0, 12), fontAt(glyphs[3].start + glyphs[3].width - 1, 7));
    EXPECT_EQ(frontAt(1, 12), fontAt(0, 7));
    EXPECT_EQ(frontAt(380 - scroll + glyphs[3].width + 6, 12), fontAt(glyphs[4].start, 7));
    EXPECT_NE(fontAt(glyphs[4].start, 7), 0);
}

TEST(IntroScrollerTest, EdgeFadeColumns) {
    std::vector<std::uint8_t> front(kIntroFrontBytes);
    for (std::size_t i = 0; i < front.size(); ++i) {
        front[i] = static_cast<std::uint8_t>(i * 31 % 256);
    }
    // Column, row, value before, value after: + 255 -> clear, + 30, + 30 passes 255 -> clear, clear
    // stays clear, + 150; + 0, + 225, + 225 passes 255, + 120.
    const int cases[][4] = {{0, 3, 1, 0},       {15, 3, 200, 230}, {15, 4, 226, 0},
                            {15, 5, 0, 0},      {7, 27, 100, 250}, {364, 10, 77, 77},
                            {379, 10, 30, 255}, {379, 11, 31, 0},  {372, 20, 60, 180}};
    for (const auto& c : cases) {
        front[c[1] * kIntroWidth + c[0]] = static_cast<std::uint8_t>(c[2]);
    }
    const std::vector<std::uint8_t> marked = front;
    FadeIntroEdges(front);
    for (const auto& c : cases) {
        EXPECT_EQ(front[c[1] * kIntroWidth + c[0]], c[3]) << c[0] << " " << c[1];
    }
    // Nothing else changed.
    for (std::size_t i = 0; i < front.size(); ++i) {
        const std::size_t row = i / kIntroWidth, column = i % kIntroWidth;
        if (row < 3 || row > 27 || (column >= 16 && column < 364)) {
            ASSERT_EQ(front[i], marked[i]) << row << " " << column;
        }
    }
}

TEST(IntroBackgroundTest, TextureTurnsZoomsAndSlidesRoundTheFrameCentre) {
    const std::vector<std::uint8_t> texture = intro_test::Texture();
    const auto texel = [&](int u, int v) {
        const int index = texture[kIntroPaletteBytes + (u & 255) * 256 + (v & 255)];
        return Rgb(texture[index * 4 + 2], texture[index * 4 + 1], texture[index * 4]);
    };
    // The texel of pixel (row from the bottom, column) is (u0 + uc * column + ur * row, v0 + vc *
    // column + vr * row): at rest the texture is upright, one texel per pixel, with texel (0, 0)
    // just left of the frame centre.
    struct Case {
        const char* name;
        IntroBackgroundView view;
        int u0, uc, ur, v0, vc, vr;
    };
    const Case cases[] = {
        {"at rest", {0, 1 << 24, 0, 0}, -189, 1, 0, -130, 0, 1},
        {"moved", {0, 1 << 24, 5 << 24, -(3 << 24)}, -184, 1, 0, -133, 0, 1},
        {"quarter turn", {8192, 1 << 24, 0, 0}, 130, 0, -1, -189, 1, 0},
        {"half turn, wrapping", {16384 + 32768, 1 << 24, 0, 0}, 189, -1, 0, 130, 0, -1},
        {"zoomed out twice (products past 32 bits)", {0, 1 << 25, 0, 0}, -378, 2, 0, -260, 0, 2},
    };
    std::vector<std::uint32_t> frame(kIntroWidth * kIntroHeight);
    for (const Case& c : cases) {
        DrawIntroBackground(texture, c.view, frame);
        int wrong = 0;
        for (int row = 0; row < kIntroHeight; ++row) {
            for (int x = 0; x < kIntroWidth; ++x) {
                wrong += frame[row * kIntroWidth + x] !=
                         texel(c.u0 + c.uc * x + c.ur * row, c.v0 + c.vc * x + c.vr * row);
            }
        }
        EXPECT_EQ(wrong, 0) << c.name;
    }
}

TEST(IntroBlendTest, ShadeAndFrontImageTintAndTheFrontCastsItsShadowFirst) {
    const auto at = [](int row, int column) { return row * kIntroWidth + column; };
    std::vector<std::uint8_t> shade(kIntroWidth * kIntroLayerHeight);
    std::vector<std::uint32_t> frame(kIntroWidth * kIntroHeight, Rgb(16, 32, 48));
    shade[7] = 100;                        // layer row 0 -> frame row 95
    shade[129 * kIntroWidth + 379] = 255;  // layer row 129 -> frame row 224
    BlendIntroShade(shade, frame);
    // x * (255 - s) / 256 + tint * s / 256, tint (253, 229, 209).
    EXPECT_EQ(frame[at(95, 7)], Rgb(107, 108, 110));
    EXPECT_EQ(frame[at(224, 379)], Rgb(252, 228, 208));
    EXPECT_EQ(Changed(frame, Rgb(16, 32, 48)), 2);

    const std::uint32_t base = Rgb(200, 100, 10);
    std::vector<std::uint8_t> front(kIntroFrontBytes, 0);
    frame.assign(frame.size(), base);
    front[at(100, 50)] = 200;
    front[at(98, 52)] = 100;  // lies in the shadow of the one above
    front[at(150, 378)] = 1;  // its shadow would fall past the right edge
    front[at(2, 30)] = 1;     // below the front image's rows
    BlendIntroFront(front, frame);
    // x * a / 256 + tint * (255 - a) / 256.
    EXPECT_EQ(frame[at(100, 50)], Rgb(210, 127, 51));
    // Darkened by 55 / 4 = 13 (blue floored at 0), then tinted with 100.
    EXPECT_EQ(frame[at(98, 52)], Rgb(226, 171, 126));
    // Its own shadow, two rows lower and two columns right: 155 / 4 = 38 off each channel.
    EXPECT_EQ(frame[at(96, 54)], Rgb(162, 62, 0));
    EXPECT_NE(frame[at(150, 378)], base);
    EXPECT_EQ(Changed(frame, base), 4);
}

TEST(IntroRendererTest, FrameDependsOnlyOnTheStateWhateverCameBefore) {
    const IntroResources resources = intro_test::Resources();
    IntroRenderer once(resources), often(resources);
    const IntroFrameState state{1234, 300, 20000000, -5 << 24, 77 << 22, 1536, 40, 700};
    once.Render(state);
    EXPECT_TRUE(once.HasObject());
    // Hundreds of frames over random states first; the sanitizer build runs this to show that no
    // fill or blend leaves its buffers.
    std::mt19937 random(2024);
    const auto any = [&] { return static_cast<std::int32_t>(random()); };
    int tinted = 0;
    for (int frame = 0; frame < 200; ++frame) {
        often.Render({any(), static_cast<std::int32_t>(random() % 3000) - 500,
                      static_cast<std::int32_t>(random() % (1 << 26)), any(), any(), any(), any(),
                      any()});
        // Every tinted pixel carries the depth of the face that tinted it.
        const IntroLayers& layers = often.Layers();
        for (std::size_t i = 0; i < layers.shade.size(); ++i) {
            ASSERT_TRUE(layers.shade[i] == 0 || layers.depth[i] < 0) << frame << " " << i;
        }
        tinted += layers.shade != std::vector<std::uint8_t>(layers.shade.size());
    }
    EXPECT_GT(tinted, 130);
    often.Render(state);
    ASSERT_TRUE(std::equal(once.Frame().begin(), once.Frame().end(), often.Frame().begin()));
    EXPECT_EQ(once.Layers().shade, often.Layers().shade);
}

TEST(IntroRendererTest, BottomRowsShowTheBackgroundAndTheFrontsShadowOnly) {
    IntroResources resources = intro_test::Resources();
    std::fill(resources.front.begin(), resources.front.end(), 0);
    IntroRenderer renderer(resources);
    renderer.Render({100, 50, 1 << 24, 3 << 24, 0, 1536, 40, 9});
    std::vector<std::uint32_t> background(kIntroWidth * kIntroHeight);
    DrawIntroBackground(resources.texture, {100, 1 << 24, 3 << 24, 0}, background);
    // Row 0 is background; rows 1 and 2 only take the shadow of front rows 3 and 4, whose ink
    // (0, loaded as 1) takes (255 - 1) / 4 = 63 off each channel.
    for (int column = 0; column < kIntroWidth; ++column) {
        ASSERT_EQ(renderer.Frame()[column], background[column]) << column;
        for (int shift = 0; shift < 24 && column >= 18 && column < 364; shift += 8) {
            ASSERT_EQ(int(renderer.Frame()[kIntroWidth + column] >> shift & 0xFF),
                      std::max(int(background[kIntroWidth + column] >> shift & 0xFF) - 63, 0))
                << column;
        }
    }
    // Above them an all-ink front image leaves only its tint: mul(tint, 254).
    EXPECT_EQ(renderer.Frame()[240 * kIntroWidth + 100], Rgb(251, 227, 207));
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

TEST(IntroTest, RendersOnlyWhenTheStateChanged) {
    Intro intro(intro_test::Resources(), 1);
    IntroFrameState state{1, 2, 1 << 24, 0, 0, 1536, 40, 3};
    EXPECT_TRUE(intro.RenderIfChanged(state));
    EXPECT_FALSE(intro.RenderIfChanged(state));
    ++state.backV;
    EXPECT_TRUE(intro.RenderIfChanged(state));
}

}  // namespace
}  // namespace velmora
