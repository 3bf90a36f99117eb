#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "support/intro_glyphs.h"

namespace velmora {

// The characters the font strip holds, in glyph order: character p is drawn with glyph p.
extern const std::u32string_view kIntroCharacterSet;

// The scroller's line: the author's message followed by the blank run that lets it
// leave the picture before it starts again.
std::u32string_view IntroScrollerText();

// Glyph numbers of a text; a character the font does not hold becomes 0, the blank.
std::vector<std::uint8_t> IntroGlyphNumbers(std::u32string_view text);

// The scroller text's width in pixels: the widths of its glyphs added up.
int IntroTextWidth(const std::vector<std::uint8_t>& glyphNumbers, const IntroGlyphTable& glyphs);

}  // namespace velmora
