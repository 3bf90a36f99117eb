#pragma once

#include <algorithm>
#include <random>
#include <span>
#include <string>
#include <vector>

#include "engine/game_position.h"
#include "engine/match_record.h"
#include "engine/rules.h"
#include "test_boards.h"

namespace velmora::testing {

// Keeps a copy of the moves list the way a list box would show it.
class RecordingList : public MovesListListener {
  public:
    void Clear() override { lines.clear(); }
    void InsertLine(int index, const std::string& text) override {
        lines.insert(lines.begin() + index, text);
    }
    void SelectRow(int row) override { selected = row; }
    void Repaint() override { ++repaints; }
    void ScrollToBottom() override { ++scrolls; }

    std::vector<std::string> lines;
    int selected = -1;
    int repaints = 0;
    int scrolls = 0;
};

// What the game flow does after a move or a redo: hand the turn over unless the side to
// move has no move, in which case it passes back.
inline void SettlePass(GamePosition& position) {
    const ScanResult scan = ScanBoard(position.board, position.boardSize);
    if (scan.GameOver()) {
        position.gameOver = true;
    } else if (!scan.CanMove(position.sideToMove)) {
        position.sideToMove = Opponent(position.sideToMove);
    }
}

// Records and plays one move the way the game flow does.
inline void PlayRecorded(OBoardTracker& record, GamePosition& position, int square) {
    const int side = position.sideToMove;
    record.AddMove(position, square, side, Opponent(side));
    MakeMove(position.board, position.boardSize, square, side, Opponent(side));
    position.sideToMove = Opponent(side);
    SettlePass(position);
}

// The side to move's legal squares in search order.
inline std::vector<int> LegalSquares(const GamePosition& position) {
    return OrderedMoves(position.board, position.boardSize, position.sideToMove);
}

inline bool SameMoves(std::span<const MoveEntry> a, std::span<const MoveEntry> b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](const auto& x, const auto& y) {
        return x.square == y.square && x.side == y.side && x.nextSide == y.nextSide &&
               x.snapshot == y.snapshot;
    });
}

// Plays up to maxMoves random legal moves from the start; stops at the end of the game.
inline void PlayRandom(OBoardTracker& record, GamePosition& position, unsigned seed, int maxMoves) {
    std::mt19937 random(seed);
    for (int i = 0; i < maxMoves && !position.gameOver; ++i) {
        const std::vector<int> squares = LegalSquares(position);
        PlayRecorded(record, position, squares[random() % squares.size()]);
    }
}

// The index of the first move made by the same side as the move before it (the other side
// passed in between), or -1.
inline int FirstMoveAfterPass(const OBoardTracker& record) {
    for (int i = 1; i < record.Count(); ++i) {
        if (record.Entry(i).side == record.Entry(i - 1).side) {
            return i;
        }
    }
    return -1;
}

// Plays random games from the start until one holds a pass with more than one move after it.
inline void PlayGameWithPass(OBoardTracker& record, GamePosition& position, int size) {
    for (unsigned seed = 1;; ++seed) {
        position.Reset(size);
        record.NewRecord(size);
        PlayRandom(record, position, seed, 200);
        const int pass = FirstMoveAfterPass(record);
        if (pass > 0 && pass + 1 < record.Count()) {
            return;
        }
    }
}

}  // namespace velmora::testing
