#pragma once

#include <array>
#include <cstdint>
#include <vector>

namespace velmora::assets {

struct MeshObject {
    std::vector<std::array<float, 3>> vertices;
    std::vector<std::array<std::uint16_t, 3>> faces;  // indices within the object
};

// The intro's object: a carousel of eight discs standing on edge round a bead held by two
// tilted rings, inside a wide flat ring; twelve parts, 572 vertices, 1108 triangles, all
// closed surfaces wound the way the intro culls them. Coordinates are as stored, the
// vertical one divided by the 0.8 that the intro applies on loading.
std::vector<MeshObject> IntroObject();

// The mesh file: "3D", 1, the object, vertex and face totals, three floats 0.3, then per
// object its counts, vertices and faces, little-endian.
std::vector<std::uint8_t> MeshFile(const std::vector<MeshObject>& objects);

}  // namespace velmora::assets
