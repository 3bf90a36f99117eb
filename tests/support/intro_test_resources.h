#pragma once

// Synthetic intro resources for the tests: small, made here, shaped like the real ones.

#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <optional>
#include <vector>

#include "support/intro_resources.h"
#include "support/intro_sizes.h"

namespace velmora::intro_test {

struct MeshObject {
    std::vector<std::array<float, 3>> vertices;
    std::vector<std::array<std::uint16_t, 3>> faces;
};

// Little-endian, as the mesh resource stores its numbers.
inline void Put(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes = 2) {
    for (int i = 0; i < bytes; ++i) {
        out.push_back(static_cast<std::uint8_t>(value >> 8 * i));
    }
}

// The mesh resource's bytes; the header's totals are the objects' unless overridden.
inline std::vector<std::uint8_t> PackMesh(const std::vector<MeshObject>& objects,
                                          std::optional<unsigned> totalVertices = {},
                                          std::optional<unsigned> totalFaces = {}) {
    std::vector<std::uint8_t> body;
    unsigned vertices = 0, faces = 0;
    for (const MeshObject& object : objects) {
        vertices += static_cast<unsigned>(object.vertices.size());
        faces += static_cast<unsigned>(object.faces.size());
        Put(body, static_cast<unsigned>(object.vertices.size()));
        Put(body, static_cast<unsigned>(object.faces.size()));
        for (const auto& v : object.vertices) {
            for (const float c : v) {
                Put(body, std::bit_cast<std::uint32_t>(c), 4);
            }
        }
        for (const auto& f : object.faces) {
            for (const std::uint16_t index : f) {
                Put(body, index);
            }
        }
    }
    std::vector<std::uint8_t> out{'3', 'D', 1, 0};
    Put(out, static_cast<unsigned>(objects.size()));
    Put(out, totalVertices.value_or(vertices));
    Put(out, totalFaces.value_or(faces));
    for (int i = 0; i < 3; ++i) {
        Put(out, std::bit_cast<std::uint32_t>(0.3f), 4);
    }
    out.insert(out.end(), body.begin(), body.end());
    return out;
}

// A closed torus of rings x segments quads, each split into two outward-wound triangles.
inline MeshObject Torus(int rings, int segments, float offsetX = 0) {
    MeshObject object;
    const auto at = [&](int i, int j) {
        return static_cast<std::uint16_t>((i % rings) * segments + j % segments);
    };
    for (int i = 0; i < rings; ++i) {
        for (int j = 0; j < segments; ++j) {
            const double a = 2 * std::numbers::pi * i / rings;
            const double b = 2 * std::numbers::pi * j / segments;
            const double r = 3 + std::cos(b);
            object.vertices.push_back({static_cast<float>(r * std::cos(a) + offsetX),
                                       static_cast<float>(r * std::sin(a)),
                                       static_cast<float>(std::sin(b))});
            object.faces.push_back({at(i, j), at(i + 1, j), at(i + 1, j + 1)});
            object.faces.push_back({at(i, j), at(i + 1, j + 1), at(i, j + 1)});
        }
    }
    return object;
}

// A font strip whose glyph i (1..148) is i % 7 + 1 inked columns and a blank one wide, each inked
// pixel holding (column + row) % 200 so that where a byte came from can be told.
inline std::vector<std::uint8_t> FontStrip() {
    std::vector<std::uint8_t> font(kIntroFontBytes, 255);
    for (int i = 1, column = 8; i < kIntroGlyphCount; ++i, column += 2) {
        for (int k = 0; k <= i % 7; ++k, ++column) {
            for (int row = 0; row < kIntroFontRows; ++row) {
                font[row * kIntroFontColumns + column] =
                    static_cast<std::uint8_t>((column + row) % 200);
            }
        }
    }
    return font;
}

// A texture whose palette entry i is a distinct colour and whose texel (u, v) is (u * 3 + v * 7) %
// 256.
inline std::vector<std::uint8_t> Texture() {
    std::vector<std::uint8_t> texture;
    for (unsigned i = 0; i < 256; ++i) {
        Put(texture, i | (255 - i) << 8 | (i * 37 & 255) << 16, 4);
    }
    for (int i = 0; i < 256 * 256; ++i) {
        texture.push_back(static_cast<std::uint8_t>(i / 256 * 3 + i % 256 * 7));
    }
    return texture;
}

// A front image that is clear except for lines above and below the scroller, faded at
// their ends.
inline std::vector<std::uint8_t> FrontImage() {
    std::vector<std::uint8_t> front(kIntroFrontBytes, 255);
    for (const int row : {3, 4, 25, 26, 27}) {
        for (int x = 0; x < kIntroWidth; ++x) {
            front[row * kIntroWidth + x] = static_cast<std::uint8_t>(x % 256);
        }
    }
    return front;
}

inline IntroResources Resources() {
    return {PackMesh({Torus(12, 8), Torus(8, 6, 5)}), FontStrip(), FrontImage(), Texture()};
}

}  // namespace velmora::intro_test
