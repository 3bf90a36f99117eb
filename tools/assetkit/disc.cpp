#include "assetkit/disc.h"

#include <cmath>

namespace velmora::assets {

namespace {

const Vec3 kLight = Normalize({-0.36, -0.50, 1.0});  // towards the lamp: upper left, high
const Vec3 kView{0, 0, 1};

// Rotation about a unit axis in the board plane.
struct Rotation {
    Vec3 axis;
    double c, s;

    Vec3 Apply(const Vec3& v) const {  // Rodrigues
        return v * c + Cross(axis, v) * s + axis * (Dot(axis, v) * (1 - c));
    }
    Vec3 Inverse(const Vec3& v) const {
        return v * c - Cross(axis, v) * s + axis * (Dot(axis, v) * (1 - c));
    }
};

struct Placed {
    const DiscLook& look;
    Rotation rot;
    Vec3 centre;  // world position of the disc's middle
    double scale;

    Vec3 ToLocal(const Vec3& p) const { return rot.Inverse(p - centre) / scale; }

    // Signed distance of a local point to the rounded cylinder, in local units.
    double Distance(const Vec3& p) const {
        double qx = std::hypot(p.x, p.y) - (look.radius - look.edge);
        double qy = std::fabs(p.z) - (look.halfThickness - look.edge);
        double ox = std::max(qx, 0.0), oy = std::max(qy, 0.0);
        return std::hypot(ox, oy) + std::min(std::max(qx, qy), 0.0) - look.edge;
    }

