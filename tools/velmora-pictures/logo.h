#pragma once

#include "assetkit/raster.h"

namespace velmora::assets {

// The start-up logo, 252 x 125: two discs meeting on the board and the program's name,
// in Russian or in English.
Raster StartupLogo(bool russian);

}  // namespace velmora::assets
