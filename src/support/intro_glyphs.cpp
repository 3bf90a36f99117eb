#include "support/intro_glyphs.h"

#include <cstddef>

namespace velmora {

namespace {

bool ColumnIsBlank(std::span<const std::uint8_t> font, int column) {
    for (int row = 0; row < kIntroFontRows; ++row) {
        const std::size_t index = static_cast<std::size_t>(row) * kIntroFontColumns + column;
        if (index < font.size() && font[index] < 255) {
            return false;
        }
    }
    return true;
}

}  // namespace

IntroGlyphTable FindIntroGlyphs(std::span<const std::uint8_t> font) {
    IntroGlyphTable glyphs;
    glyphs.fill(kIntroBlankGlyph);
    int column = kIntroBlankGlyph.end + 1;
    for (int i = 1; i < kIntroGlyphCount; ++i) {
        while (column < kIntroFontColumns && ColumnIsBlank(font, column)) {
            ++column;
        }
        if (column >= kIntroFontColumns) {
            break;  // the rest stay blank
        }
        const int start = column;
        int end = start + 1;
        // A glyph touching the strip's last column ends on a virtual blank column past it.
        while (end < kIntroFontColumns && !ColumnIsBlank(font, end)) {
            ++end;
        }
        glyphs[i] = IntroGlyph{start, end, end - start + 1};
        column = end + 1;
    }
    return glyphs;
}

}  // namespace velmora
