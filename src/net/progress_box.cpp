#include "net/progress_box.h"

#include <QPainter>
#include <QTimer>

namespace velmora {

namespace {

// The picture with its lower-left pixel's colour made transparent. The pictures are compiled
// into the program; where they are missing (tests) the box shows its word alone.
QImage LoadPicture(const QString& path) {
    QImage image(path);
    if (image.isNull()) {
        return image;
    }
    image = image.convertToFormat(QImage::Format_ARGB32);
    const QRgb key = image.pixel(0, image.height() - 1);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (line[x] == key) {
                line[x] = qRgba(0, 0, 0, 0);
            }
        }
    }
    return image;
}

}  // namespace

ProgressBox::ProgressBox(Kind kind, QWidget* window) : QWidget(window) {
    const bool connecting = kind == Kind::Connect;
    text_ = connecting ? QStringLiteral("Соединение...") : QStringLiteral("Загрузка...");
    picture_ = LoadPicture(connecting ? QStringLiteral(":/progress/CONNECT_BMP.bmp")
                                      : QStringLiteral(":/progress/PACK_BMP.bmp"));
    setFixedSize(kWidth, kHeight);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    hide();
    timer_ = new QTimer(this);
    timer_->setInterval(50);
    connect(timer_, &QTimer::timeout, this, &ProgressBox::Step);
}

void ProgressBox::Start(int left, int top) {
    frame_ = 0;
    move(left, top);
    show();
    raise();
    repaint();
    timer_->start();
}

void ProgressBox::Stop() {
    timer_->stop();
    hide();
    if (parentWidget() != nullptr) {
        parentWidget()->update();
    }
}

bool ProgressBox::Running() const {
    return timer_->isActive();
}

void ProgressBox::Step() {
    frame_ = frame_ >= 240 ? 0 : frame_ + 1;
    update();
}

void ProgressBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QPalette& colours = palette();
    painter.fillRect(QRect(QPoint(2, 2), QPoint(197, 57)), colours.color(QPalette::Button));
    // Outer border: shadow on the left and top, dark shadow on the right and bottom.
    painter.setPen(colours.color(QPalette::Mid));
    painter.drawLine(0, 0, 0, 59);
    painter.drawLine(0, 0, 199, 0);
    painter.setPen(colours.color(QPalette::Shadow));
    painter.drawLine(0, 59, 199, 59);
    painter.drawLine(199, 59, 199, 0);
    // Inner border: highlight on the left and top, shadow on the right and bottom.
    painter.setPen(colours.color(QPalette::Light));
    painter.drawLine(1, 1, 1, 58);
    painter.drawLine(1, 1, 198, 1);
    painter.setPen(colours.color(QPalette::Mid));
    painter.drawLine(1, 58, 198, 58);
    painter.drawLine(198, 58, 198, 1);
    if (!picture_.isNull()) {
        painter.drawImage(12, 12, picture_);
    }
    if (TextShown()) {
        painter.setPen(colours.color(QPalette::ButtonText));
        const QFontMetrics metrics(font());
        const int left = (kWidth - metrics.horizontalAdvance(text_)) / 2;
        const int top = (kHeight - metrics.height()) / 2;
        painter.drawText(left, top + metrics.ascent(), text_);
    }
}

}  // namespace velmora
