#include "winding.h"

#include <algorithm>
#include <cmath>

namespace velmora::assets {

bool FrontFacesKept(const std::vector<MeshObject>& objects) {
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
    // The intro's first frame: tilt 1536 and 40 of 2048, no spin.
    const double t1 = 1536 * M_PI / 1024, t2 = 40 * M_PI / 1024;
    const double c1 = std::cos(t1), s1 = std::sin(t1), c2 = std::cos(t2), s2 = std::sin(t2);
    struct P {
        double x, y, d;
    };
    std::vector<P> proj;
    for (const auto& p : v) {
        double a = c2 * p[0] - s2 * p[2], b = s2 * p[0] + c2 * p[2];
        double xs = a, e = p[1];  // spin 0
        double d = c1 * b - s1 * e - 7;
        proj.push_back({xs / d, (s1 * b + c1 * e) / d, d});
    }
    double keptDepth = 0, droppedDepth = 0;
    int kept = 0, dropped = 0;
    size_t base = 0;
    for (const MeshObject& o : objects) {
        for (const auto& f : o.faces) {
            const P &p0 = proj[base + f[0]], &p1 = proj[base + f[1]], &p2 = proj[base + f[2]];
            double area = (p2.x - p0.x) * (p1.y - p0.y) - (p1.x - p0.x) * (p2.y - p0.y);
            double depth = (p0.d + p1.d + p2.d) / 3;  // nearer faces have depth closer to 0
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

void ReverseWinding(std::vector<MeshObject>& objects) {
    for (MeshObject& o : objects)
        for (auto& f : o.faces)
            std::swap(f[1], f[2]);
}

}  // namespace velmora::assets
