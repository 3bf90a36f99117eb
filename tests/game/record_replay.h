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
    for (int i = 0; i <= record.Count(); ++i) {
        if (i == record.Current() && board != session.position.board) {
            return ::testing::AssertionFailure() << "the board is not position " << i;
        }
        const MoveEntry* entry = i < record.Count() ? &record.Entry(i) : nullptr;
        if (entry && (entry->snapshot != board ||
                      !IsLegal(board, size, entry->square, entry->side, Opponent(entry->side)))) {
            return ::testing::AssertionFailure() << "move " << i + 1 << " does not follow legally";
        }
        if (entry) {
            MakeMove(board, size, entry->square, entry->side, Opponent(entry->side));
        }
    }
    return ::testing::AssertionSuccess();
}

}  // namespace velmora::testing
