#include "view/board_renderer.h"

#include "view/cursor_painter.h"
#include "view/graphics_holder.h"

namespace velmora {

namespace {

constexpr int kSheetRows = 8;

}  // namespace

BoardRenderer::BoardRenderer(GraphicsHolder& holder, BoardPresenter* presenter)
    : holder_(holder), presenter_(presenter) {}

void BoardRenderer::SetBoardSize(int size) {
    const BoardGeometry next = GeometryFor(size);
    if (next.size != geometry_.size) {
        // Squares of the old size may not exist on the new board.
        ResetCursor();
    }
    geometry_ = next;
}

void BoardRenderer::ResetCursor() {
    cursorCol_ = cursorRow_ = 0;
    shownCursorCol_ = shownCursorRow_ = 0;
}

void BoardRenderer::DrawBoard(const Board& board) {
    GraphicsHolder& h = holder_;
    const int n = geometry_.size;
    // 1-2. Border strips; the horizontal ones own the corners.
    h.SetSource(GraphicsHolder::kLinehWidth, GraphicsHolder::kLinehHeight);
    if (n == 8) {
        h.CopyBlock(0, 0, 528, h.LinehImage(), 40, 0, 20);
        h.CopyBlock(0, 508, 528, h.LinehImage(), 60, 0, 20);
        h.SetSource(GraphicsHolder::kLinevWidth, GraphicsHolder::kLinevHeight);
        h.CopyBlock(0, 20, 20, h.LinevImage(), 2, 0, 488);
        h.CopyBlock(508, 20, 20, h.LinevImage(), 2, 20, 488);
    } else {
        h.CopyBlock(0, 0, 530, h.LinehImage(), 0, 0, 20);
        h.CopyBlock(0, 510, 530, h.LinehImage(), 20, 0, 20);
        h.SetSource(GraphicsHolder::kLinevWidth, GraphicsHolder::kLinevHeight);
        h.CopyBlock(0, 20, 20, h.LinevImage(), 0, 40, 490);
        h.CopyBlock(510, 20, 20, h.LinevImage(), 0, 60, 490);
    }
    // 3. Squares, column by column.
    for (int col = 0; col < n; ++col) {
        for (int row = 0; row < n; ++row) {
            DrawSquare(col, row, board[SquareAt(n, col, row)]);
        }
    }
}

int BoardRenderer::RestingSheetRow(int value, bool even) const {
    const int base = value == White ? 6 : 4;
    return even ? base : base + 1;
}

int BoardRenderer::RestingFrame(int value) const {
    return value == White || value == Black ? lastFigFrame_ : 0;
}

void BoardRenderer::DrawSquare(int col, int row, int value) {
    const bool even = BoardGeometry::IsEven(col, row);
    DrawSheetCell(col, row, RestingSheetRow(value, even), RestingFrame(value));
}

void BoardRenderer::DrawSheetCell(int col, int row, int sheetRow, int frame) {
    const int c = geometry_.cell;
    holder_.SetSource(holder_.FigsWidth(), holder_.FigsHeight());
    holder_.CopyBlock(geometry_.SquareX(col), geometry_.SquareBlockRow(row), c, holder_.FigsImage(),
                      (kSheetRows - 1 - sheetRow) * c, frame * c, c);
}

void BoardRenderer::BlendSheetCell(int col, int row, int sheetRow, int frame, int alpha) {
    const int c = geometry_.cell;
    holder_.SetSource(holder_.FigsWidth(), holder_.FigsHeight());
    holder_.BlendBlock(geometry_.SquareX(col), geometry_.SquareBlockRow(row), c,
                       holder_.FigsImage(), alpha, (kSheetRows - 1 - sheetRow) * c, frame * c, c);
}

int BoardRenderer::CursorX() const {
    return geometry_.SquareX(cursorCol_);
}

// One block row below the square, so the saved block covers its picture rows 1..c.
int BoardRenderer::CursorY() const {
    return geometry_.SquareBlockRow(cursorRow_) - 1;
}

void BoardRenderer::DrawCursorOnBuffer() {
    DrawCursor(holder_, CursorX(), CursorY(), BoardGeometry::IsEven(cursorCol_, cursorRow_),
               geometry_.cell);
}

void BoardRenderer::RestoreCursorOnBuffer() {
    RestoreCursor(holder_, CursorX(), CursorY(), geometry_.cell);
}

void BoardRenderer::BlitSquare(int col, int row) {
    holder_.SetSource(holder_.BackWidth(), holder_.BackHeight());
    if (presenter_ != nullptr && geometry_.Contains(col, row)) {
        presenter_->BlitSquare(col, row);
    }
}

void BoardRenderer::PresentSquare(int col, int row, bool withCursor) {
    const bool here = IsCursorSquare(col, row);
    bool cursorDrawn = false;
    if (here || withCursor) {
        DrawCursorOnBuffer();
        cursorDrawn = true;
        if (!here) {
            BlitSquare(cursorCol_, cursorRow_);
            RestoreCursorOnBuffer();
            cursorDrawn = false;
        }
        const bool shownElsewhere = !IsCursorSquare(shownCursorCol_, shownCursorRow_) &&
                                    !(shownCursorCol_ == col && shownCursorRow_ == row);
        if (shownElsewhere) {
            BlitSquare(shownCursorCol_, shownCursorRow_);
        }
        shownCursorCol_ = cursorCol_;
        shownCursorRow_ = cursorRow_;
    }
    BlitSquare(col, row);
    if (cursorDrawn) {
        RestoreCursorOnBuffer();
    }
}

bool BoardRenderer::SquareFromPoint(int x, int y) {
    const int c = geometry_.cell;
    // Truncating division: the margin left of and above the board counts as column or row 0.
    const int col = (x - BoardGeometry::kPointOffset) / c;
    const int row = (y - BoardGeometry::kPointOffset) / c;
    const int oldCol = cursorCol_;
    const int oldRow = cursorRow_;
    if (col >= 0 && col < geometry_.size) {
        cursorCol_ = col;
    }
    if (row >= 0 && row < geometry_.size) {
        cursorRow_ = row;
    }
    return cursorCol_ != oldCol || cursorRow_ != oldRow;
}

}  // namespace velmora
