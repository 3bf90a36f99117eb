#pragma once

#include <QListWidget>

#include "engine/match_record.h"

namespace velmora {

// The moves list beside the board: one row per move plus the end marker, painted in the
// board's colours, following the match record. Clicks and drags are reported as rows; the
// list never takes the keyboard focus, so the arrow keys keep driving the board cursor.
class MovesListBox : public QListWidget, public MovesListListener {
    Q_OBJECT

  public:
    static constexpr int kRowHeight = 16;

    explicit MovesListBox(QWidget* parent = nullptr);

    // MovesListListener
    void Clear() override;
    void InsertLine(int index, const std::string& text) override;
    void SelectRow(int row) override;
    void Repaint() override;
    void ScrollToBottom() override;

    int SelectedRow() const { return selectedRow_; }
    // Whether a press may navigate (the Undo and Redo buttons are enabled).
    void SetNavigable(bool navigable) { navigable_ = navigable; }
    bool Navigable() const { return navigable_; }
    // Scrolls one row when a press landed at the list's top or bottom edge.
    void ScrollAtEdge(int y);

  signals:
    void rowPressed(int row, int y);

  protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

  private:
    int RowAt(int y) const;

    int selectedRow_ = 0;
    bool navigable_ = false;
};

}  // namespace velmora
