#include "progress_pictures.h"

#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <cmath>

namespace velmora::assets {

namespace {

const QColor kAmber(242, 180, 40), kAmberEdge(150, 96, 16);
const QColor kGreen(36, 128, 76), kGreenEdge(16, 72, 40);
const QColor kInk(78, 56, 42);

void Disc(QPainter& p, QPointF c, double r, const QColor& fill, const QColor& edge) {
    QRadialGradient g(c.x() - r * 0.35, c.y() - r * 0.4, r * 1.4);
    g.setColorAt(0, fill.lighter(140));
    g.setColorAt(0.6, fill);
    g.setColorAt(1, fill.darker(125));
    p.setBrush(g);
    p.setPen(QPen(edge, 1.0));
    p.drawEllipse(c, r, r);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(fill.lighter(115), 0.8));
    p.drawEllipse(c, r * 0.62, r * 0.62);
}

QImage Canvas(int w, int h) {
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(kProgressKey);
    return img;
}

}  // namespace

QImage ConnectPicture() {
    QImage img = Canvas(34, 34);
    {
        QPainter p(&img);
        p.setRenderHint(QPainter::Antialiasing, true);
        Disc(p, {9.5, 9.5}, 7.5, kAmber, kAmberEdge);
        Disc(p, {24.5, 24.5}, 7.5, kGreen, kGreenEdge);
        // Two arrows going round between them: a call and its answer.
        auto arrow = [&](double startDeg, const QColor& colour) {
            QRectF box(17 - 13, 17 - 13, 26, 26);
            p.setBrush(Qt::NoBrush);
            p.setPen(QPen(colour, 2.0, Qt::SolidLine, Qt::RoundCap));
            p.drawArc(box, static_cast<int>(startDeg * 16), -58 * 16);  // clockwise
            double end = (startDeg - 58) * M_PI / 180;
            QPointF tip(17 + 13 * std::cos(end), 17 - 13 * std::sin(end));
            QPointF along(std::sin(end), std::cos(end));  // direction of travel at the tip
            QPointF side(along.y(), -along.x());
            QPolygonF head;
            head << tip + along * 3.2 << tip + side * 2.6 << tip - side * 2.6;
            p.setPen(Qt::NoPen);
            p.setBrush(colour);
            p.drawPolygon(head);
        };
        arrow(78, kInk);   // from the amber disc over the top to the green one
        arrow(258, kInk);  // and back underneath
    }
    img.setPixel(0, 33, kProgressKey);
    return img;
}

QImage PackPicture() {
    QImage img = Canvas(44, 34);
    {
        QPainter p(&img);
        p.setRenderHint(QPainter::Antialiasing, true);
        // An open crate.
        QPainterPath body;
        body.addRect(QRectF(8.5, 17.5, 27, 14));
        p.setPen(QPen(kInk, 1.0));
        p.setBrush(QColor(196, 150, 96));
        p.drawPath(body);
        p.setPen(QPen(QColor(150, 108, 64), 1.0));
        p.drawLine(QPointF(9, 22.5), QPointF(35, 22.5));
        p.drawLine(QPointF(9, 27), QPointF(35, 27));
        QPainterPath flapL, flapR;
        flapL.moveTo(8.5, 17.5);
        flapL.lineTo(2.5, 12.5);
        flapL.lineTo(10, 12.5);
        flapL.lineTo(15, 17.5);
        flapL.closeSubpath();
        flapR.moveTo(35.5, 17.5);
        flapR.lineTo(41.5, 12.5);
        flapR.lineTo(34, 12.5);
        flapR.lineTo(29, 17.5);
        flapR.closeSubpath();
        p.setPen(QPen(kInk, 1.0));
        p.setBrush(QColor(214, 172, 116));
        p.drawPath(flapL);
        p.drawPath(flapR);
        // Discs coming out of it.
        Disc(p, {17, 11}, 6, kGreen, kGreenEdge);
        Disc(p, {27.5, 8}, 6, kAmber, kAmberEdge);
    }
    img.setPixel(0, 33, kProgressKey);
    return img;
}

}  // namespace velmora::assets
