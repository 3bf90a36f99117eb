#pragma once

#include "assetkit/raster.h"

namespace velmora::assets {

// The application icon at `size` pixels: a framed corner of the board with the four
// starting discs, on a transparent ground.
Raster AppIcon(int size);

}  // namespace velmora::assets
