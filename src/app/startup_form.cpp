#include "app/startup_form.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPixmap>
#include <QRadialGradient>
#include <QScreen>

namespace velmora {

namespace {

QPixmap DrawnPicture(bool russian) {
    QPixmap picture(kStartUpWidth, kStartUpHeight);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient ground(0, 0, 0, kStartUpHeight);
    ground.setColorAt(0, QColor(78, 64, 54));
    ground.setColorAt(1, QColor(36, 27, 22));
    painter.fillRect(picture.rect(), ground);
    painter.setPen(QColor(150, 120, 80));
    painter.drawRect(QRectF(0.5, 0.5, kStartUpWidth - 1, kStartUpHeight - 1));

    // Two discs, amber over green, as on the board.
    const auto disc = [&](QPointF centre, QColor light, QColor dark) {
        QRadialGradient shade(centre - QPointF(6, 6), 26);
        shade.setColorAt(0, light);
        shade.setColorAt(1, dark);
        painter.setPen(Qt::NoPen);
        painter.setBrush(shade);
        painter.drawEllipse(centre, 17, 17);
    };
    disc({34, 50}, QColor(110, 190, 120), QColor(20, 80, 40));
    disc({50, 70}, QColor(255, 222, 120), QColor(190, 120, 20));

    QFont title = painter.font();
    title.setPixelSize(russian ? 21 : 22);
    title.setBold(true);
    painter.setFont(title);
    painter.setPen(QColor(240, 214, 160));
    const QString name =
        russian ? QStringLiteral("Вельморные\nРеверси") : QStringLiteral("Velmora\nReversi");
    painter.drawText(QRect(76, 20, kStartUpWidth - 84, 64), Qt::AlignCenter, name);
    QFont small = painter.font();
    small.setPixelSize(12);
    small.setBold(false);
    painter.setFont(small);
    painter.setPen(QColor(196, 180, 166));
    painter.drawText(QRect(76, 88, kStartUpWidth - 84, 20), Qt::AlignCenter,
                     russian ? QStringLiteral("Загрузка...") : QStringLiteral("Loading..."));
    return picture;
}

}  // namespace

QPixmap StartUpPicture(bool russian) {
    const QString resource = russian ? QStringLiteral(":/logo/startup_rus.png")
                                     : QStringLiteral(":/logo/startup_eng.png");
    if (QFile::exists(resource)) {
        QPixmap picture(resource);
        if (!picture.isNull() && picture.size() == QSize(kStartUpWidth, kStartUpHeight)) {
            return picture;
        }
    }
    return DrawnPicture(russian);
}

TStartUpForm::TStartUpForm()
    : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint),
      russian_(new QLabel(this)),
      english_(new QLabel(this)) {
    setObjectName(QStringLiteral("StartUpForm"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFixedSize(kStartUpWidth, kStartUpHeight);
    russian_->setObjectName(QStringLiteral("StartUpImage_RUS"));
    english_->setObjectName(QStringLiteral("StartUpImage_ENG"));
    for (QLabel* image : {russian_, english_}) {
        image->setGeometry(0, 0, kStartUpWidth, kStartUpHeight);
        image->hide();
    }
    russian_->setPixmap(StartUpPicture(true));
    english_->setPixmap(StartUpPicture(false));
    russian_->show();
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect desktop = screen->availableGeometry();
        move(desktop.center().x() - kStartUpWidth / 2, desktop.center().y() - kStartUpHeight / 2);
    }
}

void TStartUpForm::ShowNow() {
    show();
    raise();
    repaint();
    // Let the window system map and draw it before the main window's creation blocks.
    QApplication::processEvents();
}

}  // namespace velmora
