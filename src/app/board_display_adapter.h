#pragma once

#include "game/game_ports.h"
#include "game/move_review.h"
#include "support/async_timer.h"

namespace velmora {

class BoardAnimator;
class BoardRenderer;
class BoardWidget;
struct GamePosition;

// The game flow's view of the board, made of the renderer, the animations and the widget.
class BoardDisplayAdapter : public BoardDisplay {
  public:
    BoardDisplayAdapter(const GamePosition& position, BoardRenderer& renderer,
                        BoardAnimator& animator, BoardWidget& widget, EffectPlayer playEffect);

    bool MoveCursorToPoint(int x, int y) override;
    int CursorCol() const override;
    int CursorRow() const override;
    void ResetCursor() override;
    void SnapshotBeforeMove() override;
    void ShowPlayedMove() override;
    bool PieceAnimationRunning() const override;
    void EndMarks() override;
    void EndPieces() override;
    void RedrawBoard() override;
    bool NoLastMove() const override;
    void SetNoLastMove(bool value) override;
    void SetReviewing(bool value) override;

  private:
    const GamePosition& position_;
    BoardRenderer& renderer_;
    BoardAnimator& animator_;
    BoardWidget& widget_;
    EffectPlayer playEffect_;
};

// The auto-repeat timers of the Undo and Redo buttons on two thread-driven timers.
class AsyncRepeatTimers : public RepeatTimers {
  public:
    explicit AsyncRepeatTimers(TickDispatcher& dispatcher);
    // The review exists only after its timers; ticks go to it from then on.
    void Connect(MoveReview& review);

    void SetFirstDelayEnabled(bool enabled) override { firstDelay_.SetEnabled(enabled); }
    void SetRepeatEnabled(bool enabled) override { repeat_.SetEnabled(enabled); }

  private:
    TAsyncTimer firstDelay_;
    TAsyncTimer repeat_;
};

}  // namespace velmora
