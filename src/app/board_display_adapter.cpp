#include "app/board_display_adapter.h"

#include "engine/game_position.h"
#include "view/board_animator.h"
#include "view/board_renderer.h"
#include "view/board_widget.h"

namespace velmora {

BoardDisplayAdapter::BoardDisplayAdapter(const GamePosition& position, BoardRenderer& renderer,
                                         BoardAnimator& animator, BoardWidget& widget,
                                         EffectPlayer playEffect)
    : position_(position),
      renderer_(renderer),
      animator_(animator),
      widget_(widget),
      playEffect_(std::move(playEffect)) {}

bool BoardDisplayAdapter::MoveCursorToPoint(int x, int y) {
    return renderer_.SquareFromPoint(x, y);
}
int BoardDisplayAdapter::CursorCol() const {
    return renderer_.CursorCol();
}
int BoardDisplayAdapter::CursorRow() const {
    return renderer_.CursorRow();
}
void BoardDisplayAdapter::ResetCursor() {
    renderer_.ResetCursor();
}
void BoardDisplayAdapter::SnapshotBeforeMove() {
    animator_.SnapshotBeforeMove();
}
void BoardDisplayAdapter::ShowPlayedMove() {
    animator_.ShowPlayedMove(playEffect_);
}
bool BoardDisplayAdapter::PieceAnimationRunning() const {
    return animator_.PieceAnimOn();
}
void BoardDisplayAdapter::EndMarks() {
    animator_.EndMarks();
}
void BoardDisplayAdapter::EndPieces() {
    animator_.EndPieces();
}

void BoardDisplayAdapter::RedrawBoard() {
    renderer_.DrawBoard(position_.board);
    widget_.RepaintBoard();
}

bool BoardDisplayAdapter::NoLastMove() const {
    return animator_.NoLastMove();
}
void BoardDisplayAdapter::SetNoLastMove(bool value) {
    animator_.SetNoLastMove(value);
}
void BoardDisplayAdapter::SetReviewing(bool value) {
    animator_.SetReviewing(value);
}

AsyncRepeatTimers::AsyncRepeatTimers(TickDispatcher& dispatcher)
    : firstDelay_(dispatcher), repeat_(dispatcher) {
    firstDelay_.SetInterval(500);
    repeat_.SetInterval(40);
    firstDelay_.SetThreadPriority(ThreadPriority::TimeCritical);
    repeat_.SetThreadPriority(ThreadPriority::TimeCritical);
}

void AsyncRepeatTimers::Connect(MoveReview& review) {
    firstDelay_.SetOnTimer([&review] { review.FirstDelayElapsed(); });
    repeat_.SetOnTimer([&review] { review.RepeatTick(); });
}

}  // namespace velmora
