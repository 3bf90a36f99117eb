#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace velmora {

// A vertex of the intro's object, centred and scaled into -3 .. 3 on every axis.
struct IntroVertex {
    float x;
    float y;
    float z;
};

// A triangle by global vertex indices, with the factor that turns its projected area
// into its shade.
struct IntroFace {
    std::array<std::uint32_t, 3> vertex;
    float shadeFactor;
};

struct IntroMesh {
    std::vector<IntroVertex> vertices;
    std::vector<IntroFace> faces;
};

// Reads the packed mesh: a 22-byte header (object, vertex and face totals at 4, 6 and 8),
// then per object u16 V, u16 C, V float triples and C u16 index triples, little-endian.
// Refuses data that is short, whose totals disagree with its objects, whose indices leave
// their object or whose coordinates are not finite.
std::optional<IntroMesh> LoadIntroMesh(std::span<const std::uint8_t> data);

}  // namespace velmora
