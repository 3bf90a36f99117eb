#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "support/intro_glyphs.h"

namespace velmora {
namespace {

// A blank strip with ink in the given [first, last] column ranges, in one row only so
// that the finder has to look at every row of a column.
std::vector<std::uint8_t> StripWithInk(std::initializer_list<std::pair<int, int>> runs,
                                       int row = 13) {
    std::vector<std::uint8_t> font(kIntroFontBytes, 255);
    for (const auto& [first, last] : runs) {
        for (int column = first; column <= last; ++column) {
            font[row * kIntroFontColumns + column] = 254;
        }
    }
    return font;
}

TEST(IntroGlyphsTest, FindsInkRunsAfterTheBlankGlyph) {
    // Ink inside the blank glyph's columns is never a glyph of its own.
    const auto font = StripWithInk({{2, 4}, {10, 12}, {14, 14}, {20, 29}});
    const IntroGlyphTable glyphs = FindIntroGlyphs(font);
    EXPECT_EQ(glyphs[0], (IntroGlyph{0, 6, 6}));
    EXPECT_EQ(glyphs[1], (IntroGlyph{10, 13, 4}));
    EXPECT_EQ(glyphs[2], (IntroGlyph{14, 15, 2}));
    EXPECT_EQ(glyphs[3], (IntroGlyph{20, 30, 11}));
    // Fewer glyphs than the table holds: the rest are blank.
    for (int i = 4; i < kIntroGlyphCount; ++i) {
        EXPECT_EQ(glyphs[i], kIntroBlankGlyph) << i;
    }
}

TEST(IntroGlyphsTest, FullStripFillsTheTableAndInkOnAnyRowCounts) {
    std::vector<std::uint8_t> font(kIntroFontBytes, 255);
    // 148 glyphs of 3 ink columns and 2 blank ones, each inked on a different row.
    for (int i = 0; i < kIntroGlyphCount - 1; ++i) {
        for (int column = 8 + 5 * i; column < 11 + 5 * i; ++column) {
            font[(i % kIntroFontRows) * kIntroFontColumns + column] = 0;
        }
    }
    const IntroGlyphTable glyphs = FindIntroGlyphs(font);
    for (int i = 1; i < kIntroGlyphCount; ++i) {
        EXPECT_EQ(glyphs[i], (IntroGlyph{8 + 5 * (i - 1), 11 + 5 * (i - 1), 4})) << i;
    }
}

TEST(IntroGlyphsTest, StaysInsideTheStripAtItsEnd) {
    // A glyph running into the last column ends on a virtual blank column past the strip.
    const auto font = StripWithInk({{100, 101}, {kIntroFontColumns - 3, kIntroFontColumns - 1}});
    const IntroGlyphTable glyphs = FindIntroGlyphs(font);
    EXPECT_EQ(glyphs[1], (IntroGlyph{100, 102, 3}));
    EXPECT_EQ(glyphs[2], (IntroGlyph{kIntroFontColumns - 3, kIntroFontColumns, 4}));
    EXPECT_EQ(glyphs[3], kIntroBlankGlyph);

    // A truncated strip reads as blank where its bytes are missing.
    std::vector<std::uint8_t> shortStrip(font.begin(), font.begin() + 100);
    shortStrip[50] = 0;
    const IntroGlyphTable fromShort = FindIntroGlyphs(shortStrip);
    EXPECT_EQ(fromShort[1], (IntroGlyph{50, 51, 2}));
    EXPECT_EQ(fromShort[2], kIntroBlankGlyph);
}

}  // namespace
}  // namespace velmora
