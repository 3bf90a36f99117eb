#include "mesh.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace velmora::assets {

namespace {

constexpr double kPi = 3.14159265358979323846;
// The intro scales the object so that its widest extent spans 6, and shades a face by its
// projected area times 2550 over its own size, keeping the low 8 bits. Storing the object
// so that its widest extent is 6 x 0.95 keeps that shade under 256 even for the nearest
// faces, which would otherwise wrap round to dark.
constexpr double kLoadedScale = 0.95;
constexpr double kLoadZ = 0.8;  // the intro multiplies z by this when it loads the mesh

struct V3 {
    double x, y, z;
};

V3 Add(V3 a, V3 b) {
    return {a.x + b.x, a.y + b.y, a.z + b.z};
}
V3 Mul(V3 a, double s) {
    return {a.x * s, a.y * s, a.z * s};
}

// Builds one part in design units; z is stored divided by the intro's 0.8.
class Builder {
  public:
    int Vertex(V3 p) {
        obj_.vertices.push_back(
            {static_cast<float>(p.x), static_cast<float>(p.y), static_cast<float>(p.z / kLoadZ)});
        return static_cast<int>(obj_.vertices.size()) - 1;
    }
    // Counter-clockwise seen from outside.
    void Face(int a, int b, int c) {
        obj_.faces.push_back({static_cast<std::uint16_t>(a), static_cast<std::uint16_t>(b),
                              static_cast<std::uint16_t>(c)});
    }
    MeshObject Take() { return std::move(obj_); }

  private:
    MeshObject obj_;
};

// A closed cylinder of `segments` sides: its axis along `axis` (unit), centred at `c`.
MeshObject Cylinder(V3 c, V3 axis, V3 u, double radius, double halfLength, int segments) {
    V3 w{axis.y * u.z - axis.z * u.y, axis.z * u.x - axis.x * u.z, axis.x * u.y - axis.y * u.x};
    Builder b;
    int top = b.Vertex(Add(c, Mul(axis, halfLength)));
    int bottom = b.Vertex(Add(c, Mul(axis, -halfLength)));
    std::vector<int> rimTop, rimBottom;
    for (int i = 0; i < segments; ++i) {
        double a = 2 * kPi * i / segments;
        V3 radial = Add(Mul(u, std::cos(a) * radius), Mul(w, std::sin(a) * radius));
        rimTop.push_back(b.Vertex(Add(Add(c, Mul(axis, halfLength)), radial)));
        rimBottom.push_back(b.Vertex(Add(Add(c, Mul(axis, -halfLength)), radial)));
    }
    for (int i = 0; i < segments; ++i) {
        int j = (i + 1) % segments;
        b.Face(top, rimTop[i], rimTop[j]);
        b.Face(bottom, rimBottom[j], rimBottom[i]);
        b.Face(rimTop[i], rimBottom[i], rimBottom[j]);
        b.Face(rimTop[i], rimBottom[j], rimTop[j]);
    }
    return b.Take();
}

MeshObject Sphere(V3 c, double radius, int segments, int rings) {
    Builder b;
    int north = b.Vertex(Add(c, {0, 0, radius}));
    int south = b.Vertex(Add(c, {0, 0, -radius}));
    std::vector<std::vector<int>> band(rings - 1);
    for (int r = 1; r < rings; ++r) {
        double polar = kPi * r / rings;
        for (int s = 0; s < segments; ++s) {
            double a = 2 * kPi * s / segments;
            band[r - 1].push_back(b.Vertex(
                Add(c, {radius * std::sin(polar) * std::cos(a),
                        radius * std::sin(polar) * std::sin(a), radius * std::cos(polar)})));
        }
    }
    for (int s = 0; s < segments; ++s) {
        int t = (s + 1) % segments;
        b.Face(north, band[0][s], band[0][t]);
        b.Face(south, band[rings - 2][t], band[rings - 2][s]);
        for (int r = 0; r + 1 < rings - 1; ++r) {
            b.Face(band[r][s], band[r + 1][s], band[r + 1][t]);
            b.Face(band[r][s], band[r + 1][t], band[r][t]);
        }
    }
    return b.Take();
}

// A torus round `axis` through `c`; `u` is a unit vector perpendicular to the axis.
MeshObject Torus(V3 c, V3 axis, V3 u, double major, double minor, int around, int tube) {
    V3 w{axis.y * u.z - axis.z * u.y, axis.z * u.x - axis.x * u.z, axis.x * u.y - axis.y * u.x};
    Builder b;
    std::vector<std::vector<int>> ring(around);
    for (int i = 0; i < around; ++i) {
        double a = 2 * kPi * i / around;
        V3 radial = Add(Mul(u, std::cos(a)), Mul(w, std::sin(a)));
        for (int j = 0; j < tube; ++j) {
            double t = 2 * kPi * j / tube;
            V3 p = Add(
                c, Add(Mul(radial, major + minor * std::cos(t)), Mul(axis, minor * std::sin(t))));
            ring[i].push_back(b.Vertex(p));
        }
    }
    for (int i = 0; i < around; ++i) {
        int k = (i + 1) % around;
        for (int j = 0; j < tube; ++j) {
            int l = (j + 1) % tube;
            b.Face(ring[i][j], ring[k][j], ring[k][l]);
            b.Face(ring[i][j], ring[k][l], ring[i][l]);
        }
    }
    return b.Take();
}

void Put16(std::vector<std::uint8_t>& out, unsigned v) {
    out.push_back(static_cast<std::uint8_t>(v & 0xFF));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}

void PutFloat(std::vector<std::uint8_t>& out, float f) {
    std::uint32_t bits;
    std::memcpy(&bits, &f, 4);
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<std::uint8_t>(bits >> (8 * i)));
}

}  // namespace

