#pragma once

#include "assetkit/raster.h"

namespace velmora::assets {

// The border of a whole board picture of side n x cell + 40 ("Вельморное" light, "Тёмное"
// dark), with the column letters along the top and bottom and the row numbers (n at the
// top) along the sides; only its outer 20-pixel ring is meaningful.
Raster BoardFrame(int n, bool dark);

struct BorderImages {
    Raster lineh;  // 530 x 80: 8 x 8 top, 8 x 8 bottom, 10 x 10 top, 10 x 10 bottom strips
    Raster linev;  // 80 x 490: 8 x 8 left, 8 x 8 right, 10 x 10 left, 10 x 10 right strips
};

// Cuts the strips out of both board sizes' frames in the layout the board renderer copies.
BorderImages BorderStrips(bool dark);

}  // namespace velmora::assets
