#include "app/about_still.h"

#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>

namespace velmora {

namespace {

constexpr int kStillWidth = kAboutClientWidth - 2;
constexpr int kStillHeight = kAboutClientHeight - 2;

void DrawDisc(QPainter& painter, QPointF centre, qreal radius, QColor light, QColor dark) {
    QRadialGradient shade(centre - QPointF(radius / 3, radius / 3), radius * 1.4);
    shade.setColorAt(0, light);
    shade.setColorAt(1, dark);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 0, 0, 90));
    painter.drawEllipse(centre + QPointF(3, 4), radius, radius);
    painter.setBrush(shade);
    painter.drawEllipse(centre, radius, radius);
}

}  // namespace

QImage AboutStillPicture() {
    QImage image(kStillWidth, kStillHeight, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);

    QLinearGradient ground(0, 0, 0, kStillHeight);
    ground.setColorAt(0, QColor(70, 58, 50));
    ground.setColorAt(1, QColor(32, 24, 20));
    painter.fillRect(image.rect(), ground);

    const QColor amberLight(255, 222, 120), amberDark(190, 120, 20);
    const QColor greenLight(110, 190, 120), greenDark(20, 80, 40);
    DrawDisc(painter, {70, 70}, 26, amberLight, amberDark);
    DrawDisc(painter, {122, 70}, 26, greenLight, greenDark);
    DrawDisc(painter, {258, 70}, 26, greenLight, greenDark);
    DrawDisc(painter, {310, 70}, 26, amberLight, amberDark);

    QFont title = painter.font();
    title.setPixelSize(26);
    title.setBold(true);
    painter.setFont(title);
    painter.setPen(QColor(20, 12, 8));
    const QRect titleRect(0, 118, kStillWidth, 40);
    painter.drawText(titleRect.translated(2, 2), Qt::AlignCenter,
                     QStringLiteral("Вельморные Реверси"));
    painter.setPen(QColor(240, 214, 160));
    painter.drawText(titleRect, Qt::AlignCenter, QStringLiteral("Вельморные Реверси"));

    QFont small = painter.font();
    small.setPixelSize(15);
    small.setBold(false);
    painter.setFont(small);
    painter.setPen(QColor(200, 184, 170));
    painter.drawText(QRect(0, 162, kStillWidth, 24), Qt::AlignCenter,
                     QStringLiteral("версия 4.02"));
    painter.setPen(QColor(150, 134, 122));
    painter.drawText(QRect(0, 216, kStillWidth, 24), Qt::AlignCenter,
                     QStringLiteral("Щёлкните, чтобы закрыть"));
    return image;
}

void DrawSunkenFrame(QWidget& widget) {
    QPainter painter(&widget);
    const int right = widget.width() - 1, bottom = widget.height() - 1;
    painter.setPen(widget.palette().color(QPalette::Dark));
    painter.drawLine(0, 0, right, 0);
    painter.drawLine(0, 0, 0, bottom);
    painter.setPen(widget.palette().color(QPalette::Light));
    painter.drawLine(right, 1, right, bottom);
    painter.drawLine(1, bottom, right, bottom);
}

AboutStill::AboutStill(QWidget* parent) : QWidget(parent), picture_(AboutStillPicture()) {
    setFixedSize(sizeHint());
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void AboutStill::paintEvent(QPaintEvent* /*event*/) {
    DrawSunkenFrame(*this);
    QPainter painter(this);
    painter.drawImage(1, 1, picture_);
}

}  // namespace velmora
