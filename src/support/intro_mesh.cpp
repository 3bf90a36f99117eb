#include "support/intro_mesh.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstddef>

namespace velmora {

namespace {

constexpr std::size_t kHeaderBytes = 22;
constexpr float kDepthSquash = 0.8f;
constexpr double kShadeScale = 2550.0;

class Reader {
  public:
    explicit Reader(std::span<const std::uint8_t> data) : data_(data) {}

    bool Has(std::size_t bytes) const { return data_.size() - position_ >= bytes; }
    void Seek(std::size_t position) { position_ = position; }

    std::uint16_t U16() {
        const std::uint16_t value =
            static_cast<std::uint16_t>(data_[position_] | data_[position_ + 1] << 8);
        position_ += 2;
        return value;
    }

    float F32() {
        std::uint32_t bits = 0;
        for (int i = 3; i >= 0; --i) {
            bits = bits << 8 | data_[position_ + i];
        }
        position_ += 4;
        return std::bit_cast<float>(bits);
    }

  private:
    std::span<const std::uint8_t> data_;
    std::size_t position_ = 0;
};

float ShadeFactor(const IntroVertex& a, const IntroVertex& b, const IntroVertex& c) {
    const double e1x = b.x - a.x, e1y = b.y - a.y, e1z = b.z - a.z;
    const double e2x = c.x - b.x, e2y = c.y - b.y, e2z = c.z - b.z;
    const double nx = e1y * e2z - e1z * e2y;
    const double ny = e1z * e2x - e1x * e2z;
    const double nz = e1x * e2y - e1y * e2x;
    const double length = std::sqrt(nx * nx + ny * ny + nz * nz);
    // A degenerate face gets no shade rather than an infinite one.
    const float factor = static_cast<float>(kShadeScale / length);
    return length > 0 && std::isfinite(factor) ? factor : 0.0f;
}

void CentreAndScale(std::vector<IntroVertex>& vertices) {
    if (vertices.empty()) {
        return;
    }
    std::array<double, 3> low{vertices[0].x, vertices[0].y, vertices[0].z};
    std::array<double, 3> high = low;
    for (const IntroVertex& v : vertices) {
        const std::array<double, 3> p{v.x, v.y, v.z};
        for (int axis = 0; axis < 3; ++axis) {
            low[axis] = std::min(low[axis], p[axis]);
            high[axis] = std::max(high[axis], p[axis]);
        }
    }
    std::array<double, 3> centre{};
    double scale = 0;
    for (int axis = 0; axis < 3; ++axis) {
        centre[axis] = high[axis] - (high[axis] - low[axis]) / 2;
        scale = std::max(scale, (high[axis] - low[axis]) / 6);
    }
    if (scale == 0) {
        scale = 1;
    }
    for (IntroVertex& v : vertices) {
        v.x = static_cast<float>((centre[0] - v.x) / scale);
        v.y = static_cast<float>((centre[1] - v.y) / scale);
        v.z = static_cast<float>((centre[2] - v.z) / scale);
    }
}

}  // namespace

std::optional<IntroMesh> LoadIntroMesh(std::span<const std::uint8_t> data) {
    Reader in(data);
    if (!in.Has(kHeaderBytes)) {
        return std::nullopt;
    }
    in.Seek(4);
    const int objects = in.U16();
    const std::size_t totalVertices = in.U16();
    const std::size_t totalFaces = in.U16();
    in.Seek(kHeaderBytes);

    IntroMesh mesh;
    mesh.vertices.reserve(totalVertices);
    mesh.faces.reserve(totalFaces);
    for (int object = 0; object < objects; ++object) {
        if (!in.Has(4)) {
            return std::nullopt;
        }
        const std::size_t vertexCount = in.U16();
        const std::size_t faceCount = in.U16();
        if (!in.Has(vertexCount * 12 + faceCount * 6) ||
            mesh.vertices.size() + vertexCount > totalVertices ||
            mesh.faces.size() + faceCount > totalFaces) {
            return std::nullopt;
        }
        const std::size_t base = mesh.vertices.size();
        for (std::size_t i = 0; i < vertexCount; ++i) {
            const float x = in.F32();
            const float y = in.F32();
            const float z = in.F32() * kDepthSquash;
            if (!std::isfinite(x) || !std::isfinite(y) || !std::isfinite(z)) {
                return std::nullopt;
            }
            mesh.vertices.push_back({x, y, z});
        }
        for (std::size_t i = 0; i < faceCount; ++i) {
            IntroFace face{};
            for (std::uint32_t& index : face.vertex) {
                const std::size_t local = in.U16();
                if (local >= vertexCount) {
                    return std::nullopt;
                }
                index = static_cast<std::uint32_t>(base + local);
            }
            face.shadeFactor =
                ShadeFactor(mesh.vertices[face.vertex[0]], mesh.vertices[face.vertex[1]],
                            mesh.vertices[face.vertex[2]]);
            mesh.faces.push_back(face);
        }
    }
    if (mesh.vertices.size() != totalVertices || mesh.faces.size() != totalFaces) {
        return std::nullopt;
    }
    CentreAndScale(mesh.vertices);
    return mesh;
}

}  // namespace velmora
