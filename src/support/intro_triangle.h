#pragma once

#include <cstdint>

#include "support/intro_layers.h"

namespace velmora {

// A corner of a triangle in pixels: y counts down from the top of the object's picture,
// whose row y is layer row kIntroLayerHeight - y.
struct IntroCorner {
    double x;
    double y;
    double depth;
};

// Fills a triangle into the layers row by row between its rounded top and bottom rows,
// interpolating depth along the edges and across each span; a pixel takes the shade
// when it passes the depth test. Nothing outside the layers is touched, whatever the
// corners; corners that are not finite draw nothing.
void FillIntroTriangle(IntroCorner a, IntroCorner b, IntroCorner c, std::uint8_t shade,
                       IntroLayers& layers);

}  // namespace velmora
