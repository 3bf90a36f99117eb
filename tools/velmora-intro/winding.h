#pragma once

#include <vector>

#include "mesh.h"

namespace velmora::assets {

// Whether the intro, which draws only triangles whose projected area is positive, shows
// the faces of the object that look towards the viewer: loads the object as the intro does
// (z times 0.8, centred, scaled, mirrored) and compares the depths of the faces it keeps
// with those it drops.
bool FrontFacesKept(const std::vector<MeshObject>& objects);

// The fewest pixels between the object and the top or bottom of its 130-row band over a
// whole turn of the intro's spin (negative when it leaves the band).
double BandMargin(const std::vector<MeshObject>& objects);

// Turns every triangle of every part round.
void ReverseWinding(std::vector<MeshObject>& objects);

}  // namespace velmora::assets
