#include "app/analysis_graph.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cstdlib>

namespace velmora {

namespace {

// The moves list's colours, so the graph sits with the board.
const QColor kBackground(85, 74, 67);
const QColor kGrid(60, 53, 48);
const QColor kAxisText(217, 204, 197);
const QColor kLine(179, 157, 145);
const QColor kSolved(242, 204, 70);
const QColor kEvaluated(150, 190, 235);
const QColor kCurrent(131, 109, 97);
const QColor kInaccuracy(240, 150, 40);
const QColor kMistake(235, 60, 50);

constexpr int kLeftMargin = 52;
constexpr int kRightMargin = 52;
constexpr int kTopMargin = 22;
constexpr int kBottomMargin = 30;

}  // namespace

AnalysisGraph::AnalysisGraph(QWidget* parent) : QWidget(parent) {
    setMinimumSize(420, 200);
    setCursor(Qt::PointingHandCursor);
}

void AnalysisGraph::ShowText(const QString& text) {
    positions_.clear();
    grades_.clear();
    text_ = text;
    update();
}

void AnalysisGraph::ShowAnalysis(const MatchAnalysis& analysis) {
    size_ = analysis.size;
    positions_ = analysis.positions;
    grades_.assign(positions_.size(), MoveGrade::Best);
    for (const MoveAnalysis& m : analysis.moves) {
        grades_[static_cast<std::size_t>(m.number)] = m.grade;
    }
    // The evaluation axis reaches the largest evaluated value, in steps of 50, at least 100.
    int largest = 0;
    for (const PositionValue& p : positions_) {
        if (p.kind == ValueKind::Evaluated) {
            largest = std::max(largest, std::abs(p.value));
        }
    }
    evaluationScale_ = std::max(100, (largest + 49) / 50 * 50);
    text_.clear();
    update();
}

void AnalysisGraph::SetCurrent(int index) {
    if (index != current_) {
        current_ = index;
        update();
    }
}

int AnalysisGraph::DiscScale() const {
    return size_ * size_;
}

QRect AnalysisGraph::Plot() const {
    return rect().adjusted(kLeftMargin, kTopMargin, -kRightMargin, -kBottomMargin);
}

QPoint AnalysisGraph::PointOf(int index) const {
    const QRect plot = Plot();
    const int last = std::max<int>(1, static_cast<int>(positions_.size()) - 1);
    const int x = plot.left() + plot.width() * index / last;
    if (index < 0 || index >= static_cast<int>(positions_.size())) {
        return {x, plot.center().y()};
    }
    const PositionValue& p = positions_[static_cast<std::size_t>(index)];
    const int scale = p.kind == ValueKind::Solved ? DiscScale() : evaluationScale_;
    const int value = std::clamp(p.value, -scale, scale);
    const int y = plot.center().y() - (plot.height() / 2) * value / scale;
    return {x, y};
}

void AnalysisGraph::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), kBackground);
    painter.setRenderHint(QPainter::Antialiasing);
    QFont small = font();
    small.setPixelSize(11);
    painter.setFont(small);
    if (positions_.empty()) {
        painter.setPen(kAxisText);
        painter.drawText(rect(), Qt::AlignCenter, text_);
        return;
    }
    const QRect plot = Plot();
    const int middle = plot.center().y();
    const int half = plot.height() / 2;

    // Grid and the two value axes: discs on the left, evaluation points on the right.
    for (const int step : {-2, -1, 0, 1, 2}) {
        const int y = middle - half * step / 2;
        painter.setPen(QPen(step == 0 ? kLine : kGrid, 1));
        painter.drawLine(plot.left(), y, plot.right(), y);
        painter.setPen(kAxisText);
        const QRect leftLabel(0, y - 8, kLeftMargin - 6, 16);
        painter.drawText(leftLabel, Qt::AlignRight | Qt::AlignVCenter,
                         QString::asprintf("%+d", DiscScale() * step / 2).replace("+0", "0"));
        const QRect rightLabel(plot.right() + 6, y - 8, kRightMargin - 6, 16);
        painter.drawText(rightLabel, Qt::AlignLeft | Qt::AlignVCenter,
                         QString::asprintf("%+d", evaluationScale_ * step / 2).replace("+0", "0"));
    }
    painter.setPen(kSolved);
    painter.drawText(QRect(0, 2, width() / 2, kTopMargin - 4), Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("● точно: разница фишек"));
    painter.setPen(kEvaluated);
    painter.drawText(QRect(width() / 2, 2, width() / 2 - 4, kTopMargin - 4),
                     Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("оценка: очки ○"));

    // Moves along the bottom, every tenth.
    const int last = static_cast<int>(positions_.size()) - 1;
    painter.setPen(kAxisText);
    for (int move = 0; move <= last; move += 10) {
        const int x = PointOf(move).x();
        painter.drawLine(x, plot.bottom(), x, plot.bottom() + 3);
        painter.drawText(QRect(x - 20, plot.bottom() + 4, 40, 14), Qt::AlignCenter,
                         QString::number(move));
    }
    painter.drawText(QRect(plot.left(), plot.bottom() + 14, plot.width(), 14), Qt::AlignCenter,
                     QStringLiteral("ход; выше нуля — перевес жёлтых"));

    if (current_ >= 0 && current_ <= last) {
        painter.setPen(QPen(kCurrent, 3));
        const int x = PointOf(current_).x();
        painter.drawLine(x, plot.top(), x, plot.bottom());
    }

    // The line through the points, dashed where it runs between evaluations.
    for (int k = 1; k <= last; ++k) {
        const bool solved = positions_[static_cast<std::size_t>(k)].kind == ValueKind::Solved &&
                            positions_[static_cast<std::size_t>(k - 1)].kind == ValueKind::Solved;
        painter.setPen(QPen(kLine, 1.5, solved ? Qt::SolidLine : Qt::DashLine));
        painter.drawLine(PointOf(k - 1), PointOf(k));
    }
    for (int k = 0; k <= last; ++k) {
        const QPoint point = PointOf(k);
        const MoveGrade grade = grades_[static_cast<std::size_t>(k)];
        if (grade != MoveGrade::Best) {
            painter.setPen(QPen(grade == MoveGrade::Mistake ? kMistake : kInaccuracy, 2));
            painter.setBrush(Qt::NoBrush);
            painter.drawEllipse(point, 7, 7);
        }
        if (positions_[static_cast<std::size_t>(k)].kind == ValueKind::Solved) {
            painter.setPen(QPen(kSolved.darker(150), 1));
            painter.setBrush(kSolved);
        } else {
            painter.setPen(QPen(kEvaluated, 1.5));
            painter.setBrush(kBackground);
        }
        painter.drawEllipse(QPointF(point), 3.5, 3.5);
    }
}

void AnalysisGraph::mousePressEvent(QMouseEvent* event) {
    if (positions_.empty() || event->button() != Qt::LeftButton) {
        return;
    }
    const int last = static_cast<int>(positions_.size()) - 1;
    const QRect plot = Plot();
    const double step = last > 0 ? static_cast<double>(plot.width()) / last : 1.0;
    const int index = static_cast<int>(std::lround((event->position().x() - plot.left()) / step));
    if (index >= 0 && index <= last && std::abs(PointOf(index).x() - event->position().x()) <= 8) {
        emit pointClicked(index);
    }
}

}  // namespace velmora
