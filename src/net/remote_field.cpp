#include "net/remote_field.h"

#include <QPainter>

namespace velmora {

TRemoteField::TRemoteField(std::string fieldText, int boardSize, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      text_(std::move(fieldText)),
      size_(boardSize == 10 ? 10 : 8) {
    setWindowTitle(QStringLiteral("R_BRD"));
    setFixedSize(128, 128);
    setCursor(Qt::PointingHandCursor);
}

void TRemoteField::SetFieldText(std::string fieldText) {
    text_ = std::move(fieldText);
    update();
}

void TRemoteField::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const int cw = width() / size_;
    const int ch = height() / size_;
    for (int c = 0; c < size_; ++c) {
        for (int r = 0; r < size_; ++r) {
            const std::size_t offset = 1 + static_cast<std::size_t>(c * size_ + r);
            // Squares a short text does not reach stay empty.
            if (offset >= text_.size() || text_[offset] == '+') {
                continue;
            }
            const char square = text_[offset];
            const QColor colour = square == 'b'   ? QColor(0, 0, 0)
                                  : square == 'w' ? QColor(255, 255, 255)
                                                  : QColor(127, 127, 127);
            painter.fillRect(c * cw, r * ch, cw - 1, ch - 1, colour);
        }
    }
}

void TRemoteField::mousePressEvent(QMouseEvent*) {
    accept();
}

}  // namespace velmora
