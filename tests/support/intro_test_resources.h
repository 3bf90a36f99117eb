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

inline void PutU16(std::vector<std::uint8_t>& out, unsigned value) {
    out.push_back(static_cast<std::uint8_t>(value));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

inline void PutF32(std::vector<std::uint8_t>& out, float value) {
    const auto bits = std::bit_cast<std::uint32_t>(value);
    for (int shift = 0; shift < 32; shift += 8) {
        out.push_back(static_cast<std::uint8_t>(bits >> shift));
    }
}

// The mesh resource's bytes; the header's totals are the objects' unless overridden.
inline std::vector<std::uint8_t> PackMesh(const std::vector<MeshObject>& objects,
                                          std::optional<unsigned> totalVertices = {},
                                          std::optional<unsigned> totalFaces = {}) {
    unsigned vertices = 0, faces = 0;
    for (const MeshObject& object : objects) {
        vertices += static_cast<unsigned>(object.vertices.size());
        faces += static_cast<unsigned>(object.faces.size());
    }
    std::vector<std::uint8_t> out{'3', 'D'};
    PutU16(out, 1);
    PutU16(out, static_cast<unsigned>(objects.size()));
    PutU16(out, totalVertices.value_or(vertices));
    PutU16(out, totalFaces.value_or(faces));
    for (int i = 0; i < 3; ++i) {
        PutF32(out, 0.3f);
    }
    for (const MeshObject& object : objects) {
        PutU16(out, static_cast<unsigned>(object.vertices.size()));
        PutU16(out, static_cast<unsigned>(object.faces.size()));
        for (const auto& v : object.vertices) {
            for (const float c : v) {
                PutF32(out, c);
            }
        }
        for (const auto& f : object.faces) {
            for (const std::uint16_t index : f) {
                PutU16(out, index);
            }
        }
    }
    return out;
}

// A closed torus of rings x segments quads, each split into two outward-wound triangles.
inline MeshObject Torus(int rings, int segments, float offsetX = 0) {
    MeshObject object;
    for (int i = 0; i < rings; ++i) {
        for (int j = 0; j < segments; ++j) {
            const double a = 2 * std::numbers::pi * i / rings;
            const double b = 2 * std::numbers::pi * j / segments;
            const double r = 3 + std::cos(b);
            object.vertices.push_back({static_cast<float>(r * std::cos(a) + offsetX),
                                       static_cast<float>(r * std::sin(a)),
                                       static_cast<float>(std::sin(b))});
        }
    }
    const auto at = [&](int i, int j) {
        return static_cast<std::uint16_t>((i % rings) * segments + j % segments);
    };
    for (int i = 0; i < rings; ++i) {
        for (int j = 0; j < segments; ++j) {
            object.faces.push_back({at(i, j), at(i + 1, j), at(i + 1, j + 1)});
            object.faces.push_back({at(i, j), at(i + 1, j + 1), at(i, j + 1)});
        }
    }
    return object;
}

// A font strip whose glyph i (1..count) is i + 1 inked columns wide, each inked pixel
// holding (column + row) % 200 so that where a byte came from can be told.
inline std::vector<std::uint8_t> FontStrip(int count = kIntroGlyphCount - 1) {
    std::vector<std::uint8_t> font(kIntroFontBytes, 255);
    int column = 8;
    for (int i = 1; i <= count && column + i + 1 < kIntroFontColumns; ++i) {
        for (int k = 0; k <= i % 7; ++k, ++column) {
            for (int row = 0; row < kIntroFontRows; ++row) {
                font[row * kIntroFontColumns + column] =
                    static_cast<std::uint8_t>((column + row) % 200);
            }
        }
        column += 2;
    }
    return font;
}

// A texture whose palette entry i is a distinct colour and whose texel (u, v) is
// (u * 3 + v * 7) % 256.
inline std::vector<std::uint8_t> Texture() {
    std::vector<std::uint8_t> texture(kIntroTextureBytes);
    for (int i = 0; i < 256; ++i) {
        texture[i * 4] = static_cast<std::uint8_t>(i);
        texture[i * 4 + 1] = static_cast<std::uint8_t>(255 - i);
        texture[i * 4 + 2] = static_cast<std::uint8_t>(i * 37);
        texture[i * 4 + 3] = 0;
    }
    for (int u = 0; u < 256; ++u) {
        for (int v = 0; v < 256; ++v) {
            texture[kIntroPaletteBytes + u * 256 + v] = static_cast<std::uint8_t>(u * 3 + v * 7);
        }
    }
    return texture;
}

// A front image that is clear except for a framed box in its upper half and lines above
// and below the scroller, faded at their ends.
inline std::vector<std::uint8_t> FrontImage() {
    std::vector<std::uint8_t> front(kIntroFrontBytes, 255);
    for (const int row : {3, 4, 25, 26, 27}) {
        for (int x = 0; x < kIntroWidth; ++x) {
            front[row * kIntroWidth + x] = static_cast<std::uint8_t>(x % 256);
        }
    }
    for (int row = 150; row < 250; ++row) {
        for (int x = 20; x < 360; ++x) {
            const bool edge = row < 153 || row > 246 || x < 23 || x > 356;
            front[row * kIntroWidth + x] = edge ? 0 : static_cast<std::uint8_t>(100 + x % 100);
        }
    }
    return front;
}

inline IntroResources Resources() {
    return {PackMesh({Torus(12, 8), Torus(8, 6, 5)}), FontStrip(), FrontImage(), Texture()};
}

}  // namespace velmora::intro_test
