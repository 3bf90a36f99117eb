#include "border_strips.h"

#include <QString>
#include <cmath>

#include "assetkit/noise.h"
#include "assetkit/text.h"
#include "skin_geometry.h"

namespace velmora::assets {

namespace {

const Vec3 kLight = Normalize({-0.36, -0.50, 1.0});

struct FrameStyle {
    Vec3 wood;
    double grain;
    Vec3 ink;
    Vec3 inkEdge;  // the engraving's light lower edge, or the raised letter's shadow
    double inkEdgeOpacity;
    double sheen;
};

FrameStyle StyleOf(bool dark) {
    if (dark)
        return {Srgb(60, 47, 40), 0.10, Srgb(238, 198, 112), Srgb(8, 5, 3), 0.75, 0.10};
    return {Srgb(212, 182, 140), 0.07, Srgb(56, 34, 16), Srgb(250, 236, 210), 0.50, 0.16};
}

// Height of the moulding across the strip, d = 0 at the outer edge, 20 at the board.
double Profile(double d) {
    if (d < 1.5)
        return 1.6 * std::sin(0.5 * M_PI * d / 1.5);
    if (d < 17.0)
        return 1.6 + 1.6 * std::sin(M_PI * (d - 1.5) / 15.5);
    if (d < 18.4)
        return 1.6 - 0.8 * (d - 17.0) / 1.4;
    return 0.8 - 0.8 * SmoothStep(18.4, 20.0, d);
}

Raster Moulding(int side, const FrameStyle& style, bool dark) {
    Raster r(side, side, style.wood);
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x) {
            double px = x + 0.5, py = y + 0.5;
            double dist[4] = {py, px, side - py, side - px};  // top, left, bottom, right
            int s = 0;
            for (int k = 1; k < 4; ++k)
                if (dist[k] < dist[s])
                    s = k;
            double d = dist[s];
            if (d >= kStrip)
                continue;
            static const double kInX[4] = {0, 1, 0, -1}, kInY[4] = {1, 0, -1, 0};
            double slope = (Profile(d + 0.25) - Profile(d - 0.25)) / 0.5;
            Vec3 n = Normalize({-slope * kInX[s], -slope * kInY[s], 1.0});
            double along = (s % 2 == 0) ? px : py;
            double grain = FractalNoise(along * 0.015, d * 0.45 + s * 17.0, 0xB0A2D + s, 3) +
                           0.5 * FractalNoise(along * 0.35, d * 1.6, 0xF1B + s, 2);
            double diffuse = std::max(0.0, Dot(n, kLight));
            double ambient = 0.42;
            Vec3 h = Normalize(kLight + Vec3{0, 0, 1});
            double specular = style.sheen * std::pow(std::max(0.0, Dot(n, h)), 30);
            Vec3 c = style.wood * ((ambient + 0.62 * diffuse) * (1 + style.grain * grain));
            c += Vec3{1, 0.95, 0.88} * specular;
            // Crisp edges: a dark outer outline and a shadowed step down to the board.
            if (d < 1.0)
                c *= dark ? 0.55 : 0.45;
            if (d > 19.0)
                c *= dark ? 0.45 : 0.35;
            r.At(x, y) = c;
        }
    return r;
}

// Engraves (light frame) or raises (dark frame) one label centred on (cx, cy).
void Label(Raster& r, const QString& text, double cx, double cy, const FrameStyle& style,
           bool dark) {
    const double size = 13.5;
    // Two-digit numbers take the condensed face to stay clear of the strip's edges.
    FontFace face = text.size() > 1 ? FontFace::SansCondensedBold : FontFace::SansBold;
    QPainterPath capRef = TextPath("H", FontFace::SansBold, size);
    QPainterPath path = TextPath(text, face, size);
    QRectF box = path.boundingRect(), cap = capRef.boundingRect();
    path.translate(cx - box.center().x(), cy - cap.center().y());
    double edge = dark ? 0.9 : 0.7;
    Plane under = PathMask(path.translated(edge, edge), r.width, r.height);
    Plane ink = PathMask(path, r.width, r.height);
    r.Fill(under, style.inkEdge, 0, 0, style.inkEdgeOpacity);
    r.Fill(ink, style.ink, 0, 0, 0.95);
}

}  // namespace

Raster BoardFrame(int n, bool dark) {
    const int cell = n == 8 ? kCell : kCellTen;
    const int side = n * cell + 2 * kStrip;
    FrameStyle style = StyleOf(dark);
    Raster r = Moulding(side, style, dark);
    // Labels are drawn on a strip-sized canvas each, to keep the masks small.
    for (int i = 0; i < n; ++i) {
        double centre = kStrip + cell * i + cell / 2.0;
        QString letter = QString(QChar('A' + i));
        QString number = QString::number(n - i);
        for (int edge = 0; edge < 2; ++edge) {
            int off = edge == 0 ? 0 : side - kStrip;
            Raster h = r.Crop(static_cast<int>(centre) - 20, off, 40, kStrip);
            Label(h, letter, centre - (static_cast<int>(centre) - 20), kStrip / 2.0, style, dark);
            r.Blit(h, static_cast<int>(centre) - 20, off);
            Raster v = r.Crop(off, static_cast<int>(centre) - 20, kStrip, 40);
            Label(v, number, kStrip / 2.0, centre - (static_cast<int>(centre) - 20), style, dark);
            r.Blit(v, off, static_cast<int>(centre) - 20);
        }
    }
    return r;
}

BorderImages BorderStrips(bool dark) {
    Raster f8 = BoardFrame(8, dark), f10 = BoardFrame(10, dark);
    const int s8 = f8.width, s10 = f10.width;  // 528, 530
    BorderImages out{Raster(kLinehWidth, kLinehHeight), Raster(kLinevWidth, kLinevHeight)};
    out.lineh.Blit(f8.Crop(0, 0, kLinehWidth, kStrip), 0, 0);
    out.lineh.Blit(f8.Crop(0, s8 - kStrip, kLinehWidth, kStrip), 0, 20);
    out.lineh.Blit(f10.Crop(0, 0, kLinehWidth, kStrip), 0, 40);
    out.lineh.Blit(f10.Crop(0, s10 - kStrip, kLinehWidth, kStrip), 0, 60);
    out.linev.Blit(f8.Crop(0, kStrip, kStrip, kLinevHeight), 0, 0);
    out.linev.Blit(f8.Crop(s8 - kStrip, kStrip, kStrip, kLinevHeight), 20, 0);
    out.linev.Blit(f10.Crop(0, kStrip, kStrip, kLinevHeight), 40, 0);
    out.linev.Blit(f10.Crop(s10 - kStrip, kStrip, kStrip, kLinevHeight), 60, 0);
    return out;
}

}  // namespace velmora::assets
