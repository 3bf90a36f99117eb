#pragma once

#include "support/image_loader.h"

namespace velmora {

// Stand-in pictures for skin files that are missing or unusable: the same size and sprite
// layout as the real ones, plain but enough to play with.

// 15 x 8 cells of `cell` pixels: flip rows, placing rows, discs at rest.
PixelImage MakeFallbackFigures(int cell);
// 40 x 2 cells of `cell` pixels: a dot that swells and fades over the 40 frames.
PixelImage MakeFallbackHelp(int cell);
// A plain border strip sheet.
PixelImage MakeFallbackBorder(int width, int height);

}  // namespace velmora
