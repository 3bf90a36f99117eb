#pragma once

namespace velmora {

// The window side of the board: what the renderer and the animations ask of the screen.
class BoardPresenter {
  public:
    virtual ~BoardPresenter() = default;
    // Shows one square of the back buffer as it is now.
    virtual void BlitSquare(int col, int row) = 0;
    // Shows the whole back buffer (the paint handler); any cursor on screen disappears.
    virtual void RepaintBoard() = 0;
    // The animations switch the mouse pointer to the arrow while a move is shown.
    virtual void ShowArrowPointer() {}
};

}  // namespace velmora
