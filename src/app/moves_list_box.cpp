#include "app/moves_list_box.h"

#include <QFontDatabase>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyledItemDelegate>

namespace velmora {

namespace {

const QColor kListBackground(85, 74, 67);
const QColor kSelectedBackground(131, 109, 97);
const QColor kDotColour(179, 157, 145);
const QColor kTextColour(217, 204, 197);
const QColor kMarkerShadow(60, 53, 48);

QFont ListFont() {
    QFont font(QStringLiteral("Courier New"));
    font.setStyleHint(QFont::Monospace);
    if (!QFontInfo(font).fixedPitch()) {
        font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    }
    font.setPixelSize(13);
    return font;
}

// Paints one row: the move line character by character, dots dimmer than the rest; the end
// marker as a two-line groove.
class MoveRowDelegate : public QStyledItemDelegate {
  public:
    explicit MoveRowDelegate(const MovesListBox* list)
        : QStyledItemDelegate(nullptr), list_(list) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        const QRect rect = option.rect;
        const bool selected = index.row() == list_->SelectedRow();
        painter->fillRect(rect, selected ? kSelectedBackground : kListBackground);
        const QString text = index.data().toString();
        if (text == QLatin1String(kEndMarker)) {
            painter->setPen(kDotColour);
            painter->drawLine(rect.left(), rect.top() + 8, rect.right(), rect.top() + 8);
            painter->setPen(kMarkerShadow);
            painter->drawLine(rect.left(), rect.top() + 7, rect.right(), rect.top() + 7);
            return;
        }
        painter->setFont(list_->font());
        const QFontMetrics metrics(list_->font());
        int x = rect.left() + 3;
        const int baseline =
            rect.top() + (rect.height() + metrics.ascent() - metrics.descent()) / 2;
        for (const QChar c : text) {
            painter->setPen(c == '.' ? kDotColour : kTextColour);
            painter->drawText(x, baseline, QString(c));
            x += metrics.horizontalAdvance(c);
        }
    }

    QSize sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const override {
        return {100, MovesListBox::kRowHeight};
    }

  private:
    const MovesListBox* list_;
};

}  // namespace

MovesListBox::MovesListBox(QWidget* parent) : QListWidget(parent) {
    setItemDelegate(new MoveRowDelegate(this));
    setFont(ListFont());
    setFocusPolicy(Qt::NoFocus);
    setSelectionMode(QAbstractItemView::NoSelection);
    setUniformItemSizes(true);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setMouseTracking(true);
    setFrameShape(QFrame::StyledPanel);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Base, kListBackground);
    setPalette(palette);
}

void MovesListBox::Clear() {
    clear();
    selectedRow_ = 0;
}

void MovesListBox::InsertLine(int index, const std::string& text) {
    insertItem(index, QString::fromStdString(text));
}

void MovesListBox::SelectRow(int row) {
    selectedRow_ = row;
    if (QListWidgetItem* it = item(row)) {
        scrollToItem(it);
    }
}

void MovesListBox::Repaint() {
    viewport()->update();
}

void MovesListBox::ScrollToBottom() {
    scrollToBottom();
}

int MovesListBox::RowAt(int y) const {
    const int top = verticalScrollBar()->value();
    return y / kRowHeight + top;
}

void MovesListBox::ScrollAtEdge(int y) {
    QScrollBar* bar = verticalScrollBar();
    if (y <= kRowHeight) {
        bar->setValue(bar->value() - 1);
    } else if (y >= viewport()->height() - 2 * kRowHeight) {
        bar->setValue(bar->value() + 1);
    }
}

void MovesListBox::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && navigable_) {
        const int y = static_cast<int>(event->position().y());
        emit rowPressed(RowAt(y), y);
    }
}

void MovesListBox::mouseMoveEvent(QMouseEvent* event) {
    const int y = static_cast<int>(event->position().y());
    const int row = RowAt(y);
    if (row >= count()) {
        viewport()->unsetCursor();
        return;
    }
    if (!navigable_) {
        viewport()->setCursor(Qt::ForbiddenCursor);
        return;
    }
    viewport()->setCursor(Qt::PointingHandCursor);
    if (event->buttons() == Qt::LeftButton) {
        emit rowPressed(row, y);
    }
}

void MovesListBox::mouseReleaseEvent(QMouseEvent*) {}

void MovesListBox::mouseDoubleClickEvent(QMouseEvent* event) {
    mousePressEvent(event);
}

}  // namespace velmora
