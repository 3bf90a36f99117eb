#include "front_image.h"

#include <QPainterPath>
#include <QString>
#include <algorithm>
#include <cmath>

#include "assetkit/text.h"
#include "support/intro_sizes.h"

namespace velmora::assets {

namespace {

constexpr int kW = kIntroWidth, kH = kIntroHeight;

QPainterPath Outline(const QRectF& r, double radius, double width) {
    QPainterPath outer, inner;
    outer.addRoundedRect(r, radius, radius);
    inner.addRoundedRect(r.adjusted(width, width, -width, -width), std::max(0.0, radius - width),
                         std::max(0.0, radius - width));
    return outer.subtracted(inner);
}

}  // namespace

std::vector<std::uint8_t> FrontImage(bool russian) {
    // Top-down layout: title rows 6..32, the object's band 35..164 kept clear, version
    // line near 190, frame down to 226, scroller rows 235..254.
    QPainterPath ink;
    QString title = russian ? QString::fromUtf8("Вельморные Реверси") : QString("Velmora Reversi");
    ink.addPath(CentredText(title, FontFace::SerifBold, 22, kW / 2.0, 21));
    QString version = russian ? QString::fromUtf8("версия 4.00") : QString("version 4.00");
    QPainterPath versionPath = CentredText(version, FontFace::Sans, 12.5, kW / 2.0, 193);
    ink.addPath(versionPath);
    // Small discs and rules either side of the version line.
    QRectF vbox = versionPath.boundingRect();
    for (int side = -1; side <= 1; side += 2) {
        double x0 = side < 0 ? vbox.left() - 14 : vbox.right() + 14;
        QPainterPath disc;
        disc.addEllipse(QPointF(x0, 193), 3.2, 3.2);
        ink.addPath(disc);
        QPainterPath rule;
        double a = x0 + side * 8, b = x0 + side * 70;
        rule.addRect(QRectF(std::min(a, b), 192.5, std::fabs(b - a), 1.0));
        ink.addPath(rule);
    }
    ink.setFillRule(Qt::WindingFill);
    // The frame's rings are drawn by themselves (their holes need the odd-even rule).
    QPainterPath frame;
    frame.addPath(Outline(QRectF(5, 4, kW - 10, 223), 9, 1.6));
    frame.addPath(Outline(QRectF(9, 8, kW - 18, 215), 6, 0.9));
    frame.setFillRule(Qt::OddEvenFill);
    Plane cover = PathMask(ink, kW, kH, 8);
    Plane frameCover = PathMask(frame, kW, kH, 8);
    for (size_t i = 0; i < cover.v.size(); ++i)
        cover.v[i] = std::max(cover.v[i], frameCover.v[i]);
    std::vector<std::uint8_t> out(static_cast<size_t>(kW) * kH, 255);
    for (int y = 0; y < kH; ++y)
        for (int x = 0; x < kW; ++x) {
            double c = std::min(1.0, cover.At(x, y));
            if (c < 0.02)
                continue;
            out[static_cast<size_t>(kH - 1 - y) * kW + x] =
                static_cast<std::uint8_t>(std::lround(255 * (1 - c)));
        }
    return out;
}

}  // namespace velmora::assets