    // Marches a world ray; returns the hit distance or a negative value.
    double March(const Vec3& origin, const Vec3& dir) const {
        double bound = std::hypot(look.radius, look.halfThickness) * scale + 0.5;
        Vec3 oc = origin - centre;
        double b = Dot(oc, dir), c = Dot(oc, oc) - bound * bound;
        double disc = b * b - c;
        if (disc < 0)
            return -1;
        double root = std::sqrt(disc);
        double t = std::max(-b - root, 0.0), tEnd = -b + root;
        for (int i = 0; i < 160 && t <= tEnd; ++i) {
            double d = Distance(ToLocal(origin + dir * t)) * scale;
            if (d < 1e-4)
                return t;
            t += std::max(d, 1e-3);
        }
        return -1;
    }
};

// Face relief: dome plus groove, as a height over the face at radius rho, and its slope.
double ReliefSlope(const DiscLook& look, double rho) {
    double slope = -2.0 * look.dome * rho / (look.radius * look.radius);
    double r0 = look.grooveRadius * look.radius;
    double u = (rho - r0) / look.grooveWidth;
    slope += look.grooveDepth * 2.0 * u / look.grooveWidth * std::exp(-u * u);
    return slope;
}

Vec3 LocalNormal(const DiscLook& look, const Vec3& p) {
    double rho = std::hypot(p.x, p.y);
    Vec3 radial = rho > 1e-9 ? Vec3{p.x / rho, p.y / rho, 0} : Vec3{1, 0, 0};
    double qx = rho - (look.radius - look.edge);
    double qy = std::fabs(p.z) - (look.halfThickness - look.edge);
    double sign = p.z >= 0 ? 1.0 : -1.0;
    if (qx > 0 && qy > 0)
        return Normalize(radial * qx + Vec3{0, 0, sign * qy});
    if (qx > qy)
        return radial;
    // On a face: tilt by the relief, fading out where the face meets the rounded rim.
    double fade = SmoothStep(look.radius - look.edge, look.radius - look.edge - 1.5, rho);
    double slope = ReliefSlope(look, rho) * fade;
    return Normalize(radial * (-slope) + Vec3{0, 0, sign});
}

Vec3 Shade(const Vec3& albedo, const Vec3& n) {
    double diffuse = std::max(0.0, Dot(n, kLight));
    double ambient = 0.20 + 0.14 * n.z;
    Vec3 h = Normalize(kLight + kView);
    double nh = std::max(0.0, Dot(n, h));
    double specular = 0.55 * std::pow(nh, 90) + 0.10 * std::pow(nh, 14);
    double nv = std::max(0.0, Dot(n, kView));
    double fresnel = 0.03 + 0.25 * std::pow(1 - nv, 5);
    Vec3 room = Vec3{0.16, 0.13, 0.11};  // the warm surroundings seen in the polish
    return albedo * (ambient + 0.85 * diffuse) + Vec3{1.0, 0.97, 0.92} * specular + room * fresnel;
}

}  // namespace

DiscLook DiscLook::Scaled(double s) const {
    DiscLook l = *this;
    l.radius *= s;
    l.halfThickness *= s;
    l.edge *= s;
    l.grooveDepth *= s;
    l.grooveWidth *= s;
    l.dome *= s;
    return l;
}

Vec3 AmberColour() {
    return Srgb(244, 176, 24);
}
Vec3 GreenColour() {
    return Srgb(12, 96, 54);
}

void RenderDisc(Raster& picture, const DiscLook& look, const DiscPose& pose, int supersample) {
    Rotation rot{
        {std::cos(pose.axis), std::sin(pose.axis), 0}, std::cos(pose.turn), std::sin(pose.turn)};
    Vec3 centre{pose.cx, pose.cy, pose.lift + look.halfThickness * pose.scale};
    Placed disc{look, rot, centre, pose.scale};
    const int ss = supersample;
    const int w = picture.width, h = picture.height;

    // Disc colour and coverage, supersampled.
    Raster layer(w * ss, h * ss, {}, 0.0);
    double top = centre.z + look.radius * pose.scale + 2;
    for (int y = 0; y < h * ss; ++y)
        for (int x = 0; x < w * ss; ++x) {
            Vec3 origin{(x + 0.5) / ss, (y + 0.5) / ss, top};
            double t = disc.March(origin, {0, 0, -1});
            if (t < 0)
                continue;
            Vec3 local = disc.ToLocal(origin + Vec3{0, 0, -t});
            Vec3 n = rot.Apply(LocalNormal(look, local));
            const Vec3& albedo = local.z >= 0 ? look.topColour : look.bottomColour;
            layer.At(x, y) = Shade(albedo, n);
            layer.A(x, y) = 1;
        }
    Raster colour = Downsample(layer, ss);

    // Shadow towards the board along the light, at twice the resolution, then softened;
    // the contact shade is the disc's footprint seen from above, blurred wider.
    const int sh = 2;
    Plane shadow(w * sh, h * sh);
    for (int y = 0; y < h * sh; ++y)
        for (int x = 0; x < w * sh; ++x) {
            Vec3 p{(x + 0.5) / sh, (y + 0.5) / sh, 0};
            if (disc.March(p, kLight) >= 0)
                shadow.At(x, y) = 1;
        }
    Plane soft = Downsample(shadow, sh);
    GaussianBlur(soft, 1.0 + 0.10 * pose.lift);
    Plane contact(w, h);
    for (size_t i = 0; i < contact.v.size(); ++i)
        contact.v[i] = colour.alpha[i];
    GaussianBlur(contact, 2.2 + 0.25 * pose.lift);
    double contactAmount = look.contactStrength * std::exp(-pose.lift / 5.0);

    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            double s = look.shadowStrength * soft.At(x, y) + contactAmount * contact.At(x, y);
            s = std::min(s, 0.85) * pose.opacity;
            if (pose.shadowMargin > 0) {
                double edge = std::min(std::min(x, w - 1 - x), std::min(y, h - 1 - y));
                s *= SmoothStep(0.0, pose.shadowMargin, edge);
            }
            picture.At(x, y) *= (1 - s);
        }
    picture.Over(colour, 0, 0, pose.opacity);
}

}  // namespace velmora::assets
