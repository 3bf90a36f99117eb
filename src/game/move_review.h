#pragma once

#include "game/game_flow.h"

namespace velmora {

// The two thread-driven timers behind the auto-repeating Undo and Redo buttons.
class RepeatTimers {
  public:
    virtual ~RepeatTimers() = default;
    virtual void SetFirstDelayEnabled(bool enabled) = 0;  // 500 ms
    virtual void SetRepeatEnabled(bool enabled) = 0;      // 40 ms
};

// Answers of the choice offered by a board click in review mode.
enum ReviewChoice : int { kBackToReview = 2, kContinueFromLast = 3, kContinueFromThis = 4 };

// Browsing the match: stepping back and forth, jumping through the moves list, and going
// on from the position on screen or from the latest one.
class MoveReview {
  public:
    enum class Repeat { None, Undo, Redo };

    MoveReview(GameFlow& flow, GameView& view, BoardDisplay& display, Prompter& prompter,
               RepeatTimers& timers);

    void StepBack();
    void StepForward();
    void ShowReviewedPosition();
    void ContinueFromThisPosition();
    void ContinueFromLastPosition();
    // The board was clicked in review mode.
    void AskWhatToDo();

    // A press on a moves-list row (already computed from the pointer); returns true when
    // the position moved, so the list can scroll at its edges.
    bool ListRowPressed(int row, int listItems);

    // Auto-repeat of the Undo and Redo buttons.
    void ButtonPressed(Repeat mode);
    void FirstDelayElapsed();
    void RepeatTick();
    void ButtonReleased();

  private:
    void AfterNavigation();
    void Step(Repeat mode);

    GameFlow& flow_;
    GameSession& session_;
    GameView& view_;
    BoardDisplay& display_;
    Prompter& prompter_;
    RepeatTimers& timers_;
    Repeat repeatMode_ = Repeat::None;
    bool repeated_ = false;
};

}  // namespace velmora
