#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "intro_test_resources.h"
#include "support/intro_glyphs.h"
#include "support/intro_scroller.h"
#include "support/intro_text.h"

namespace velmora {
namespace {

std::vector<std::uint8_t> ShiftedFont() {
    std::vector<std::uint8_t> font = intro_test::FontStrip();
    for (std::uint8_t& value : font) {
        ++value;
    }
    return font;
}

TEST(IntroTextTest, CharacterSetAndMessageMapToGlyphs) {
    ASSERT_EQ(kIntroCharacterSet.size(), 148u);
    EXPECT_EQ(kIntroCharacterSet[0], U' ');
    EXPECT_EQ(IntroGlyphNumbers(U" .q9ЁЙё"),
              (std::vector<std::uint8_t>{0, 1, 30, 29, 147, 115, 114}));
    // Every character of the message is in the set; the blanks after it are spaces.
    const std::u32string_view text = IntroScrollerText();
    const std::vector<std::uint8_t> numbers = IntroGlyphNumbers(text);
    ASSERT_EQ(numbers.size(), text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        EXPECT_EQ(numbers[i] == 0, text[i] == U' ') << i;
    }
    EXPECT_TRUE(text.starts_with(U"Уважаемые пользователи! "));
    EXPECT_TRUE(text.ends_with(U"о данной игре." + std::u32string(53, U' ')));
    EXPECT_FALSE(text.ends_with(std::u32string(54, U' ')));
}

TEST(IntroTextTest, WidthAddsUpTheGlyphsDrawn) {
    const IntroGlyphTable glyphs = FindIntroGlyphs(intro_test::FontStrip());
    const std::vector<std::uint8_t> numbers = IntroGlyphNumbers(U"a b@");
    EXPECT_EQ(IntroTextWidth(numbers, glyphs),
              glyphs[numbers[0]].width + 6 + glyphs[numbers[2]].width + 6);
}

TEST(IntroScrollerTest, OutOfSetCharacterIsDrawnAsASpace) {
    const std::vector<std::uint8_t> font = ShiftedFont();
    const IntroGlyphTable glyphs = FindIntroGlyphs(intro_test::FontStrip());
    const auto draw = [&](std::u32string_view text) {
        std::vector<std::uint8_t> front(kIntroFrontBytes, 9);
        DrawIntroScroller(font, glyphs, IntroGlyphNumbers(text), 300, front);
        return front;
    };
    EXPECT_EQ(IntroGlyphNumbers(U"#@€—")[0], 0);
    EXPECT_EQ(draw(U"Да#нет"), draw(U"Да нет"));
    EXPECT_EQ(draw(U"Да—нет"), draw(U"Да нет"));
    EXPECT_NE(draw(U"Да.нет"), draw(U"Да нет"));
}

TEST(IntroScrollerTest, GlyphsEnterFromTheRightIntoRowsFiveToTwentyFour) {
    const std::vector<std::uint8_t> font = ShiftedFont();
    const IntroGlyphTable glyphs = FindIntroGlyphs(intro_test::FontStrip());
    const std::vector<std::uint8_t> text{3, 0, 4};
    const auto fontAt = [&](int column, int row) { return font[row * kIntroFontColumns + column]; };
    const auto frontAt = [](const std::vector<std::uint8_t>& front, int column, int row) {
        return front[row * kIntroWidth + column];
    };

    // Position 0: nothing shows yet.
    std::vector<std::uint8_t> front(kIntroFrontBytes, 9);
    DrawIntroScroller(font, glyphs, text, 0, front);
    EXPECT_TRUE(std::all_of(front.begin(), front.end(), [](int v) { return v == 9; }));

    // Position 2: the first two columns of glyph 3 at 378 and 379, font row r on front row
    // 5 + r.
    DrawIntroScroller(font, glyphs, text, 2, front);
    for (int row = 0; row < kIntroFontRows; ++row) {
        EXPECT_EQ(frontAt(front, 378, 5 + row), fontAt(glyphs[3].start, row)) << row;
        EXPECT_EQ(frontAt(front, 379, 5 + row), fontAt(glyphs[3].start + 1, row)) << row;
    }
    EXPECT_EQ(frontAt(front, 377, 10), 9);
    EXPECT_EQ(frontAt(front, 378, 4), 9);
    EXPECT_EQ(frontAt(front, 378, 25), 9);

    // Further on, the blank glyph and then glyph 4 follow; the text's left part has gone
    // past the edge and is skipped.
    const int scroll = 380 + glyphs[3].width - 1;
    DrawIntroScroller(font, glyphs, text, scroll, front);
    const int glyph4At = 380 - scroll + glyphs[3].width + 6;
    EXPECT_EQ(frontAt(front, 0, 12), fontAt(glyphs[3].start + glyphs[3].width - 1, 7));
    EXPECT_EQ(frontAt(front, 1, 12), fontAt(0, 7));
    EXPECT_EQ(frontAt(front, glyph4At, 12), fontAt(glyphs[4].start, 7));
    EXPECT_NE(fontAt(glyphs[4].start, 7), 0);
}

TEST(IntroScrollerTest, EdgeFadeColumns) {
    std::vector<std::uint8_t> front(kIntroFrontBytes);
    for (std::size_t i = 0; i < front.size(); ++i) {
        front[i] = static_cast<std::uint8_t>(i * 31 % 256);
    }
    const std::vector<std::uint8_t> before = front;
    const auto set = [&](int column, int row, int value) {
        front[row * kIntroWidth + column] = static_cast<std::uint8_t>(value);
    };
    const auto get = [&](int column, int row) { return int{front[row * kIntroWidth + column]}; };
    set(0, 3, 1);      // + 255 -> clear
    set(15, 3, 200);   // + 30
    set(15, 4, 226);   // + 30 passes 255 -> clear
    set(15, 5, 0);     // clear stays clear
    set(7, 27, 100);   // + 150
    set(364, 10, 77);  // + 0
    set(379, 10, 30);  // + 225
    set(379, 11, 31);  // + 225 passes 255
    set(370, 20, 0);
    set(372, 20, 60);  // + 120
    set(16, 10, 250);  // inside, untouched
    set(363, 10, 250);
    set(5, 2, 99);  // rows outside 3..27, untouched
    set(5, 28, 99);
    const std::vector<std::uint8_t> marked = front;
    FadeIntroEdges(front);
    EXPECT_EQ(get(0, 3), 0);
    EXPECT_EQ(get(15, 3), 230);
    EXPECT_EQ(get(15, 4), 0);
    EXPECT_EQ(get(15, 5), 0);
    EXPECT_EQ(get(7, 27), 250);
    EXPECT_EQ(get(364, 10), 77);
    EXPECT_EQ(get(379, 10), 255);
    EXPECT_EQ(get(379, 11), 0);
    EXPECT_EQ(get(370, 20), 0);
    EXPECT_EQ(get(372, 20), 180);
    EXPECT_EQ(get(16, 10), 250);
    EXPECT_EQ(get(363, 10), 250);
    EXPECT_EQ(get(5, 2), 99);
    EXPECT_EQ(get(5, 28), 99);
    // Column 0 of the band is clear throughout; only the band's edges changed.
    for (int row = 3; row <= 27; ++row) {
        EXPECT_EQ(get(0, row), 0) << row;
    }
    for (int row = 0; row < kIntroHeight; ++row) {
        for (int column = 16; column < 364; ++column) {
            ASSERT_EQ(get(column, row), marked[row * kIntroWidth + column]);
        }
    }
    EXPECT_NE(before, front);
}

}  // namespace
}  // namespace velmora
