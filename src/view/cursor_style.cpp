#include "view/cursor_style.h"

#include <cmath>

#include "view/pixel_surface.h"

namespace velmora {

namespace {

int Rounded(double value) {
    return static_cast<int>(std::lround(value));
}

void BuildFlamePalettes(CursorStyle& style) {
    for (int i = 0; i < 256; ++i) {
        int g = i / 2;
        if (i > 90) {
            g += (i - 90) / 3;
        }
        style.flamePaletteEven[i] =
            PixelOf(Rounded(0.8 * i), Rounded(0.76 * g), Rounded(0.72 * (i / 3)));
        const int oddGreen = i / 2 + (i > 130 ? i - 130 : 0);
        style.flamePaletteOdd[i] = PixelOf(i, oddGreen, i / 3);
    }
}

}  // namespace

void SetCursorStyle(CursorStyle& style, int index) {
    style.flameCursor = true;
    style.frameColor1 = CursorStyle::kFrameColor1;
    style.frameColor2 = CursorStyle::kFrameColor2;
    if (index == 1) {
        BuildFlamePalettes(style);
    } else {
        style.flameCursor = false;
    }
}

}  // namespace velmora
