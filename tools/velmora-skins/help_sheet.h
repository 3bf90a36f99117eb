#pragma once

#include "assetkit/raster.h"

namespace velmora::assets {

// The "Вельморная" possible-move mark: 40 frames x 2 rows (even, odd square) of 61-pixel
// cells; a golden ring that glows up and fades away again, so the first and last frames
// are all but the bare square.
Raster HelpSheet();

// How strongly the mark shows in frame f (0..39), 0..1.
double HelpIntensity(int frame);

}  // namespace velmora::assets
