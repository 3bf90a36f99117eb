#pragma once

#include <QImage>
#include <QWidget>

#include "view/board_presenter.h"

namespace velmora {

class BoardRenderer;
class GraphicsHolder;

// The board area of the main window: the back buffer inside a sunken two-pixel frame. It keeps
// its own copy of what the screen shows, so a square blitted with the cursor keeps showing it
// after the back buffer has been restored underneath.
class BoardWidget : public QWidget, public BoardPresenter {
    Q_OBJECT

  public:
    BoardWidget(GraphicsHolder& holder, const BoardRenderer& renderer, QWidget* parent = nullptr);

    void BlitSquare(int col, int row) override;
    void RepaintBoard() override;
    void ShowArrowPointer() override;

    QSize sizeHint() const override;
    // What the board area shows, without the frame (top-down).
    const QImage& Screen() const { return screen_; }

  signals:
    void firstPainted();
    // Client coordinates, as the board geometry measures them.
    void pointerMoved(int x, int y);
    void leftClicked(int x, int y);
    void rightPressed(int x, int y);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    // Matches the screen copy and the widget size to the back buffer.
    void FitToBackBuffer();
    void DrawFrame(class QPainter& painter) const;

    GraphicsHolder& holder_;
    const BoardRenderer& renderer_;
    QImage screen_;
    bool painted_ = false;
};

}  // namespace velmora
