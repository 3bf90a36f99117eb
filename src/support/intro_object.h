#pragma once

#include <cstdint>
#include <vector>

#include "support/intro_layers.h"
#include "support/intro_mesh.h"

namespace velmora {

// A vertex of the current frame after rotation and perspective.
struct IntroProjected {
    float x;
    float y;
    float depth;
};

// The object's angles in 2048ths of a turn (any value; only the low 11 bits count).
struct IntroAngles {
    int tiltX;
    int tiltY;
    int spin;
};

// Turns the mesh, projects it and fills its front-facing triangles into the layers, which
// the caller has cleared. `projected` is scratch space kept between frames.
void DrawIntroObject(const IntroMesh& mesh, IntroAngles angles,
                     std::vector<IntroProjected>& projected, IntroLayers& layers);

// A front-facing triangle's shade from its projected area: the low 8 bits of the area
// times the face's factor, rounded to the nearest integer (0 when out of range).
std::uint8_t IntroFaceShade(double area, float shadeFactor);

}  // namespace velmora
