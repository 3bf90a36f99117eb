#include "support/intro_object.h"

#include <cmath>

#include "support/intro_tables.h"
#include "support/intro_triangle.h"

namespace velmora {

namespace {

constexpr float kEyeDistance = 7.0f;
constexpr double kPixelsPerUnit = 300.0;
constexpr double kCentreX = 190.5;
constexpr double kCentreY = 65.5;

}  // namespace

std::uint8_t IntroFaceShade(double area, float shadeFactor) {
    const double shade = std::nearbyint(area * shadeFactor);
    // Beyond 64-bit range the low bits are gone; such a face keeps shade 0.
    if (!(std::fabs(shade) < 0x1p63)) {
        return 0;
    }
    return static_cast<std::uint8_t>(static_cast<std::int64_t>(shade) & 0xFF);
}

void DrawIntroObject(const IntroMesh& mesh, IntroAngles angles,
                     std::vector<IntroProjected>& projected, IntroLayers& layers) {
    const IntroTables& tables = GetIntroTables();
    constexpr int kMask = IntroTables::kAngleSteps - 1;
    const float c1 = tables.cosine[angles.tiltX & kMask], s1 = tables.sine[angles.tiltX & kMask];
    const float c2 = tables.cosine[angles.tiltY & kMask], s2 = tables.sine[angles.tiltY & kMask];
    const float c3 = tables.cosine[angles.spin & kMask], s3 = tables.sine[angles.spin & kMask];

    // 1. Rotate and project every vertex.
    projected.resize(mesh.vertices.size());
    for (std::size_t i = 0; i < mesh.vertices.size(); ++i) {
        const IntroVertex& v = mesh.vertices[i];
        const float a = c2 * v.x - s2 * v.z;
        const float b = s2 * v.x + c2 * v.z;
        const float screenX = c3 * a + s3 * v.y;
        const float e = c3 * v.y - s3 * a;
        const float depth = c1 * b - s1 * e - kEyeDistance;
        projected[i] = {screenX / depth, (s1 * b + c1 * e) / depth, depth};
    }

    for (const IntroFace& face : mesh.faces) {
        if (face.vertex[0] >= projected.size() || face.vertex[1] >= projected.size() ||
            face.vertex[2] >= projected.size()) {
            continue;
        }
        const IntroProjected& p0 = projected[face.vertex[0]];
        const IntroProjected& p1 = projected[face.vertex[1]];
        const IntroProjected& p2 = projected[face.vertex[2]];
        // 2. Back faces (area not above 0) are culled.
        const double area =
            (static_cast<double>(p2.x) - p0.x) * (static_cast<double>(p1.y) - p0.y) -
            (static_cast<double>(p1.x) - p0.x) * (static_cast<double>(p2.y) - p0.y);
        if (!(area > 0)) {
            continue;
        }
        // 3-4. Into pixels, then fill.
        const auto corner = [](const IntroProjected& p) {
            return IntroCorner{p.x * kPixelsPerUnit + kCentreX, p.y * kPixelsPerUnit + kCentreY,
                               p.depth};
        };
        FillIntroTriangle(corner(p0), corner(p1), corner(p2),
                          IntroFaceShade(area, face.shadeFactor), layers);
    }
}

}  // namespace velmora
