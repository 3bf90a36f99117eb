#pragma once

#include <gtest/gtest.h>

#include "engine/rules.h"
#include "game/game_session.h"

namespace velmora::testing {

// Every recorded move was legal where it stood and follows from the one before, and the
// board on screen is the record's position at its current index.
inline ::testing::AssertionResult RecordReplaysLegally(const GameSession& session) {
    const OBoardTracker& record = session.record;
    const int size = session.position.boardSize;
    if (record.Size() != size) {
        return ::testing::AssertionFailure() << "record of size " << record.Size();
    }
    Board board{};
    InitBoard(board, size);
    for (int i = 0; i < record.Count(); ++i) {
        const MoveEntry& entry = record.Entry(i);
        if (entry.snapshot != board) {
            return ::testing::AssertionFailure() << "move " << i + 1 << " does not chain";
        }
        if (!IsLegal(board, size, entry.square, entry.side, Opponent(entry.side))) {
            return ::testing::AssertionFailure()
                   << "move " << i + 1 << " on square " << entry.square << " is illegal";
        }
        if (i == record.Current() && board != session.position.board) {
            return ::testing::AssertionFailure() << "the board is not position " << i;
        }
        MakeMove(board, size, entry.square, entry.side, Opponent(entry.side));
    }
    if (record.Current() == record.Count() && board != session.position.board) {
        return ::testing::AssertionFailure() << "the board is not the record's end";
    }
    return ::testing::AssertionSuccess();
}

}  // namespace velmora::testing
