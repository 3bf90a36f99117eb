#include "view/board_widget.h"

#include <QMouseEvent>
#include <QPainter>

#include "view/board_renderer.h"
#include "view/graphics_holder.h"
#include "view/top_down_copy.h"

namespace velmora {

BoardWidget::BoardWidget(GraphicsHolder& holder, const BoardRenderer& renderer, QWidget* parent)
    : QWidget(parent), holder_(holder), renderer_(renderer) {
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    FitToBackBuffer();
}

QSize BoardWidget::sizeHint() const {
    const int side = holder_.BackWidth() + 2 * BoardGeometry::kFrame;
    return {side, side};
}

void BoardWidget::FitToBackBuffer() {
    const QSize back(holder_.BackWidth(), holder_.BackHeight());
    if (screen_.size() != back) {
        screen_ = QImage(back, QImage::Format_RGB32);
        screen_.fill(Qt::black);
        setFixedSize(sizeHint());
    }
}

void BoardWidget::BlitSquare(int col, int row) {
    FitToBackBuffer();
    const BoardGeometry& g = renderer_.Geometry();
    DibLock back(holder_.BackBuffer());
    const PixelSurface surface{back.Bits(), holder_.BackWidth(), holder_.BackHeight()};
    auto* dst = reinterpret_cast<std::uint32_t*>(screen_.bits());
    CopyRectTopDown(surface, g.SquareX(col), g.SquareY(row), g.cell, g.cell, dst,
                    screen_.bytesPerLine() / 4);
    update(g.ClientX(col), g.ClientY(row), g.cell, g.cell);
}

void BoardWidget::RepaintBoard() {
    FitToBackBuffer();
    DibLock back(holder_.BackBuffer());
    const PixelSurface surface{back.Bits(), holder_.BackWidth(), holder_.BackHeight()};
    auto* dst = reinterpret_cast<std::uint32_t*>(screen_.bits());
    CopyRectTopDown(surface, 0, 0, surface.width, surface.height, dst, screen_.bytesPerLine() / 4);
    update();
}

void BoardWidget::ShowArrowPointer() {
    setCursor(Qt::ArrowCursor);
}

void BoardWidget::paintEvent(QPaintEvent* /*event*/) {
    if (!painted_) {
        painted_ = true;
        emit firstPainted();
    }
    QPainter painter(this);
    painter.drawImage(QPoint(BoardGeometry::kFrame, BoardGeometry::kFrame), screen_);
    DrawFrame(painter);
}

// A sunken edge: shadow left and top, highlight right and bottom, twice, one pixel apart.
void BoardWidget::DrawFrame(QPainter& painter) const {
    const QPalette& pal = palette();
    const int r = width() - 1;
    const int b = height() - 1;
    auto hline = [&](int x1, int x2, int y, const QColor& colour) {
        painter.fillRect(QRect(QPoint(x1, y), QPoint(x2, y)), colour);
    };
    auto vline = [&](int x, int y1, int y2, const QColor& colour) {
        painter.fillRect(QRect(QPoint(x, y1), QPoint(x, y2)), colour);
    };
    const QColor shadow = pal.color(QPalette::Dark);
    const QColor highlight = pal.color(QPalette::Light);
    const QColor darkShadow = pal.color(QPalette::Shadow);
    const QColor light = pal.color(QPalette::Midlight);
    vline(0, 0, b - 1, shadow);
    hline(0, r - 1, b, highlight);
    vline(r, 1, b, highlight);
    hline(1, r, 0, shadow);
    vline(1, 1, b - 2, darkShadow);
    hline(1, r - 2, b - 1, light);
    vline(r - 1, 2, b - 1, light);
    hline(2, r - 1, 1, darkShadow);
}

void BoardWidget::mouseMoveEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    emit pointerMoved(p.x(), p.y());
}

void BoardWidget::mousePressEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    if (event->button() == Qt::RightButton) {
        emit rightPressed(p.x(), p.y());
    }
}

void BoardWidget::mouseReleaseEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    if (event->button() == Qt::LeftButton && rect().contains(p)) {
        emit leftClicked(p.x(), p.y());
    }
}

}  // namespace velmora
