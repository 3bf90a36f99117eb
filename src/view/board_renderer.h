#pragma once

#include "engine/board.h"
#include "view/board_geometry.h"
#include "view/board_presenter.h"

namespace velmora {

class GraphicsHolder;

// Composes the board into the back buffer (border strips, square pictures, the board cursor)
// and shows squares through the presenter, keeping the cursor right on screen. Also owns the
// board cursor's position, which mouse positions move.
class BoardRenderer {
  public:
    static constexpr int kLastFigFrame = 14;

    explicit BoardRenderer(GraphicsHolder& holder, BoardPresenter* presenter = nullptr);

    void SetPresenter(BoardPresenter* presenter) { presenter_ = presenter; }
    BoardPresenter* Presenter() const { return presenter_; }
    GraphicsHolder& Holder() const { return holder_; }

    // Cell size and half cell for the board size; a change puts the cursor back on (0, 0).
    void SetBoardSize(int size);
    const BoardGeometry& Geometry() const { return geometry_; }
    int LastFigFrame() const { return lastFigFrame_; }
    void SetLastFigFrame(int frame) { lastFigFrame_ = frame; }

    // Whole board into the back buffer; shows nothing by itself.
    void DrawBoard(const Board& board);
    // The at-rest picture of a cell value on a square.
    void DrawSquare(int col, int row, int value);
    // One cell of the piece sheet (picture row sheetRow, column frame) onto a square, copied or
    // blended with the square's present content.
    void DrawSheetCell(int col, int row, int sheetRow, int frame);
    void BlendSheetCell(int col, int row, int sheetRow, int frame, int alpha);
    // Piece-sheet row and frame of a cell value's at-rest picture.
    int RestingSheetRow(int value, bool even) const;
    int RestingFrame(int value) const;

    // Shows one square; draws the cursor around the blit when the square is the cursor square
    // or withCursor asks for it, and erases the cursor where it was shown before.
    void PresentSquare(int col, int row, bool withCursor);
    void BlitSquare(int col, int row);

    // Moves the cursor to the square under a mouse position (client coordinates); a coordinate
    // off the board keeps its old value. True when the cursor square changed.
    bool SquareFromPoint(int x, int y);
    int CursorCol() const { return cursorCol_; }
    int CursorRow() const { return cursorRow_; }
    int ShownCursorCol() const { return shownCursorCol_; }
    int ShownCursorRow() const { return shownCursorRow_; }
    bool IsCursorSquare(int col, int row) const { return col == cursorCol_ && row == cursorRow_; }
    // Both the cursor and where it was last shown go back to (0, 0).
    void ResetCursor();

    // The cursor drawn on the cursor square in the back buffer, and taken out again.
    void DrawCursorOnBuffer();
    void RestoreCursorOnBuffer();

  private:
    int CursorX() const;
    int CursorY() const;

    GraphicsHolder& holder_;
    BoardPresenter* presenter_;
    BoardGeometry geometry_ = GeometryFor(8);
    int lastFigFrame_ = kLastFigFrame;
    int cursorCol_ = 0;
    int cursorRow_ = 0;
    int shownCursorCol_ = 0;
    int shownCursorRow_ = 0;
};

}  // namespace velmora
