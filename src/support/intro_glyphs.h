#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "support/intro_sizes.h"

namespace velmora {

// One glyph of the font strip: the scroller copies `width` columns from `start`, which
// include the blank column `end` that separates it from the next glyph.
struct IntroGlyph {
    int start;
    int end;
    int width;

    bool operator==(const IntroGlyph&) const = default;
};

constexpr IntroGlyph kIntroBlankGlyph{0, 6, 6};

using IntroGlyphTable = std::array<IntroGlyph, kIntroGlyphCount>;

// Finds the glyphs of a font strip (kIntroFontColumns x kIntroFontRows, row-major,
// 255 = blank), before its bytes are shifted for blending. Glyph 0 is the 6-column
// blank; glyph i is the i-th run of inked columns after column 6. A strip holding fewer
// glyphs ends the table with blank glyphs; bytes missing from a short strip count as blank.
IntroGlyphTable FindIntroGlyphs(std::span<const std::uint8_t> font);

}  // namespace velmora
