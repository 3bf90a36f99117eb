#include "menu_icons.h"

#include <QPainter>
#include <QPainterPath>
#include <cmath>
#include <functional>

#include "assetkit/text.h"

namespace velmora::assets {

namespace {

const QColor kInk(78, 56, 42);
const QColor kAmber(242, 180, 40);
const QColor kAmberEdge(160, 104, 18);
const QColor kGreen(36, 128, 76);
const QColor kGreenEdge(18, 78, 44);
const QColor kPaper(252, 246, 232);
const QColor kRed(200, 66, 48);
const QColor kSky(92, 150, 190);

QPen Pen(const QColor& c, double w) {
    QPen pen(c, w);
    pen.setCapStyle(Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
    return pen;
}

void Disc(QPainter& p, double cx, double cy, double r, const QColor& fill, const QColor& edge) {
    QRadialGradient g(cx - r * 0.35, cy - r * 0.4, r * 1.4);
    g.setColorAt(0, fill.lighter(135));
    g.setColorAt(0.6, fill);
    g.setColorAt(1, fill.darker(125));
    p.setBrush(g);
    p.setPen(Pen(edge, 0.8));
    p.drawEllipse(QPointF(cx, cy), r, r);
}

void Speaker(QPainter& p) {
    QPainterPath body;
    body.moveTo(2, 6);
    body.lineTo(5, 6);
    body.lineTo(9, 2.5);
    body.lineTo(9, 13.5);
    body.lineTo(5, 10);
    body.lineTo(2, 10);
    body.closeSubpath();
    p.setPen(Pen(kInk, 1.0));
    p.setBrush(kAmber);
    p.drawPath(body);
}

void Bulb(QPainter& p, double glow) {
    if (glow > 0) {
        p.setPen(Pen(kAmberEdge, 1.0));
        for (double a : {-150.0, -90.0, -30.0}) {
            double rad = a * M_PI / 180;
            p.drawLine(QPointF(8 + 6.2 * std::cos(rad), 6.5 + 6.2 * std::sin(rad)),
                       QPointF(8 + 7.6 * std::cos(rad), 6.5 + 7.6 * std::sin(rad)));
        }
    }
    QRadialGradient g(7, 5, 5);
    g.setColorAt(0, QColor(255, 246, 200));
    g.setColorAt(1, kAmber);
    p.setBrush(g);
    p.setPen(Pen(kAmberEdge, 0.9));
    p.drawEllipse(QPointF(8, 6.5), 4.2, 4.2);
    p.setBrush(kInk);
    p.setPen(Qt::NoPen);
    p.drawRoundedRect(QRectF(6, 11, 4, 1.6), 0.5, 0.5);
    p.drawRoundedRect(QRectF(6.5, 13, 3, 1.4), 0.5, 0.5);
}

void Folder(QPainter& p, bool open) {
    p.setPen(Pen(kAmberEdge, 0.9));
    p.setBrush(kAmber.darker(115));
    QPainterPath back;
    back.moveTo(1.5, 3.5);
    back.lineTo(6, 3.5);
    back.lineTo(7.5, 5);
    back.lineTo(14.5, 5);
    back.lineTo(14.5, 13.5);
    back.lineTo(1.5, 13.5);
    back.closeSubpath();
    p.drawPath(back);
    p.setBrush(kAmber);
    QPainterPath front;
    if (open) {
        front.moveTo(3.5, 7);
        front.lineTo(15.5, 7);
        front.lineTo(13.5, 13.5);
        front.lineTo(1.5, 13.5);
    } else {
        front.moveTo(1.5, 6.5);
        front.lineTo(14.5, 6.5);
        front.lineTo(14.5, 13.5);
        front.lineTo(1.5, 13.5);
    }
    front.closeSubpath();
    p.drawPath(front);
}

void Note(QPainter& p, double x, double y, double scale) {
    p.setPen(Pen(kInk, 1.1 * scale));
    p.setBrush(kInk);
    p.drawEllipse(QPointF(x, y), 1.7 * scale, 1.3 * scale);
    p.drawLine(QPointF(x + 1.5 * scale, y), QPointF(x + 1.5 * scale, y - 6.5 * scale));
    p.drawLine(QPointF(x + 1.5 * scale, y - 6.5 * scale), QPointF(x + 4 * scale, y - 4.5 * scale));
}

void Handset(QPainter& p, const QColor& fill) {
    QPainterPath h;
    h.moveTo(3, 3);
    h.cubicTo(1.5, 4, 2, 9, 7, 13);
    h.cubicTo(10, 15, 12.5, 14.5, 13.2, 13);
    h.lineTo(10.8, 10.6);
    h.lineTo(9, 11.4);
    h.cubicTo(7.5, 10.5, 5.5, 8.5, 4.6, 7);
    h.lineTo(5.4, 5.2);
    h.closeSubpath();
    p.setPen(Pen(fill.darker(160), 0.9));
    p.setBrush(fill);
    p.drawPath(h);
}

void Arrow(QPainter& p, bool left) {
    p.save();
    if (!left) {
        p.translate(16, 0);
        p.scale(-1, 1);
    }
    QPainterPath arc;
    arc.moveTo(4, 7);
    arc.cubicTo(8, 3.5, 14, 5, 13.5, 10.5);
    arc.cubicTo(13, 12.5, 11.5, 13.5, 10, 13.5);
    p.setPen(Pen(kGreenEdge, 2.6));
    p.setBrush(Qt::NoBrush);
    p.drawPath(arc);
    p.setPen(Pen(kGreen, 1.4));
    p.drawPath(arc);
    QPainterPath head;
    head.moveTo(1.5, 8.5);
    head.lineTo(5.8, 3.2);
    head.lineTo(7, 9.5);
    head.closeSubpath();
    p.setPen(Pen(kGreenEdge, 0.8));
    p.setBrush(kGreen);
    p.drawPath(head);
    p.restore();
}

void Square(QPainter& p) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(102, 89, 79));
    p.drawRoundedRect(QRectF(1.5, 1.5, 13, 13), 1.5, 1.5);
}

using Draw = std::function<void(QPainter&)>;

const std::vector<std::pair<std::string, Draw>>& Designs() {
    static const std::vector<std::pair<std::string, Draw>> designs = {
        {"new_game",
         [](QPainter& p) {
             Disc(p, 6.5, 9.5, 4.8, kGreen, kGreenEdge);
             Disc(p, 9.5, 7.5, 4.8, kAmber, kAmberEdge);
             QPainterPath star;
             star.moveTo(13, 0.5);
             star.quadTo(13.4, 2.6, 15.5, 3);
             star.quadTo(13.4, 3.4, 13, 5.5);
             star.quadTo(12.6, 3.4, 10.5, 3);
             star.quadTo(12.6, 2.6, 13, 0.5);
             p.setPen(Pen(kAmberEdge, 0.5));
             p.setBrush(QColor(255, 240, 170));
             p.drawPath(star);
         }},
        {"hint", [](QPainter& p) { Bulb(p, 1); }},
        {"options",
         [](QPainter& p) {
             QPainterPath gear;
             const int teeth = 8;
             for (int i = 0; i < teeth * 2; ++i) {
                 double a = i * M_PI / teeth, r = (i % 2 == 0) ? 7.0 : 5.4;
                 double a0 = a - M_PI / teeth * 0.45, a1 = a + M_PI / teeth * 0.45;
                 QPointF p0(8 + r * std::cos(a0), 8 + r * std::sin(a0)),
                     p1(8 + r * std::cos(a1), 8 + r * std::sin(a1));
                 if (i == 0)
                     gear.moveTo(p0);
                 else
                     gear.lineTo(p0);
                 gear.lineTo(p1);
             }
             gear.closeSubpath();
             gear.addEllipse(QPointF(8, 8), 2.2, 2.2);
             gear.setFillRule(Qt::OddEvenFill);
             p.setPen(Pen(kInk, 0.9));
             p.setBrush(QColor(150, 132, 118));
             p.drawPath(gear);
         }},
        {"exit",
         [](QPainter& p) {
             p.setPen(Pen(kInk, 1.1));
             p.setBrush(kPaper);
             p.drawRect(QRectF(1.5, 1.5, 8, 13));
             p.setBrush(kAmber);
             QPainterPath door;
             door.moveTo(1.5, 1.5);
             door.lineTo(6.5, 3);
             door.lineTo(6.5, 15.5);
             door.lineTo(1.5, 14.5);
             door.closeSubpath();
             p.drawPath(door);
             p.setPen(Pen(kRed, 1.8));
             p.drawLine(QPointF(8.5, 8), QPointF(14.5, 8));
             p.drawLine(QPointF(12, 5.5), QPointF(14.8, 8));
             p.drawLine(QPointF(12, 10.5), QPointF(14.8, 8));
         }},
        {"animation",
         [](QPainter& p) {
             p.setPen(Pen(kInk.lighter(150), 1.0));
             for (int i = 0; i < 3; ++i)
                 p.drawLine(QPointF(1, 5 + 3 * i), QPointF(4.5 - i * 0.5, 5 + 3 * i));
             p.setPen(Pen(kAmberEdge, 0.8));
             p.setBrush(kAmber);
             p.drawEllipse(QPointF(8, 8), 2.2, 6);
             p.setBrush(kGreen);
             p.setPen(Pen(kGreenEdge, 0.8));
             p.drawEllipse(QPointF(12.5, 8), 3.2, 6);
         }},
        {"sound",
         [](QPainter& p) {
             Speaker(p);
             p.setPen(Pen(kInk, 1.1));
             p.setBrush(Qt::NoBrush);
             p.drawArc(QRectF(6.5, 4.5, 6, 7), -50 * 16, 100 * 16);
             p.drawArc(QRectF(5.5, 2, 10, 12), -50 * 16, 100 * 16);
         }},
        {"music",
         [](QPainter& p) {
             p.setPen(Pen(kInk, 1.2));
             p.setBrush(kInk);
             p.drawEllipse(QPointF(4.2, 12.5), 2.3, 1.8);
             p.drawEllipse(QPointF(11.7, 11), 2.3, 1.8);
             p.drawLine(QPointF(6.2, 12.3), QPointF(6.2, 3.5));
             p.drawLine(QPointF(13.7, 10.8), QPointF(13.7, 2));
             p.setPen(Pen(kAmberEdge, 2.2));
             p.drawLine(QPointF(6.2, 3.6), QPointF(13.7, 2.1));
         }},
        {"volume",
         [](QPainter& p) {
             Speaker(p);
             p.setPen(Qt::NoPen);
             for (int i = 0; i < 3; ++i) {
                 p.setBrush(i < 2 ? kGreen : QColor(170, 160, 150));
                 double h = 3 + 2.5 * i;
                 p.drawRect(QRectF(10 + 2 * i, 14 - h, 1.5, h));
             }
         }},
        {"music_source",
         [](QPainter& p) {
             Folder(p, false);
             Note(p, 8, 12, 0.8);
         }},
        {"call", [](QPainter& p) { Handset(p, kGreen); }},
        {"allow_call",
         [](QPainter& p) {
             Handset(p, QColor(150, 132, 118));
             p.setPen(Pen(kGreen, 1.2));
             p.setBrush(Qt::NoBrush);
             p.drawArc(QRectF(7, 1, 8, 8), 0, 90 * 16);
             p.drawArc(QRectF(9, 3, 4, 4), 0, 90 * 16);
         }},
        {"disconnect",
         [](QPainter& p) {
             p.setBrush(Qt::NoBrush);
             p.setPen(Pen(kInk, 1.6));
             p.drawRoundedRect(QRectF(0.8, 6, 7, 4.5), 2.2, 2.2);
             p.drawRoundedRect(QRectF(8.2, 5.5, 7, 4.5), 2.2, 2.2);
             p.setPen(Pen(kRed, 1.2));
             p.drawLine(QPointF(8, 1), QPointF(8, 3.5));
             p.drawLine(QPointF(4.5, 2), QPointF(5.8, 4));
             p.drawLine(QPointF(11.5, 12), QPointF(10.2, 14));
             p.drawLine(QPointF(8, 12.5), QPointF(8, 15));
         }},
        {"message",
         [](QPainter& p) {
             QPainterPath bubble;
             bubble.addRoundedRect(QRectF(1, 2, 14, 9.5), 2.5, 2.5);
             QPainterPath tail;
             tail.moveTo(4, 10);
             tail.lineTo(3.5, 14.5);
             tail.lineTo(8, 10.5);
             tail.closeSubpath();
             p.setPen(Pen(kInk, 1.0));
             p.setBrush(kPaper);
             p.drawPath(bubble.united(tail));
             p.setPen(Pen(kAmberEdge, 1.0));
             p.drawLine(QPointF(4, 5.2), QPointF(12, 5.2));
             p.drawLine(QPointF(4, 8), QPointF(10, 8));
         }},
        {"show_ip",
         [](QPainter& p) {
             QRadialGradient g(6, 5, 9);
             g.setColorAt(0, kSky.lighter(140));
             g.setColorAt(1, kSky.darker(120));
             p.setBrush(g);
             p.setPen(Pen(kInk, 1.0));
             p.drawEllipse(QPointF(8, 8), 6.5, 6.5);
             p.setBrush(Qt::NoBrush);
             p.setPen(Pen(kPaper, 0.8));
             p.drawEllipse(QPointF(8, 8), 2.8, 6.5);
             p.drawLine(QPointF(1.8, 8), QPointF(14.2, 8));
             p.drawLine(QPointF(3, 4.5), QPointF(13, 4.5));
             p.drawLine(QPointF(3, 11.5), QPointF(13, 11.5));
         }},
        {"undo", [](QPainter& p) { Arrow(p, true); }},
        {"redo", [](QPainter& p) { Arrow(p, false); }},
        {"show_moves",
         [](QPainter& p) {
             p.setPen(Pen(kInk, 0.9));
             p.setBrush(QColor(85, 74, 67));
             p.drawRoundedRect(QRectF(1.5, 1.5, 13, 13), 1.5, 1.5);
             for (int i = 0; i < 4; ++i) {
                 double y = 4.2 + 2.6 * i;
                 p.setPen(Pen(i % 2 == 0 ? kAmber : QColor(120, 200, 140), 1.1));
                 p.drawPoint(QPointF(4, y));
                 p.setPen(Pen(QColor(217, 204, 197), 1.0));
                 p.drawLine(QPointF(6, y), QPointF(12.5 - (i % 2) * 2, y));
             }
         }},
        {"save",
         [](QPainter& p) {
             QPainterPath body;
             body.moveTo(1.5, 1.5);
             body.lineTo(12.5, 1.5);
             body.lineTo(14.5, 3.5);
             body.lineTo(14.5, 14.5);
             body.lineTo(1.5, 14.5);
             body.closeSubpath();
             p.setPen(Pen(kGreenEdge, 1.0));
             p.setBrush(kGreen);
             p.drawPath(body);
             p.setPen(Qt::NoPen);
             p.setBrush(kPaper);
             p.drawRect(QRectF(3.5, 8.5, 9, 6));
             p.setBrush(QColor(200, 200, 196));
             p.drawRect(QRectF(4.5, 1.5, 6.5, 4.5));
             p.setBrush(kInk);
             p.drawRect(QRectF(8.5, 2.3, 1.6, 3));
         }},
        {"open", [](QPainter& p) { Folder(p, true); }},
        {"copy_match",
         [](QPainter& p) {
             // Two written sheets of moves, one over the other.
             for (const QPointF at : {QPointF(1.5, 1.5), QPointF(5.5, 4.5)}) {
                 p.setPen(Pen(kInk, 0.9));
                 p.setBrush(kPaper);
                 p.drawRect(QRectF(at.x(), at.y(), 9, 10.5));
                 for (int i = 0; i < 3; ++i) {
                     const double y = at.y() + 3 + 2.6 * i;
                     p.setPen(Pen(i % 2 == 0 ? kAmberEdge : kGreen, 1.1));
                     p.drawLine(QPointF(at.x() + 2, y), QPointF(at.x() + 7 - (i % 2) * 1.5, y));
                 }
             }
         }},
        {"paste_match",
         [](QPainter& p) {
             // A clipboard holding a sheet of moves.
             p.setPen(Pen(kAmberEdge, 0.9));
             p.setBrush(kAmber.darker(110));
             p.drawRoundedRect(QRectF(2, 2.5, 12, 12.5), 1.2, 1.2);
             p.setPen(Pen(kInk, 0.8));
             p.setBrush(kPaper);
             p.drawRect(QRectF(4, 4.5, 8, 9));
             p.setBrush(QColor(200, 200, 196));
             p.drawRoundedRect(QRectF(5.5, 1, 5, 3), 0.8, 0.8);
             for (int i = 0; i < 3; ++i) {
                 const double y = 7 + 2.3 * i;
                 p.setPen(Pen(i % 2 == 0 ? kAmberEdge : kGreen, 1.1));
                 p.drawLine(QPointF(5.5, y), QPointF(10.5 - (i % 2) * 1.5, y));
             }
         }},
        {"help",
         [](QPainter& p) {
             Disc(p, 8, 8, 6.8, kAmber, kAmberEdge);
             p.setPen(Qt::NoPen);
             p.setBrush(kInk);
             p.drawPath(CentredText("?", FontFace::SansBold, 11.5, 8, 8.2));
         }},
        {"day_tip",
         [](QPainter& p) {
             p.setPen(Pen(kInk, 0.9));
             p.setBrush(kPaper);
             p.drawRect(QRectF(2.5, 1.5, 11, 13));
             p.setBrush(kRed);
             p.setPen(Qt::NoPen);
             p.drawRect(QRectF(2.5, 1.5, 11, 3));
             QPainterPath star;
             for (int i = 0; i < 10; ++i) {
                 double a = -M_PI / 2 + i * M_PI / 5, r = i % 2 == 0 ? 4.2 : 1.8;
                 QPointF pt(8 + r * std::cos(a), 9.8 + r * std::sin(a));
                 if (i == 0)
                     star.moveTo(pt);
                 else
                     star.lineTo(pt);
             }
             star.closeSubpath();
             p.setPen(Pen(kAmberEdge, 0.6));
             p.setBrush(kAmber);
             p.drawPath(star);
         }},
        {"statistics",
         [](QPainter& p) {
             p.setPen(Pen(kInk, 1.0));
             p.drawLine(QPointF(1.5, 14.5), QPointF(14.5, 14.5));
             p.setPen(Pen(kGreenEdge, 0.8));
             p.setBrush(kGreen);
             p.drawRect(QRectF(2.5, 8, 3, 6));
             p.setPen(Pen(kAmberEdge, 0.8));
             p.setBrush(kAmber);
             p.drawRect(QRectF(6.5, 3, 3, 11));
             p.setPen(Pen(kInk, 0.8));
             p.setBrush(QColor(150, 132, 118));
             p.drawRect(QRectF(10.5, 10, 3, 4));
         }},
        {"analysis",
         [](QPainter& p) {
             p.setPen(Pen(kInk, 1.0));
             p.drawLine(QPointF(1.5, 1.5), QPointF(1.5, 14.5));
             p.drawLine(QPointF(1.5, 14.5), QPointF(14.5, 14.5));
             const QPointF points[] = {{3.5, 9}, {6.5, 6}, {9.5, 8}, {13, 3}};
             p.setPen(Pen(kGreenEdge, 1.1));
             p.drawPolyline(points, 4);
             for (const QPointF& point : points) {
                 Disc(p, point.x(), point.y(), 1.6, kAmber, kAmberEdge);
             }
         }},
        {"about",
         [](QPainter& p) {
             Disc(p, 8, 8, 6.8, kGreen, kGreenEdge);
             p.setPen(Qt::NoPen);
             p.setBrush(kPaper);
             p.drawPath(CentredText("i", FontFace::SerifBold, 11.5, 8, 8.3));
         }},
        {"figures",
         [](QPainter& p) {
             Square(p);
             Disc(p, 6, 6, 3.6, kAmber, kAmberEdge);
             Disc(p, 10, 10, 3.6, kGreen, kGreenEdge);
         }},
        {"cursor",
         [](QPainter& p) {
             Square(p);
             p.setBrush(Qt::NoBrush);
             p.setPen(QPen(QColor(240, 196, 89), 1.2));
             p.drawRect(QRectF(2.6, 2.6, 10.8, 10.8));
             p.setPen(QPen(QColor(208, 148, 73), 1.0));
             p.drawRect(QRectF(4.2, 4.2, 7.6, 7.6));
         }},
        {"marks",
         [](QPainter& p) {
             Square(p);
             p.setBrush(Qt::NoBrush);
             p.setPen(QPen(QColor(255, 214, 120), 1.6));
             p.drawEllipse(QPointF(8, 8), 3.6, 3.6);
         }},
        {"border",
         [](QPainter& p) {
             p.setPen(Qt::NoPen);
             p.setBrush(QColor(212, 182, 140));
             p.drawRect(QRectF(1, 1, 14, 14));
             p.setBrush(QColor(102, 89, 79));
             p.drawRect(QRectF(5, 5, 10, 10));
             p.setPen(QPen(kInk, 0.8));
             p.setBrush(Qt::NoBrush);
             p.drawRect(QRectF(1, 1, 14, 14));
         }},
    };
    return designs;
}

}  // namespace

std::vector<NamedImage> MenuIcons(int size) {
    std::vector<NamedImage> out;
    for (const auto& [name, draw] : Designs()) {
        QImage img(size, size, QImage::Format_ARGB32_Premultiplied);
        img.fill(Qt::transparent);
        {
            QPainter p(&img);
            p.setRenderHint(QPainter::Antialiasing, true);
            p.scale(size / 16.0, size / 16.0);
            draw(p);
        }
        out.push_back({name, img.convertToFormat(QImage::Format_ARGB32)});
    }
    return out;
}

}  // namespace velmora::assets
