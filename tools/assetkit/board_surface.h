#pragma once

#include "assetkit/raster.h"

namespace velmora::assets {

// The two close tones of the dark warm taupe board surface.
Vec3 EvenSquareColour();
Vec3 OddSquareColour();

// One board square of `size` pixels: fine grain, a faint light edge at its top and left
// and a dark seam at its bottom and right, so that squares side by side show a grid.
Raster BoardSquare(int size, bool even);

}  // namespace velmora::assets
