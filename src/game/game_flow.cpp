#include "game/game_flow.h"

#include "engine/rules.h"
#include "game/game_texts.h"
#include "game/move_review.h"

namespace velmora {

GameFlow::GameFlow(GameSession& session, Ports ports)
    : session_(session), ports_(std::move(ports)) {}

void GameFlow::Play(int effect) const {
    if (ports_.playEffect) {
        ports_.playEffect(effect);
    }
}

bool GameFlow::LocalTurn() const {
    return !session_.flags.networkGame ||
           session_.position.sideToMove == session_.settings.computerSide;
}

bool GameFlow::AnimationRunning() const {
    // Turning animation off ends a running one, so a running one is always waited for.
    return ports_.display.PieceAnimationRunning();
}

void GameFlow::StartEngineGame() {
    ++gameSerial_;
    session_.position.Reset(Size());
    session_.record.NewRecord(Size());
    session_.flags.trainingGame = false;
}

void GameFlow::SetReviewing(bool value) {
    reviewing_ = value;
    ports_.display.SetReviewing(value);
    ports_.view.SetContinueEnabled(value);
}

void GameFlow::ShowNewGameStatus() {
    ports_.view.SetStatusPanel(0, SideToMoveText(White));
    ports_.view.SetStatusPanel(1, ScoreText(2, 2));
    ports_.view.SetStatusPanel(2, MoveCounterText(0, 0));
}

void GameFlow::NewGameCommand() {
    if (session_.flags.networkGame && ports_.net != nullptr) {
        ports_.net->SendRestart();
        ports_.net->StartNetGame();
        return;
    }
    ports_.display.EndMarks();
    ports_.display.EndPieces();
    StartEngineGame();
    ports_.display.SetNoLastMove(true);
    SetReviewing(false);
    DisableUndoRedo();
    ShowNewGameStatus();
    ports_.display.RedrawBoard();
    AfterMove(true);
}

void GameFlow::BeginNetworkGame() {
    netStartMark_ = true;
    peerMovePending_ = false;
    ports_.display.ResetCursor();
    ports_.display.EndMarks();
    ports_.display.EndPieces();
    StartEngineGame();
    ports_.display.SetNoLastMove(true);
    SetReviewing(false);
    ShowNewGameStatus();
    ports_.display.RedrawBoard();
}

void GameFlow::PointerMove(int x, int y) {
    const bool changed = ports_.display.MoveCursorToPoint(x, y);
    if (reviewing_ || ports_.engine.Busy() || !LocalTurn()) {
        return;
    }
    const GamePosition& position = session_.position;
    const int square = SquareAt(Size(), ports_.display.CursorCol(), ports_.display.CursorRow());
    if (IsLegal(position.board, Size(), square, position.sideToMove,
                Opponent(position.sideToMove))) {
        ports_.view.SetPointer(PointerShape::HandPoint);
        if (changed) {
            Play(kCursorEffect);
        }
    } else {
        ports_.view.SetPointer(PointerShape::Arrow);
    }
}

void GameFlow::BoardClick() {
    GamePosition& position = session_.position;
    if (position.gameOver || ports_.engine.Busy() || !LocalTurn()) {
        return;
    }
    if (reviewing_) {
        if (review_ != nullptr) {
            review_->AskWhatToDo();
        }
        return;
    }
    if (AnimationRunning()) {
        return;
    }
    const int col = ports_.display.CursorCol();
    const int row = ports_.display.CursorRow();
    const int square = SquareAt(Size(), col, row);
    if (!IsLegal(position.board, Size(), square, position.sideToMove,
                 Opponent(position.sideToMove))) {
        return;
    }
    if (session_.settings.versusComputer) {
        DisableUndoRedo();
    }
    PlayMoveOnBoard(square);
    if (session_.flags.networkGame && ports_.net != nullptr) {
        ports_.net->SendMove(col, row);
    }
    AfterMove(false);
    EnableUndoRedo();
}

void GameFlow::PlayMoveOnBoard(int square) {
    GamePosition& position = session_.position;
    const int side = position.sideToMove;
    ports_.display.SnapshotBeforeMove();
    session_.record.AddMove(position, square, side, Opponent(side));
    MakeMove(position.board, Size(), square, side, Opponent(side));
    position.openingPending = false;
    UpdateMoveCounter();
    ports_.display.ShowPlayedMove();
}

bool GameFlow::WaitForAnimation() {
    if (!AnimationRunning()) {
        return true;
    }
    ports_.waiter.WaitUntil([this] {
        return !AnimationRunning() || session_.position.gameOver || ports_.display.NoLastMove();
    });
    return !session_.position.gameOver && !ports_.display.NoLastMove();
}

bool GameFlow::LetAnimationFinish(unsigned serial) {
    if (!AnimationRunning()) {
        return true;
    }
    // A running animation shows a move just played, so NoLastMove turning on means the
    // position was undone or replaced meanwhile.
    const auto changed = [this, serial] {
        return serial != gameSerial_ || session_.position.gameOver || ports_.display.NoLastMove();
    };
    ports_.waiter.WaitUntil([this, &changed] { return !AnimationRunning() || changed(); });
    return !changed();
}

SearchTag GameFlow::TagSearch() const {
    return TagOf(session_, gameSerial_, ports_.display.NoLastMove());
}

bool GameFlow::AnswerStillFits(const SearchTag& tag, int answer) const {
    const GamePosition& position = session_.position;
    return answer != NoMove && !position.gameOver && !reviewing_ && TagSearch() == tag &&
           IsLegal(position.board, Size(), answer, position.sideToMove,
                   Opponent(position.sideToMove));
}

int GameFlow::ComputeWithHourglass(const SearchTag& tag) {
    ports_.view.SetPointer(PointerShape::Hourglass);
    const int answer = ports_.engine.ComputeMove();
    if (netStartMark_) {
        netStartMark_ = false;
    } else {
        ports_.view.SetPointer(PointerShape::Arrow);
    }
    return AnswerStillFits(tag, answer) ? answer : NoMove;
}

void GameFlow::AfterMove(bool computerFirst) {
    GamePosition& position = session_.position;
    if (position.gameOver) {
        return;
    }
    bool computerStep = computerFirst;
    for (;;) {
        if (computerStep) {
            if (!session_.settings.versusComputer ||
                position.sideToMove != session_.settings.computerSide) {
                break;
            }
            const SearchTag tag = TagSearch();
            const int answer = ComputeWithHourglass(tag);
            // No square means the search was stopped (a new network game, the window
            // closing) or the game changed while it ran; nothing was played, so the turn
            // must not change either.
            if (answer == NoMove) {
                return;
            }
            if (!WaitForAnimation() || !AnswerStillFits(tag, answer)) {
                return;
            }
            PlayMoveOnBoard(answer);
            if (session_.flags.networkGame) {
                return;
            }
        }
        computerStep = true;
        if (!RefreshAfterMove()) {
            return;
        }
    }
    if (session_.flags.networkGame) {
        ports_.view.SetPointer(LocalTurn() ? PointerShape::Arrow : PointerShape::Hourglass);
    }
}

bool GameFlow::RefreshAfterMove() {
    GamePosition& position = session_.position;
    if (!session_.settings.animationOn) {
        ports_.display.RedrawBoard();
    }
    const ScanResult scan = ScanBoard(position.board, Size());
    ports_.view.SetStatusPanel(1, ScoreText(scan.whiteCount, scan.blackCount));
    position.sideToMove = Opponent(position.sideToMove);
    if (scan.GameOver()) {
        FinishGame(scan.whiteCount, scan.blackCount);
        return false;
    }
    const unsigned serial = gameSerial_;
    if (!scan.whiteCanMove && position.sideToMove == White) {
        position.sideToMove = Black;
        if (!LetAnimationFinish(serial)) {
            return false;
        }
        Play(kEndGameEffect);
        ports_.view.ShowFinal(WhitePasses, 0, 0);
    } else if (!scan.blackCanMove && position.sideToMove == Black) {
        position.sideToMove = White;
        if (!LetAnimationFinish(serial)) {
            return false;
        }
        Play(kEndGameEffect);
        ports_.view.ShowFinal(BlackPasses, 0, 0);
    }
    // A new game started while the message was open (the peer restarted or left): this
    // turn belongs to the old one.
    if (serial != gameSerial_) {
        return false;
    }
    ports_.view.SetStatusPanel(0, SideToMoveText(position.sideToMove));
    return !position.gameOver;
}

void GameFlow::FinishGame(int whiteCount, int blackCount) {
    ports_.view.SetStatusPanel(0, kGameOverText);
    const unsigned serial = gameSerial_;
    // The result is earned with the last move, so it is counted before that move's animation
    // is waited for: the player may start another game meanwhile.
    const bool counted = CountResult(whiteCount, blackCount);
    if (!LetAnimationFinish(serial)) {
        return;
    }
    Play(kEndGameEffect);
    if (whiteCount == blackCount) {
        ports_.view.ShowFinal(Draw, whiteCount, blackCount);
    } else if (whiteCount > blackCount) {
        ports_.view.ShowFinal(WhiteWon, whiteCount, blackCount);
    } else {
        ports_.view.ShowFinal(BlackWon, blackCount, whiteCount);
    }
    if (serial != gameSerial_) {
        return;  // the old game's end must not stop a game started meanwhile
    }
    session_.position.gameOver = true;
    if (counted) {
        ports_.view.ShowStatistics();
    }
}

bool GameFlow::CountResult(int whiteCount, int blackCount) {
    const Settings& settings = session_.settings;
    if (!settings.versusComputer || session_.flags.trainingGame) {
        return false;
    }
    const int human = settings.HumanSide();
    const int humanCount = human == White ? whiteCount : blackCount;
    const int computerCount = human == White ? blackCount : whiteCount;
    const GameResult result = humanCount == computerCount  ? GameResult::Draw
                              : humanCount > computerCount ? GameResult::Win
                                                           : GameResult::Loss;
    RecordResult(session_.statistics, settings, result);
    ports_.view.StatisticsChanged();
    return true;
}

void GameFlow::ApplyRemoteMove(int col, int row) {
    if (!peerMovePending_) {
        return;
    }
    peerMovePending_ = false;
    const GamePosition& position = session_.position;
    if (col < 0 || col >= Size() || row < 0 || row >= Size() || position.gameOver) {
        return;
    }
    const int square = SquareAt(Size(), col, row);
    const auto legal = [&] {
        return IsLegal(position.board, Size(), square, position.sideToMove,
                       Opponent(position.sideToMove));
    };
    if (!legal()) {
        return;
    }
    // A restart or the end may have come in while the animation finished.
    if (!WaitForAnimation() || position.gameOver || !legal()) {
        return;
    }
    PlayMoveOnBoard(square);
    AfterMove(false);
}

void GameFlow::HintCommand() {
    if (session_.position.gameOver || session_.flags.networkGame ||
        ports_.display.PieceAnimationRunning() || reviewing_) {
        return;
    }
    if (session_.settings.versusComputer && !session_.flags.trainingGame) {
        if (!ports_.prompter.AskYesNo(kHintQuestion)) {
            return;
        }
        session_.flags.trainingGame = true;
    }
    const int answer = ComputeWithHourglass(TagSearch());
    if (answer == NoMove) {
        return;
    }
    ports_.view.MovePointerToSquare(ColumnOf(Size(), answer), RowOf(Size(), answer));
    Play(kHintEffect);
}

void GameFlow::UpdateStatus() {
    const ScanResult scan = ScanBoard(session_.position.board, Size());
    ports_.view.SetStatusPanel(1, ScoreText(scan.whiteCount, scan.blackCount));
    ports_.view.SetStatusPanel(
        0, scan.GameOver() ? kGameOverText : SideToMoveText(session_.position.sideToMove));
}

void GameFlow::UpdateMoveCounter() {
    ports_.view.SetStatusPanel(2,
                               MoveCounterText(session_.record.Current(), session_.record.Count()));
}

void GameFlow::DisableUndoRedo() {
    ports_.view.SetUndoRedoEnabled(false);
}

void GameFlow::EnableUndoRedo() {
    if (session_.flags.networkGame) {
        ports_.view.SetUndoRedoEnabled(false);
    } else if (session_.record.Count() >= 1) {
        ports_.view.SetUndoRedoEnabled(true);
    }
}

bool GameFlow::NoHumanMoveYet() const {
    const int count = session_.record.Count();
    return session_.settings.computerSide == Black ? count == 0 : count < 2;
}

}  // namespace velmora