std::vector<MeshObject> IntroObject() {
    std::vector<MeshObject> parts;
    // Eight discs on edge, each facing outwards, so that as the carousel turns each one
    // goes from full face to edge-on like a disc being flipped.
    for (int i = 0; i < 8; ++i) {
        double a = 2 * kPi * i / 8 + kPi / 8;
        V3 out{std::cos(a), std::sin(a), 0};
        parts.push_back(Cylinder(Mul(out, 2.3), out, {0, 0, 1}, 0.36, 0.08, 12));
    }
    // The bead in the middle in a gyroscope of three rings: two tilted either way and
    // one upright.
    parts.push_back(Sphere({0, 0, 0}, 0.5, 16, 8));
    const double tilt = 0.62;
    parts.push_back(Torus({0, 0, 0}, {std::sin(tilt), 0, std::cos(tilt)},
                          {std::cos(tilt), 0, -std::sin(tilt)}, 1.0, 0.07, 15, 5));
    parts.push_back(Torus({0, 0, 0}, {-std::sin(tilt), 0, std::cos(tilt)},
                          {std::cos(tilt), 0, std::sin(tilt)}, 1.0, 0.07, 15, 5));
    parts.push_back(Torus({0, 0, 0}, {0, 1, 0}, {1, 0, 0}, 0.85, 0.07, 20, 5));
    // Scale to the size the shading needs (see kLoadedScale), measured as the intro
    // measures it: on z after its 0.8.
    double extent = 0;
    for (int k = 0; k < 3; ++k) {
        double lo = 1e9, hi = -1e9;
        for (const MeshObject& o : parts)
            for (const auto& v : o.vertices) {
                double value = k == 2 ? v[k] * kLoadZ : v[k];
                lo = std::min(lo, value);
                hi = std::max(hi, value);
            }
        extent = std::max(extent, hi - lo);
    }
    const double scale = 6.0 * kLoadedScale / extent;
    for (MeshObject& o : parts)
        for (auto& v : o.vertices)
            for (float& f : v)
                f = static_cast<float>(f * scale);
    return parts;
}

std::vector<std::uint8_t> MeshFile(const std::vector<MeshObject>& objects) {
    unsigned vertices = 0, faces = 0;
    for (const MeshObject& o : objects) {
        vertices += static_cast<unsigned>(o.vertices.size());
        faces += static_cast<unsigned>(o.faces.size());
    }
    std::vector<std::uint8_t> out = {'3', 'D'};
    Put16(out, 1);
    Put16(out, static_cast<unsigned>(objects.size()));
    Put16(out, vertices);
    Put16(out, faces);
    for (int i = 0; i < 3; ++i)
        PutFloat(out, 0.3f);
    for (const MeshObject& o : objects) {
        Put16(out, static_cast<unsigned>(o.vertices.size()));
        Put16(out, static_cast<unsigned>(o.faces.size()));
        for (const auto& v : o.vertices)
            for (float f : v)
                PutFloat(out, f);
        for (const auto& f : o.faces)
            for (std::uint16_t i : f)
                Put16(out, i);
    }
    return out;
}

}  // namespace velmora::assets
