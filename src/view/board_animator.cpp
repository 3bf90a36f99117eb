#include "view/board_animator.h"

#include <algorithm>

#include "engine/rules.h"
#include "view/board_renderer.h"
#include "view/graphics_holder.h"

namespace velmora {

namespace {

constexpr int kMarkSteps = 40;

constexpr std::array<std::array<int, 40>, 4> MakeHelpStepTable() {
    std::array<std::array<int, 40>, 4> table{};
    for (auto& row : table) {
        for (int i = 0; i < 40; ++i) {
            row[i] = i + 1;
        }
    }
    return table;
}

}  // namespace

const std::array<int, 40> FadeTable = {0,   8,   16,  32,  48,  64,  80,  96,  112, 128,
                                       144, 160, 176, 192, 208, 224, 240, 255, 255, 255,
                                       255, 255, 255, 240, 224, 208, 192, 176, 160, 144,
                                       128, 112, 96,  80,  64,  48,  32,  16,  8,   0};

const std::array<std::array<int, 40>, 4> HelpStepTable = MakeHelpStepTable();

BoardAnimator::BoardAnimator(GraphicsHolder& holder, BoardRenderer& renderer,
                             const GamePosition& position)
    : holder_(holder), renderer_(renderer), position_(position) {}

int BoardAnimator::Size() const {
    return renderer_.Geometry().size;
}

void BoardAnimator::Tick() {
    if (pieceAnimOn_) {
        PieceStep();
    }
    if (cursorAnimOn_) {
        CursorStep();
    }
    if (markAnimOn_) {
        MarkStep();
    }
}

void BoardAnimator::SnapshotBeforeMove() {
    EndMarks();
    prevBoard_ = position_.board;
    noLastMove_ = false;
}

void BoardAnimator::StartPieceAnimation() {
    if (!options_.animationOn) {
        return;
    }
    const Board& now = position_.board;
    for (int i = 0; i < kBoardCells; ++i) {
        int kind = FlipNone;
        if (now[i] == White) {
            kind = prevBoard_[i] == Empty   ? PlaceWhite
                   : prevBoard_[i] == Black ? TurnWhite
                                            : FlipNone;
        } else if (now[i] == Black) {
            kind = prevBoard_[i] == Empty   ? PlaceBlack
                   : prevBoard_[i] == White ? TurnBlack
                                            : FlipNone;
        }
        flipKinds_[i] = kind;
    }
    if (renderer_.Presenter() != nullptr) {
        renderer_.Presenter()->ShowArrowPointer();
    }
    pieceFrame_ = 0;
    cursorAnimOn_ = false;
    pieceAnimOn_ = true;
}

void BoardAnimator::EndPieces() {
    const bool wasRunning = pieceAnimOn_;
    pieceAnimOn_ = false;
    cursorAnimOn_ = true;
    if (wasRunning && piecesEnded_) {
        piecesEnded_();
    }
}

void BoardAnimator::ShowPlayedMove(const std::function<void(int)>& playEffect) {
    constexpr int kMoveEffect = 5;
    constexpr int kPlainMoveEffect = 7;
    if (options_.animationOn && options_.figureSkin == 0 && playEffect) {
        playEffect(kMoveEffect);
    }
    StartPieceAnimation();
    if (!options_.animationOn && playEffect) {
        playEffect(kPlainMoveEffect);
    }
}

bool BoardAnimator::StartMarks(bool playerMayAct) {
    if (reviewing_ || !playerMayAct || markAnimOn_ || pieceAnimOn_) {
        return false;
    }
    const int n = Size();
    const Board& board = position_.board;
    const int side = position_.sideToMove;
    markKinds_.fill(MarkNone);
    bool any = false;
    for (int col = 0; col < n; ++col) {
        for (int row = 0; row < n; ++row) {
            const int square = SquareAt(n, col, row);
            if (IsLegal(board, n, square, side, Opponent(side))) {
                markKinds_[square] = MarkPossible;
            }
            if (!noLastMove_ && board[square] != prevBoard_[square]) {
                markKinds_[square] = MarkChanged;
            }
            any = any || markKinds_[square] != MarkNone;
        }
    }
    if (!any) {
        return false;
    }
    cursorAnimOn_ = false;
    markAnimOn_ = true;
    markStep_ = 0;
    return true;
}

void BoardAnimator::EndMarks() {
    if (markAnimOn_) {
        const int n = Size();
        for (int col = 0; col < n; ++col) {
            for (int row = 0; row < n; ++row) {
                if (markKinds_[SquareAt(n, col, row)] != MarkNone) {
                    RedrawSquare(col, row);
                }
            }
        }
    }
    markAnimOn_ = false;
    cursorAnimOn_ = true;
}

void BoardAnimator::RedrawSquare(int col, int row) {
    renderer_.DrawSquare(col, row, position_.board[SquareAt(Size(), col, row)]);
    renderer_.PresentSquare(col, row, true);
}

int BoardAnimator::SheetRowForFlip(int kind, bool even) const {
    const bool turning = pieceFrame_ < renderer_.LastFigFrame();
    int base = 4;
    switch (kind) {
        case PlaceWhite:
            base = 6;
            break;
        case PlaceBlack:
            base = 4;
            break;
        case TurnWhite:
            base = turning ? 2 : 6;
            break;
        case TurnBlack:
            base = turning ? 0 : 4;
            break;
        default:
            break;
    }
    return even ? base : base + 1;
}

void BoardAnimator::PieceStep() {
    // 1-2. Review mode stops the animation; a finished one has nothing left to draw.
    if (reviewing_) {
        EndPieces();
        return;
    }
    if (pieceFrame_ > renderer_.LastFigFrame()) {
        return;
    }
    // 3.
    holder_.FireBuffer().Step();
    bool touched = false;
    // 4. Every animated square shows the same frame.
    const int n = Size();
    for (int col = 0; col < n; ++col) {
        for (int row = 0; row < n; ++row) {
            const int kind = flipKinds_[SquareAt(n, col, row)];
            if (kind < PlaceWhite) {
                continue;
            }
            renderer_.DrawSheetCell(
                col, row, SheetRowForFlip(kind, BoardGeometry::IsEven(col, row)), pieceFrame_);
            renderer_.PresentSquare(col, row, false);
            touched = touched || renderer_.IsCursorSquare(col, row);
        }
    }
    // 5. Keep the cursor alive while the cursor animation is paused.
    if (!touched) {
        renderer_.PresentSquare(renderer_.CursorCol(), renderer_.CursorRow(), true);
    }
    // 6.
    if (++pieceFrame_ > renderer_.LastFigFrame()) {
        EndPieces();
    }
}

void BoardAnimator::CursorStep() {
    if (reviewing_) {
        return;
    }
    holder_.FireBuffer().Step();
    renderer_.PresentSquare(renderer_.CursorCol(), renderer_.CursorRow(), true);
}

void BoardAnimator::MarkStep() {
    // 1-2.
    if (reviewing_) {
        EndMarks();
        return;
    }
    if (markStep_ >= kMarkSteps) {
        return;
    }
    // 3.
    holder_.FireBuffer().Step();
    bool touched = false;
    // 4.
    const int n = Size();
    const int helpStyle =
        std::clamp(options_.helpSkin, 0, static_cast<int>(HelpStepTable.size()) - 1);
    for (int col = 0; col < n; ++col) {
        for (int row = 0; row < n; ++row) {
            switch (markKinds_[SquareAt(n, col, row)]) {
                case MarkPossible:
                    touched = DrawPossibleMove(col, row, HelpStepTable[helpStyle][markStep_] - 1) ||
                              touched;
                    break;
                case MarkChanged:
                    touched = DrawLastMove(col, row, 255 - FadeTable[markStep_]) || touched;
                    break;
                default:
                    break;
            }
        }
    }
    // 5.
    if (!touched) {
        renderer_.PresentSquare(renderer_.CursorCol(), renderer_.CursorRow(), true);
    }
    // 6.
    if (++markStep_ >= kMarkSteps) {
        EndMarks();
    }
}

bool BoardAnimator::DrawPossibleMove(int col, int row, int frame) {
    if (!options_.showPossibleMoves) {
        return false;
    }
    const BoardGeometry& g = renderer_.Geometry();
    const int c = g.cell;
    // The sheet's picture row 0 (even squares) is its upper block row.
    const int srcRow = BoardGeometry::IsEven(col, row) ? c : 0;
    holder_.SetSource(holder_.HelpWidth(), holder_.HelpHeight());
    holder_.CopyBlock(g.SquareX(col), g.SquareBlockRow(row), c, holder_.HelpImage(), srcRow,
                      frame * c, c);
    renderer_.PresentSquare(col, row, false);
    return renderer_.IsCursorSquare(col, row);
}

bool BoardAnimator::DrawLastMove(int col, int row, int alpha) {
    if (!options_.showPreviousMove) {
        return false;
    }
    const BoardGeometry& g = renderer_.Geometry();
    const int c = g.cell;
    const int s = markStep_;
    const int square = SquareAt(g.size, col, row);
    const bool even = BoardGeometry::IsEven(col, row);
    // 1-2. The present picture, faded towards the one before the move.
    renderer_.DrawSquare(col, row, position_.board[square]);
    const int before = prevBoard_[square];
    renderer_.BlendSheetCell(col, row, renderer_.RestingSheetRow(before, even),
                             renderer_.RestingFrame(before), alpha);
    // 3. A shrinking, fading outline.
    if (s < c / 2) {
        const int x = g.SquareX(col);
        const int y = g.SquareBlockRow(row);
        holder_.BlendRect(x + 1 + s, y + s, x + c - 1 - s, y + c - 2 - s, 8 * s + 1,
                          holder_.Cursor().frameColor1);
    }
    // 4.
    renderer_.PresentSquare(col, row, false);
    return renderer_.IsCursorSquare(col, row);
}

}  // namespace velmora
