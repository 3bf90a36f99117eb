#pragma once

#include <QWidget>
#include <vector>

#include "engine/match_analysis.h"

namespace velmora {

// The value of every position of the match from the yellows' side, move by move: solved
// values (discs) as filled points on the left axis's scale, evaluated ones (evaluation
// points) as hollow points on the right axis's scale; inaccuracies and mistakes ringed, the
// position on screen marked. A press near a point reports its position's index.
class AnalysisGraph : public QWidget {
    Q_OBJECT

  public:
    explicit AnalysisGraph(QWidget* parent = nullptr);

    // No analysis: the text is shown instead of a graph.
    void ShowText(const QString& text);
    void ShowAnalysis(const MatchAnalysis& analysis);
    // The position on screen: 0 the start, k after move k.
    void SetCurrent(int index);
    int Current() const { return current_; }
    bool HasGraph() const { return !positions_.empty(); }
    // Where the point of position index is drawn.
    QPoint PointOf(int index) const;

    QSize sizeHint() const override { return {600, 260}; }

  signals:
    void pointClicked(int index);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

  private:
    QRect Plot() const;
    int DiscScale() const;

    int size_ = 8;
    std::vector<PositionValue> positions_;
    // Per position after a move: the grade of the move that led there.
    std::vector<MoveGrade> grades_;
    int evaluationScale_ = 100;
    int current_ = -1;
    QString text_;
};

}  // namespace velmora
