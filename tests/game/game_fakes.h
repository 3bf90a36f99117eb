#pragma once

#include <deque>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "engine/rules.h"
#include "game/game_flow.h"
#include "game/move_review.h"

namespace velmora::testing {

struct FakeView : GameView {
    std::string panels[3];
    PointerShape pointer = PointerShape::Arrow;
    bool undoRedo = false;
    bool continueEnabled = false;
    struct Final {
        int kind, first, second;
    };
    std::vector<Final> finals;
    std::deque<int> choices;
    int statisticsShown = 0;
    int statisticsChanges = 0;
    int pointerCol = -1, pointerRow = -1;

    void SetStatusPanel(int panel, const std::string& text) override { panels[panel] = text; }
    void SetPointer(PointerShape shape) override { pointer = shape; }
    void SetUndoRedoEnabled(bool enabled) override { undoRedo = enabled; }
    bool UndoRedoEnabled() const override { return undoRedo; }
    void SetContinueEnabled(bool enabled) override { continueEnabled = enabled; }
    // Runs while a message is open, as events do in its nested loop.
    std::function<void(int kind)> duringFinal;
    void ShowFinal(int kind, int first, int second) override {
        finals.push_back({kind, first, second});
        if (duringFinal) {
            duringFinal(kind);
        }
    }
    int ChooseReviewAction() override {
        const int choice = choices.empty() ? kBackToReview : choices.front();
        if (!choices.empty()) {
            choices.pop_front();
        }
        return choice;
    }
    void StatisticsChanged() override { ++statisticsChanges; }
    void ShowStatistics() override { ++statisticsShown; }
    void MovePointerToSquare(int col, int row) override {
        pointerCol = col;
        pointerRow = row;
    }
};

struct FakeDisplay : BoardDisplay {
    int size = 8;
    int col = 0, row = 0;
    bool noLastMove = true;
    bool reviewing = false;
    int animationTicksLeft = 0;
    int animationLength = 0;  // a move starts an animation this many waits long
    int redraws = 0, snapshots = 0, shownMoves = 0;

    bool MoveCursorToPoint(int x, int y) override {
        const int cell = size == 8 ? 61 : 49;
        const int c = (x - 20) / cell;
        const int r = (y - 20) / cell;
        const int oldCol = col, oldRow = row;
        if (c >= 0 && c < size)
            col = c;
        if (r >= 0 && r < size)
            row = r;
        return col != oldCol || row != oldRow;
    }
    int CursorCol() const override { return col; }
    int CursorRow() const override { return row; }
    void ResetCursor() override { col = row = 0; }
    void SnapshotBeforeMove() override {
        ++snapshots;
        noLastMove = false;
    }
    void ShowPlayedMove() override {
        ++shownMoves;
        animationTicksLeft = animationLength;
    }
    bool PieceAnimationRunning() const override { return animationTicksLeft > 0; }
    void EndMarks() override {}
    void EndPieces() override { animationTicksLeft = 0; }
    void RedrawBoard() override { ++redraws; }
    bool NoLastMove() const override { return noLastMove; }
    void SetNoLastMove(bool value) override { noLastMove = value; }
    // Review mode stops a piece animation (the real one on its next tick).
    void SetReviewing(bool value) override {
        reviewing = value;
        if (value) {
            animationTicksLeft = 0;
        }
    }
};

// Plays the first legal square of the move order, or the fixed opening square of a new
// game, the way the real worker answers an untouched start position. The answer is chosen
// for the position at the start, like the worker's copy; then `during` runs once, as a
// player's action would run in the window's wait while the worker thinks.
struct FakeEngine : EngineRunner {
    GameSession* session = nullptr;
    int searches = 0;
    std::vector<int> script;  // answers to give first, in order
    std::function<void()> during;
    bool busy = false;

    int ComputeMove() override {
        const int answer = Choose();
        busy = true;
        if (auto action = std::exchange(during, nullptr)) {
            action();
        }
        busy = false;
        return answer;
    }
    bool Busy() const override { return busy; }
    void RequestStop() override {}

  private:
    int Choose() {
        const GamePosition& p = session->position;
        if (p.openingPending) {
            return p.boardSize == 8 ? 53 : 54;
        }
        ++searches;
        if (!script.empty()) {
            const int answer = script.front();
            script.erase(script.begin());
            return answer;
        }
        for (const int square : MoveOrder(p.boardSize)) {
            if (IsLegal(p.board, p.boardSize, square, p.sideToMove, Opponent(p.sideToMove))) {
                return square;
            }
        }
        return NoMove;
    }
};

// Runs the animation down one tick per poll, as the animation timer would.
struct FakeWaiter : EventWaiter {
    FakeDisplay* display = nullptr;
    int waits = 0;
    std::function<void()> during;  // runs at each wait's start, as a player's action would
    void WaitUntil(const std::function<bool()>& done) override {
        ++waits;
        if (during) {
            during();
        }
        while (!done()) {
            --display->animationTicksLeft;
        }
    }
};

struct ScriptedPrompter : Prompter {
    std::deque<bool> answers;
    std::vector<std::string> questions, messages, errors;
    bool AskYesNo(const std::string& text) override {
        questions.push_back(text);
        const bool answer = !answers.empty() && answers.front();
        if (!answers.empty()) {
            answers.pop_front();
        }
        return answer;
    }
    void Inform(const std::string& text) override { messages.push_back(text); }
    void ReportError(const std::string& text) override { errors.push_back(text); }
};

struct FakeTimers : RepeatTimers {
    bool firstDelay = false, repeat = false;
    void SetFirstDelayEnabled(bool enabled) override { firstDelay = enabled; }
    void SetRepeatEnabled(bool enabled) override { repeat = enabled; }
};

struct FakeNet : NetLink {
    std::vector<std::pair<int, int>> sent;
    int restarts = 0, starts = 0;
    void SendMove(int col, int row) override { sent.emplace_back(col, row); }
    void SendRestart() override { ++restarts; }
    void StartNetGame() override { ++starts; }
};

// A game window made of fakes around a real game flow and review.
struct GameRig {
    GameSession session;
    FakeView view;
    FakeDisplay display;
    FakeEngine engine;
    FakeWaiter waiter;
    ScriptedPrompter prompter;
    FakeTimers timers;
    std::vector<int> effects;
    GameFlow flow;
    MoveReview review;

    explicit GameRig(int size = 8, bool versusComputer = true, int computerSide = Black)
        : flow(session, {view, display, engine, waiter, prompter,
                         [this](int effect) { effects.push_back(effect); }}),
          review(flow, view, display, prompter, timers) {
        session.settings.animationOn = false;
        session.settings.versusComputer = versusComputer;
        session.settings.computerSide = computerSide;
        session.settings.boardSize = size;
        session.position.boardSize = size;
        display.size = size;
        engine.session = &session;
        waiter.display = &display;
    }

    // Puts the cursor on a square through the mouse, as the window would, and clicks.
    void ClickSquare(int square) {
        const int size = session.position.boardSize;
        const int cell = size == 8 ? 61 : 49;
        flow.PointerMove(22 + cell * ColumnOf(size, square) + cell / 2,
                         22 + cell * RowOf(size, square) + cell / 2);
        flow.BoardClick();
    }

    // The first legal square for the side to move, in move order.
    int FirstLegal() const {
        const GamePosition& p = session.position;
        for (const int square : MoveOrder(p.boardSize)) {
            if (IsLegal(p.board, p.boardSize, square, p.sideToMove, Opponent(p.sideToMove))) {
                return square;
            }
        }
        return NoMove;
    }
};

}  // namespace velmora::testing
