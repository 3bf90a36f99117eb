#pragma once

#include <array>
#include <deque>
#include <functional>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "engine/rules.h"
#include "game/game_flow.h"
#include "game/move_review.h"

namespace velmora::testing {

// A game window of fakes around a real game flow and review, every port at once. Pointer "pixels"
// are board columns and rows (off the board a coordinate keeps its square). The computer plays the
// first legal square, or a new game's fixed opening, chosen when its search starts; `duringSearch`
// then runs once, as a player's action would in the window's wait while the worker thinks. Each
// wait runs `duringWait`, then the animation down one tick per poll, as its timer would.
struct GameRig : GameView, BoardDisplay, EngineRunner, EventWaiter, Prompter, RepeatTimers {
    GameSession session;
    std::vector<int> effects;
    GameFlow flow;
    MoveReview review;
    std::string panels[3];
    PointerShape pointer = PointerShape::Arrow;
    bool undoRedo = false, continueEnabled = false, noLastMove = true, busy = false;
    bool firstDelay = false, repeat = false;
    std::vector<std::array<int, 3>> finals;  // kind, first, second
    std::deque<int> choices;
    std::deque<bool> answers;
    std::vector<std::string> questions, messages;
    int statisticsShown = 0, statisticsChanges = 0, pointerCol = -1, pointerRow = -1;
    int col = 0, row = 0, searches = 0, waits = 0;
    int animationTicksLeft = 0, animationLength = 0;         // a move animates this many waits
    std::function<void(int kind)> duringFinal = [](int) {};  // runs while a message is open
    std::function<void()> duringWait = [] {}, duringSearch = [] {};

    explicit GameRig(int size = 8, bool versusComputer = true, int computerSide = Black)
        : flow(session, {*this, *this, *this, *this, *this,
                         [this](int effect) { effects.push_back(effect); }}),
          review(flow, *this, *this, *this, *this) {
        session.settings.animationOn = session.settings.noviceLevel = false;
        session.settings.level = 3;
        session.settings.versusComputer = versusComputer;
        session.settings.computerSide = computerSide;
        session.settings.boardSize = session.position.boardSize = size;
    }
    // Puts the cursor on a square with the pointer, as the window would, and clicks.
    void ClickSquare(int square) {
        const int size = session.position.boardSize;
        flow.PointerMove(ColumnOf(size, square), RowOf(size, square));
        flow.BoardClick();
    }
    // The first (or last) legal square of the move order for the side to move, or NoMove.
    int FirstLegal(bool last = false) const {
        const GamePosition& p = session.position;
        int found = NoMove;
        for (const int square : MoveOrder(p.boardSize)) {
            if (IsLegal(p.board, p.boardSize, square, p.sideToMove, Opponent(p.sideToMove)) &&
                (last || found == NoMove)) {
                found = square;
            }
        }
        return found;
    }
    // Clicks the first legal square `moves` times or until the game ends.
    void PlayFirstLegal(int moves) {
        for (int i = 0; i < moves && !session.position.gameOver; ++i) {
            ClickSquare(FirstLegal());
        }
    }
    // Whether the board shows an earlier position, which one, and of how many moves.
    std::tuple<bool, int, int> Place() const {
        return {flow.Reviewing(), session.record.Current(), session.record.Count()};
    }

    void SetStatusPanel(int panel, const std::string& text) override { panels[panel] = text; }
    void SetPointer(PointerShape shape) override { pointer = shape; }
    void SetUndoRedoEnabled(bool enabled) override { undoRedo = enabled; }
    bool UndoRedoEnabled() const override { return undoRedo; }
    void SetContinueEnabled(bool enabled) override { continueEnabled = enabled; }
    void ShowFinal(int kind, int first, int second) override {
        finals.push_back({kind, first, second});
        duringFinal(kind);
    }
    int ChooseReviewAction() override {
        const int choice = choices.empty() ? kBackToReview : choices.front();
        choices.erase(choices.begin(), choices.begin() + !choices.empty());
        return choice;
    }
    void StatisticsChanged() override { ++statisticsChanges; }
    void ShowStatistics() override { ++statisticsShown; }
    void MovePointerToSquare(int c, int r) override { pointerCol = c, pointerRow = r; }
    bool MoveCursorToPoint(int x, int y) override {
        const int size = session.position.boardSize, oldCol = col, oldRow = row;
        col = x >= 0 && x < size ? x : col;
        row = y >= 0 && y < size ? y : row;
        return col != oldCol || row != oldRow;
    }
    int CursorCol() const override { return col; }
    int CursorRow() const override { return row; }
    void ResetCursor() override { col = row = 0; }
    void SnapshotBeforeMove() override { noLastMove = false; }
    void ShowPlayedMove() override { animationTicksLeft = animationLength; }
    bool PieceAnimationRunning() const override { return animationTicksLeft > 0; }
    void EndMarks() override {}
    void EndPieces() override { animationTicksLeft = 0; }
    void RedrawBoard() override {}
    bool NoLastMove() const override { return noLastMove; }
    void SetNoLastMove(bool value) override { noLastMove = value; }
    // Review mode stops a piece animation (the real one on its next tick).
    void SetReviewing(bool value) override { animationTicksLeft *= !value; }
    int ComputeMove() override {
        const GamePosition& p = session.position;
        const int answer = p.openingPending ? (p.boardSize == 8 ? 53 : 54) : FirstLegal();
        searches += !p.openingPending;
        busy = true;
        std::exchange(duringSearch, [] {})();
        busy = false;
        return answer;
    }
    bool Busy() const override { return busy; }
    void RequestStop() override {}
    void WaitUntil(const std::function<bool()>& done) override {
        ++waits;
        duringWait();
        while (!done()) {
            --animationTicksLeft;
        }
    }
    bool AskYesNo(const std::string& text) override {
        questions.push_back(text);
        const bool answer = !answers.empty() && answers.front();
        answers.erase(answers.begin(), answers.begin() + !answers.empty());
        return answer;
    }
    void Inform(const std::string& text) override { messages.push_back(text); }
    void ReportError(const std::string& text) override { messages.push_back(text); }
    void SetFirstDelayEnabled(bool enabled) override { firstDelay = enabled; }
    void SetRepeatEnabled(bool enabled) override { repeat = enabled; }
};

}  // namespace velmora::testing
