#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <utility>

#include "engine/board.h"
#include "engine/game_position.h"

namespace velmora {

class BoardRenderer;
class GraphicsHolder;

// The settings the animations read.
struct AnimationOptions {
    bool animationOn = true;        // "anief": piece animation
    bool showPossibleMoves = true;  // "avmov"
    bool showPreviousMove = true;   // "prevm"
    int helpSkin = 0;
    int figureSkin = 0;
};

// 40 fade levels of the last-move mark, by mark step.
extern const std::array<int, 40> FadeTable;
// One-based help-sheet frame for each mark step, per help style.
extern const std::array<std::array<int, 40>, 4> HelpStepTable;

// The three square-by-square animations (piece, cursor, marks) as a state machine that the
// animation timer ticks. It draws through the renderer and reads the game position; everything
// runs on the GUI thread.
class BoardAnimator {
  public:
    // What the piece animation does on a cell.
    enum FlipKind : int {
        FlipNone = 0,
        PlaceWhite = 1,
        PlaceBlack = 2,
        TurnWhite = 3,
        TurnBlack = 4
    };
    // What the marks show on a cell.
    enum MarkKind : std::uint8_t { MarkNone = 0, MarkPossible = 1, MarkChanged = 2 };

    BoardAnimator(GraphicsHolder& holder, BoardRenderer& renderer, const GamePosition& position);

    AnimationOptions& Options() { return options_; }
    const AnimationOptions& Options() const { return options_; }

    // The timer handler: piece, then cursor, then marks, each when running.
    void Tick();

    void SnapshotBeforeMove();
    void StartPieceAnimation();
    void EndPieces();
    // The right-button press. playerMayAct is the game flow's part of the condition: the engine
    // is idle and, in a network game, the local player may move. True when marks started.
    bool StartMarks(bool playerMayAct);
    void EndMarks();
    void RedrawSquare(int col, int row);

    // Shows a move just played: the move sound (5) and the piece animation with animation on,
    // the plain move sound (7) with it off. playEffect may be empty.
    void ShowPlayedMove(const std::function<void(int)>& playEffect);

    // Called when a piece animation ends, so that a wait for it can stop.
    void SetPiecesEndedHandler(std::function<void()> handler) { piecesEnded_ = std::move(handler); }

    // The steps; public so that tests and benchmarks can drive one at a time.
    void PieceStep();
    void CursorStep();
    void MarkStep();
    bool DrawPossibleMove(int col, int row, int frame);
    bool DrawLastMove(int col, int row, int alpha);

    bool PieceAnimOn() const { return pieceAnimOn_; }
    bool CursorAnimOn() const { return cursorAnimOn_; }
    bool MarkAnimOn() const { return markAnimOn_; }
    int PieceFrame() const { return pieceFrame_; }
    int MarkStepIndex() const { return markStep_; }
    int FlipKindAt(int square) const { return flipKinds_[square]; }
    int MarkKindAt(int square) const { return markKinds_[square]; }
    const Board& PrevBoard() const { return prevBoard_; }

    // Set whenever the board was set up rather than played into (new game, undo, loading...).
    bool NoLastMove() const { return noLastMove_; }
    void SetNoLastMove(bool value) { noLastMove_ = value; }
    // A reviewed position is on the board: the animations stand still.
    bool Reviewing() const { return reviewing_; }
    void SetReviewing(bool value) { reviewing_ = value; }

  private:
    int Size() const;
    int SheetRowForFlip(int kind, bool even) const;

    GraphicsHolder& holder_;
    BoardRenderer& renderer_;
    const GamePosition& position_;
    AnimationOptions options_;
    std::function<void()> piecesEnded_;

    bool pieceAnimOn_ = false;
    bool cursorAnimOn_ = true;
    bool markAnimOn_ = false;
    int pieceFrame_ = 0;
    int markStep_ = 0;
    std::array<int, kBoardCells> flipKinds_{};
    Board prevBoard_{};
    std::array<std::uint8_t, kBoardCells> markKinds_{};
    bool noLastMove_ = true;
    bool reviewing_ = false;
};

}  // namespace velmora
