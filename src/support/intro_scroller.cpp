#include "support/intro_scroller.h"

#include <algorithm>

namespace velmora {

namespace {

std::uint8_t Faded(std::uint8_t value, int gain) {
    const int sum = value + gain;
    return value == 0 || sum > 255 ? 0 : static_cast<std::uint8_t>(sum);
}

}  // namespace

void DrawIntroScroller(std::span<const std::uint8_t> font, const IntroGlyphTable& glyphs,
                       const std::vector<std::uint8_t>& text, int scrollPos,
                       std::span<std::uint8_t> front) {
    if (front.size() < static_cast<std::size_t>(kIntroFrontBytes)) {
        return;
    }
    std::int64_t x = std::int64_t{kIntroWidth} - scrollPos;
    for (const std::uint8_t number : text) {
        if (x >= kIntroWidth) {
            break;
        }
        const IntroGlyph& glyph = glyphs[number < kIntroGlyphCount ? number : 0];
        const int first = static_cast<int>(std::max<std::int64_t>(0, -x));
        const int last = static_cast<int>(std::min<std::int64_t>(glyph.width, kIntroWidth - x));
        for (int k = first; k < last; ++k) {
            const int column = static_cast<int>(x + k);
            const int fontColumn = glyph.start + k;
            for (int row = 0; row < kIntroFontRows; ++row) {
                const std::size_t source =
                    static_cast<std::size_t>(row) * kIntroFontColumns + fontColumn;
                front[(kIntroScrollerFirstRow + row) * kIntroWidth + column] =
                    fontColumn >= 0 && fontColumn < kIntroFontColumns && source < font.size()
                        ? font[source]
                        : 0;
            }
        }
        x += glyph.width;
    }
}

void FadeIntroEdges(std::span<std::uint8_t> front) {
    if (front.size() < static_cast<std::size_t>(kIntroFrontBytes)) {
        return;
    }
    for (int row = kIntroFadeFirstRow; row <= kIntroFadeLastRow; ++row) {
        std::uint8_t* line = front.data() + row * kIntroWidth;
        for (int c = 0; c < kIntroFadeColumns; ++c) {
            line[c] = Faded(line[c], 255 - 15 * c);
            line[kIntroWidth - kIntroFadeColumns + c] =
                Faded(line[kIntroWidth - kIntroFadeColumns + c], 15 * c);
        }
    }
}

}  // namespace velmora
