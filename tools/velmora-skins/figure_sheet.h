#pragma once

#include "assetkit/raster.h"

namespace velmora::assets {

// The "Янтарные" figures: 15 frames x 8 rows of 61-pixel cells. Rows 0/1 an amber disc
// turning green, 2/3 green turning amber, 4/5 a green disc dropping in, 6/7 an amber disc
// dropping in; even rows on the even square, odd rows on the odd square.
Raster FigureSheet();

}  // namespace velmora::assets
