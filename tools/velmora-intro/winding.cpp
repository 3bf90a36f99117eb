#include "winding.h"

#include <algorithm>
#include <cmath>

namespace velmora::assets {

namespace {

constexpr double kTiltX = 1536 * M_PI / 1024;  // the intro's fixed tilts, of 2048 per turn
constexpr double kTiltY = 40 * M_PI / 1024;

// The vertices as the intro holds them after loading: z times 0.8, centred, scaled to
// -3..3 and mirrored.
std::vector<std::array<double, 3>> Loaded(const std::vector<MeshObject>& objects) {
    std::vector<std::array<double, 3>> v;
    for (const MeshObject& o : objects)
        for (const auto& p : o.vertices)
            v.push_back({p[0], p[1], p[2] * 0.8});
    std::array<double, 3> lo{1e9, 1e9, 1e9}, hi{-1e9, -1e9, -1e9};
    for (const auto& p : v)
        for (int k = 0; k < 3; ++k) {
            lo[k] = std::min(lo[k], p[k]);
            hi[k] = std::max(hi[k], p[k]);
        }
    double s = 0;
    for (int k = 0; k < 3; ++k)
        s = std::max(s, (hi[k] - lo[k]) / 6);
    for (auto& p : v)
        for (int k = 0; k < 3; ++k)
            p[k] = ((hi[k] - (hi[k] - lo[k]) / 2) - p[k]) / s;
    return v;
}

struct Projected {
    double x, y, depth;
};

Projected Project(const std::array<double, 3>& p, double spin) {
    const double c1 = std::cos(kTiltX), s1 = std::sin(kTiltX), c2 = std::cos(kTiltY),
                 s2 = std::sin(kTiltY);
    const double c3 = std::cos(spin), s3 = std::sin(spin);
    double a = c2 * p[0] - s2 * p[2], b = s2 * p[0] + c2 * p[2];
    double x = c3 * a + s3 * p[1], e = c3 * p[1] - s3 * a;
    double d = c1 * b - s1 * e - 7;
    return {x / d, (s1 * b + c1 * e) / d, d};
}

}  // namespace

bool FrontFacesKept(const std::vector<MeshObject>& objects) {
    std::vector<Projected> proj;
    for (const auto& p : Loaded(objects))
        proj.push_back(Project(p, 0));
    double keptDepth = 0, droppedDepth = 0;
    int kept = 0, dropped = 0;
    size_t base = 0;
    for (const MeshObject& o : objects) {
        for (const auto& f : o.faces) {
            const Projected &p0 = proj[base + f[0]], &p1 = proj[base + f[1]],
                            &p2 = proj[base + f[2]];
            double area = (p2.x - p0.x) * (p1.y - p0.y) - (p1.x - p0.x) * (p2.y - p0.y);
            double depth = (p0.depth + p1.depth + p2.depth) / 3;  // nearer faces are closer to 0
            if (area > 0) {
                keptDepth += depth;
                ++kept;
            } else {
                droppedDepth += depth;
                ++dropped;
            }
        }
        base += o.vertices.size();
    }
    return kept > 0 && dropped > 0 && keptDepth / kept > droppedDepth / dropped;
}

double BandMargin(const std::vector<MeshObject>& objects) {
    const auto v = Loaded(objects);
    double margin = 1e9;
    for (int spin = 0; spin < 2048; spin += 8)
        for (const auto& p : v) {
            double y = Project(p, spin * M_PI / 1024).y * 300 + 65.5;
            margin = std::min({margin, y, 130.0 - y});
        }
    return margin;
}

void ReverseWinding(std::vector<MeshObject>& objects) {
    for (MeshObject& o : objects)
        for (auto& f : o.faces)
            std::swap(f[1], f[2]);
}

}  // namespace velmora::assets
