#include "font_strip.h"

#include <QString>
#include <cmath>
#include <cstdio>
#include <string>

#include "assetkit/text.h"
#include "support/intro_sizes.h"
#include "support/intro_text.h"

namespace velmora::assets {

namespace {

constexpr int kRows = kIntroFontRows;
constexpr int kColumns = kIntroFontColumns;
constexpr std::uint8_t kBlank = 255;
constexpr std::uint8_t kBridge = 254;  // counts as ink for the glyph finder, blends as clear
constexpr double kSize = 15.5;         // pixels per em
constexpr int kBaseline = 15;          // top-down row of the baseline: 4 rows for descenders

QString Character(char32_t c) {
    return QString::fromUcs4(&c, 1);
}

}  // namespace

std::vector<std::uint8_t> FontStrip() {
    // Top-down while drawing; flipped when done.
    std::vector<std::uint8_t> strip(static_cast<size_t>(kColumns) * kRows, kBlank);
    std::u32string characters(kIntroCharacterSet.substr(1));
    characters.push_back(U'\u25CF');  // the extra glyph: a disc
    int cursor = kIntroBlankGlyph.end + 2;
    for (char32_t ch : characters) {
        QPainterPath path = TextPath(Character(ch), FontFace::SansBold, kSize);
        QRectF box = path.boundingRect();
        const int left = static_cast<int>(std::floor(box.left()));
        const int width = static_cast<int>(std::ceil(box.right())) - left + 1;
        Plane mask = PathMask(path.translated(-left, kBaseline), width, kRows, 8);
        int first = -1, last = -1;
        std::vector<std::uint8_t> cells(static_cast<size_t>(width) * kRows, kBlank);
        for (int x = 0; x < width; ++x)
            for (int y = 0; y < kRows; ++y) {
                double cover = mask.At(x, y);
                if (cover < 0.06)
                    continue;  // faint fringes would only widen the glyph
                cells[static_cast<size_t>(y) * width + x] =
                    static_cast<std::uint8_t>(std::lround(255 * (1 - std::min(cover, 1.0))));
                if (first < 0)
                    first = x;
                last = x;
            }
        if (first < 0 || cursor + (last - first) + 3 > kColumns) {
            std::fprintf(stderr, "velmora-intro: glyph U+%04X does not fit\n",
                         static_cast<unsigned>(ch));
            return {};
        }
        for (int x = first; x <= last; ++x) {
            bool inked = false;
            for (int y = 0; y < kRows; ++y) {
                std::uint8_t v = cells[static_cast<size_t>(y) * width + x];
                strip[static_cast<size_t>(y) * kColumns + cursor] = v;
                inked = inked || v < kBlank;
            }
            if (!inked)
                strip[static_cast<size_t>(kBaseline - 1) * kColumns + cursor] = kBridge;
            ++cursor;
        }
        strip[static_cast<size_t>(kBaseline - 1) * kColumns + cursor] = kBridge;  // letter spacing
        cursor += 2;                                                              // and the blank
    }
    std::vector<std::uint8_t> bottomUp(strip.size());
    for (int y = 0; y < kRows; ++y)
        std::copy_n(strip.begin() + static_cast<long>(y) * kColumns, kColumns,
                    bottomUp.begin() + static_cast<long>(kRows - 1 - y) * kColumns);
    std::printf("font strip: %d of %d columns used\n", cursor, kColumns);
    return bottomUp;
}

}  // namespace velmora::assets
