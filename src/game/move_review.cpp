#include "game/move_review.h"

#include "engine/rules.h"
#include "game/game_texts.h"

namespace velmora {

MoveReview::MoveReview(GameFlow& flow, GameView& view, BoardDisplay& display, Prompter& prompter,
                       RepeatTimers& timers)
    : flow_(flow),
      session_(flow.Session()),
      view_(view),
      display_(display),
      prompter_(prompter),
      timers_(timers) {
    flow_.SetReview(this);
}

void MoveReview::AfterNavigation() {
    display_.SetNoLastMove(true);
    view_.SetPointer(PointerShape::Arrow);
    flow_.UpdateMoveCounter();
    ShowReviewedPosition();
    display_.RedrawBoard();
}

void MoveReview::StepBack() {
    if (!flow_.Thinking() && session_.record.Undo(session_.position)) {
        AfterNavigation();
    }
}

void MoveReview::StepForward() {
    if (!flow_.Thinking() && session_.record.Redo(session_.position, true)) {
        AfterNavigation();
        if (session_.record.Current() == session_.record.Count()) {
            flow_.SetReviewing(false);
        }
    }
}

void MoveReview::ShowReviewedPosition() {
    GamePosition& position = session_.position;
    const ScanResult scan = ScanBoard(position.board, position.boardSize);
    view_.SetStatusPanel(1, ScoreText(scan.whiteCount, scan.blackCount));
    position.gameOver = scan.GameOver();
    if (position.gameOver) {
        view_.SetStatusPanel(0, kGameOverText);
        flow_.SetReviewing(false);
        return;
    }
    if (!scan.whiteCanMove && position.sideToMove == White) {
        position.sideToMove = Black;
    }
    if (!scan.blackCanMove && position.sideToMove == Black) {
        position.sideToMove = White;
    }
    view_.SetStatusPanel(0, SideToMoveText(position.sideToMove));
    flow_.SetReviewing(true);
}

void MoveReview::ContinueFromThisPosition() {
    if (!flow_.Reviewing() || flow_.Thinking()) {
        return;
    }
    if (session_.settings.versusComputer && !session_.flags.networkGame &&
        !session_.flags.trainingGame) {
        if (!prompter_.AskYesNo(kTakeBackQuestion)) {
            prompter_.Inform(kContinueFromLastText);
            ContinueFromLastPosition();
            return;
        }
        session_.flags.trainingGame = true;
    }
    flow_.SetReviewing(false);
    session_.record.ContinueFromHere();
    flow_.AfterMove(true);
}

void MoveReview::ContinueFromLastPosition() {
    if (!flow_.Reviewing() || flow_.Thinking()) {
        return;
    }
    while (session_.record.Redo(session_.position, false)) {
    }
    flow_.UpdateMoveCounter();
    ShowReviewedPosition();
    display_.RedrawBoard();
    flow_.SetReviewing(false);
}

void MoveReview::AskWhatToDo() {
    switch (view_.ChooseReviewAction()) {
        case kContinueFromThis:
            ContinueFromThisPosition();
            break;
        case kContinueFromLast:
            ContinueFromLastPosition();
            break;
        default:
            break;
    }
}

bool MoveReview::ListRowPressed(int row, int listItems) {
    if (!view_.UndoRedoEnabled() || flow_.Thinking() || row < 0 || row >= listItems ||
        row == session_.record.Current()) {
        return false;
    }
    if (session_.record.JumpTo(session_.position, row)) {
        AfterNavigation();
        return true;
    }
    ContinueFromLastPosition();
    return false;
}

void MoveReview::Step(Repeat mode) {
    if (mode == Repeat::Undo) {
        StepBack();
    } else if (mode == Repeat::Redo) {
        StepForward();
    }
}

void MoveReview::ButtonPressed(Repeat mode) {
    timers_.SetFirstDelayEnabled(true);
    repeatMode_ = mode;
    repeated_ = false;
}

void MoveReview::FirstDelayElapsed() {
    timers_.SetFirstDelayEnabled(false);
    timers_.SetRepeatEnabled(true);
}

void MoveReview::RepeatTick() {
    repeated_ = true;
    Step(repeatMode_);
}

void MoveReview::ButtonReleased() {
    timers_.SetFirstDelayEnabled(false);
    timers_.SetRepeatEnabled(false);
    const Repeat mode = repeatMode_;
    repeatMode_ = Repeat::None;
    if (!repeated_) {
        Step(mode);
    }
}

}  // namespace velmora
