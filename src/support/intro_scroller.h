#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "support/intro_glyphs.h"

namespace velmora {

// Rows of the front image that the scroller writes: the font strip's rows go to the
// front image's rows kIntroScrollerFirstRow and up.
constexpr int kIntroScrollerFirstRow = 5;
// Rows of the front image whose ends fade out.
constexpr int kIntroFadeFirstRow = 3;
constexpr int kIntroFadeLastRow = 27;
constexpr int kIntroFadeColumns = 16;

// Writes the text (glyph numbers) into the front image with its first glyph at column
// kIntroWidth - scrollPos; glyph columns outside the image are skipped. `font` is the
// strip with blank as 0; columns past its end draw blank.
void DrawIntroScroller(std::span<const std::uint8_t> font, const IntroGlyphTable& glyphs,
                       const std::vector<std::uint8_t>& text, int scrollPos,
                       std::span<std::uint8_t> front);

// Fades the ends of the scroller band: in its rows, a value v of column c of the 16 on the
// left gains 255 - 15c and of column 364 + c on the right gains 15c; a value that was 0 or
// passes 255 becomes 0 (clear).
void FadeIntroEdges(std::span<std::uint8_t> front);

}  // namespace velmora
