#pragma once

#include <functional>
#include <string>

#include "engine/board.h"

namespace velmora {

// What the game flow asks of the world around it. The main window implements these on
// Qt; tests implement them with fakes. Everything runs on the GUI thread.

enum class PointerShape { Arrow, HandPoint, Hourglass };

// The window's controls around the board: status bar, pointer, menus, buttons, and the
// game's own dialogs.
class GameView {
  public:
    virtual ~GameView() = default;

    // The three status panels: 0 side to move, 1 score, 2 move counter.
    virtual void SetStatusPanel(int panel, const std::string& text) = 0;
    virtual void SetPointer(PointerShape shape) = 0;
    // Undo and Redo in the Match menu and under the moves list.
    virtual void SetUndoRedoEnabled(bool enabled) = 0;
    virtual bool UndoRedoEnabled() const = 0;
    // The two continue buttons of review mode.
    virtual void SetContinueEnabled(bool enabled) = 0;
    // The game-over or pass message (kinds of FinalKind), shown modally.
    virtual void ShowFinal(int kind, int first, int second) = 0;
    // The choice offered by a board click in review mode; one of ReviewChoice.
    virtual int ChooseReviewAction() = 0;
    // A result was counted: what the player earned is kept at once.
    virtual void StatisticsChanged() = 0;
    // Opens the statistics window after a counted game.
    virtual void ShowStatistics() = 0;
    // Puts the mouse pointer on the centre of a board square (the hint, the arrow keys).
    virtual void MovePointerToSquare(int col, int row) = 0;
};

// The board on screen: cursor, drawing and the move animations.
class BoardDisplay {
  public:
    virtual ~BoardDisplay() = default;

    // Moves the board cursor to the square under a client point (a coordinate off the
    // board keeps its value); true when the cursor square changed.
    virtual bool MoveCursorToPoint(int x, int y) = 0;
    virtual int CursorCol() const = 0;
    virtual int CursorRow() const = 0;
    virtual void ResetCursor() = 0;

    // Remembers the position before a move, ends the marks and clears NoLastMove.
    virtual void SnapshotBeforeMove() = 0;
    // The move sound and, with animation on, the piece animation of the move just played.
    virtual void ShowPlayedMove() = 0;
    virtual bool PieceAnimationRunning() const = 0;
    virtual void EndMarks() = 0;
    virtual void EndPieces() = 0;
    // Redraws the whole board from the position and shows it.
    virtual void RedrawBoard() = 0;

    // The board was set up rather than played into: no last move to show or wait for.
    virtual bool NoLastMove() const = 0;
    virtual void SetNoLastMove(bool value) = 0;
    virtual void SetReviewing(bool value) = 0;
};

// Runs the computer's search for the side to move; ComputeMove keeps the window alive while
// it waits and answers a square or NoMove (stopped, or no move).
class EngineRunner {
  public:
    virtual ~EngineRunner() = default;
    virtual int ComputeMove() = 0;
    virtual bool Busy() const = 0;
    virtual void RequestStop() = 0;
};

// Waits while keeping the window alive (a local event loop), until done() holds.
class EventWaiter {
  public:
    virtual ~EventWaiter() = default;
    virtual void WaitUntil(const std::function<bool()>& done) = 0;
};

// The network side of a game in progress.
class NetLink {
  public:
    virtual ~NetLink() = default;
    virtual void SendMove(int col, int row) = 0;
    virtual void SendRestart() = 0;
    // Starts (or restarts) the network game on both sides.
    virtual void StartNetGame() = 0;
};

// Plays one of the eight sound effects.
using EffectPlayer = std::function<void(int effect)>;

// The effects the game flow itself plays (indices of the effect table).
inline constexpr int kCursorEffect = 1;
inline constexpr int kEndGameEffect = 3;
inline constexpr int kHintEffect = 6;

}  // namespace velmora
