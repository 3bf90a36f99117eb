#include <gtest/gtest.h>

#include "engine/match_record.h"
#include "engine/notation.h"
#include "engine/side_names.h"
#include "match_test_support.h"

namespace velmora {
namespace {

using testing::FirstMoveAfterPass;
using testing::PlayRandom;
using testing::PlayRecorded;
using testing::RecordingList;
using testing::SettlePass;

class MatchRecordTest : public ::testing::Test {
  protected:
    void SetUp() override {
        record.SetListener(&list);
        NewGame(8);
    }
    void TearDown() override { SetSideNames("Жёлтые", "Зелёные"); }

    void NewGame(int size) {
        position.Reset(size);
        record.NewRecord(size);
    }

    // A game that has a pass somewhere, with enough moves after it to undo across.
    void PlayGameWithPass(int size) {
        for (unsigned seed = 1;; ++seed) {
            NewGame(size);
            PlayRandom(record, position, seed, 200);
            const int pass = FirstMoveAfterPass(record);
            if (pass > 0 && pass + 1 < record.Count()) {
                return;
            }
        }
    }

    OBoardTracker record;
    GamePosition position;
    RecordingList list;
};

TEST_F(MatchRecordTest, MoveLinesNumberPadAndName) {
    PlayRecorded(record, position, 53);  // E6
    // A space, 1, a full stop, the name, a space, five dots, a space and E:6: 19 characters.
    EXPECT_EQ(record.MoveLine(0), " 1.Жёлтые ..... E:6");
    EXPECT_EQ(Utf8Length(record.MoveLine(0)), 19u);

    PlayRandom(record, position, 7, 9);
    ASSERT_GE(record.Count(), 10);
    EXPECT_EQ(record.MoveLine(8).substr(0, 3), " 9.");
    EXPECT_EQ(record.MoveLine(9).substr(0, 3), "10.");
    const MoveEntry& tenth = record.Entry(9);
    EXPECT_EQ(record.MoveLine(9),
              "10." + PadSideName(SideName(tenth.side)) + " " + SquareListName(8, tenth.square));
    EXPECT_EQ(record.MoveLine(record.Count()), "");
    EXPECT_EQ(record.MoveLine(-1), "");
}

TEST_F(MatchRecordTest, SideNamesArePaddedByCharactersNotBytes) {
    EXPECT_EQ(PadSideName("Жёлтые"), "Жёлтые .....");
    EXPECT_EQ(PadSideName("Зелёные"), "Зелёные ....");
    EXPECT_EQ(PadSideName(""), " ...........");
    // Eleven characters get one space and no dots; twelve or more get neither.
    EXPECT_EQ(PadSideName("Абвгдежзийк"), "Абвгдежзийк ");
    EXPECT_EQ(PadSideName("Абвгдежзийкл"), "Абвгдежзийкл");
    EXPECT_EQ(PadSideName("Абвгдежзийклмн"), "Абвгдежзийклмн");
    EXPECT_EQ(PadSideName("ABCDEFGHIJK"), "ABCDEFGHIJK ");

    SetSideNames("Светлые-тёмн", "Тёмные-светл");
    PlayRecorded(record, position, 53);
    EXPECT_EQ(record.MoveLine(0), " 1.Светлые-тёмн E:6");
}

TEST_F(MatchRecordTest, ListFollowsAddMoveWithEndMarkerLast) {
    ASSERT_EQ(list.lines, std::vector<std::string>{kEndMarker});
    EXPECT_EQ(list.selected, 0);
    const Board before = position.board;
    PlayRecorded(record, position, 53);
    PlayRecorded(record, position, testing::LegalSquares(position).front());
    EXPECT_EQ(record.Entry(0).snapshot, before);
    EXPECT_EQ(record.Entry(0).side, White);
    EXPECT_EQ(record.Entry(0).nextSide, Black);
    EXPECT_EQ(record.Current(), record.Count());
    ASSERT_EQ(list.lines.size(), static_cast<std::size_t>(record.Count() + 1));
    EXPECT_EQ(list.lines.back(), kEndMarker);
    EXPECT_EQ(list.lines[0], record.MoveLine(0));
    EXPECT_EQ(list.selected, record.Count());
    EXPECT_EQ(list.scrolls, record.Count());
}

TEST_F(MatchRecordTest, UndoAndRedoStopAtTheEnds) {
    EXPECT_FALSE(record.Undo(position));
    EXPECT_FALSE(record.Redo(position, true));
    PlayRandom(record, position, 3, 4);
    const Board latest = position.board;
    EXPECT_FALSE(record.Redo(position, true));
    EXPECT_EQ(position.board, latest);
    while (record.Undo(position)) {
    }
    EXPECT_EQ(record.Current(), 0);
    Board start;
    InitBoard(start, 8);
    EXPECT_EQ(position.board, start);
    EXPECT_EQ(position.sideToMove, White);
    EXPECT_EQ(list.selected, 0);
}

TEST_F(MatchRecordTest, UndoRedoRestoreExactPositionsAcrossAPass) {
    for (const int size : {8, 10}) {
        PlayGameWithPass(size);
        // Positions after each settled move, as the game flow left them.
        std::vector<Board> boards;
        std::vector<int> sides;
        {
            GamePosition replay;
            replay.Reset(size);
            boards.push_back(replay.board);
            sides.push_back(replay.sideToMove);
            for (const MoveEntry& entry : record.Moves()) {
                ASSERT_EQ(replay.board, entry.snapshot);
                ASSERT_EQ(replay.sideToMove, entry.side);
                MakeMove(replay.board, size, entry.square, entry.side, entry.nextSide);
                replay.sideToMove = entry.nextSide;
                SettlePass(replay);
                boards.push_back(replay.board);
                sides.push_back(replay.sideToMove);
            }
        }
        const int count = record.Count();
        for (int i = count; i > 0; --i) {
            ASSERT_TRUE(record.Undo(position));
            EXPECT_EQ(position.board, boards[static_cast<std::size_t>(i - 1)]);
            EXPECT_EQ(position.sideToMove, sides[static_cast<std::size_t>(i - 1)]) << i;
            EXPECT_FALSE(position.gameOver);
        }
        for (int i = 1; i <= count; ++i) {
            ASSERT_TRUE(record.Redo(position, true));
            EXPECT_EQ(record.Current(), i);
            EXPECT_EQ(list.selected, i);
            EXPECT_EQ(position.board, boards[static_cast<std::size_t>(i)]);
            // Redo hands the turn to the recorded next side; the pass is the caller's to settle.
            EXPECT_EQ(position.sideToMove, record.Entry(i - 1).nextSide);
            SettlePass(position);
            EXPECT_EQ(position.sideToMove, sides[static_cast<std::size_t>(i)]) << i;
        }
        const int pass = FirstMoveAfterPass(record);
        ASSERT_TRUE(record.JumpTo(position, pass));
        EXPECT_EQ(position.sideToMove, record.Entry(pass - 1).side);
    }
}

TEST_F(MatchRecordTest, RedoWithoutListUpdateLeavesSelectionAlone) {
    PlayRandom(record, position, 5, 3);
    record.Rewind(position);
    list.selected = -7;
    ASSERT_TRUE(record.Redo(position, false));
    EXPECT_EQ(list.selected, -7);
    while (record.Redo(position, false)) {
    }
    // At the latest position a redo without list update re-selects the current row.
    EXPECT_EQ(list.selected, record.Count());
}

TEST_F(MatchRecordTest, JumpToShowsThePositionBeforeTheMove) {
    PlayRandom(record, position, 11, 6);
    const int count = record.Count();
    EXPECT_FALSE(record.JumpTo(position, count));  // the end marker
    EXPECT_FALSE(record.JumpTo(position, count + 3));
    EXPECT_FALSE(record.JumpTo(position, -1));
    EXPECT_EQ(record.Current(), count);
    ASSERT_TRUE(record.JumpTo(position, 2));
    EXPECT_EQ(record.Current(), 2);
    EXPECT_EQ(position.board, record.Entry(2).snapshot);
    EXPECT_EQ(position.sideToMove, record.Entry(2).side);
    EXPECT_EQ(list.selected, 2);
    EXPECT_EQ(record.Count(), count);
}

TEST_F(MatchRecordTest, ContinueFromHereDropsLaterMovesAndNextMoveOverwrites) {
    PlayRandom(record, position, 13, 8);
    ASSERT_TRUE(record.JumpTo(position, 3));
    const std::string third = record.MoveLine(2);
    record.ContinueFromHere();
    EXPECT_EQ(record.Count(), 3);
    EXPECT_EQ(record.Current(), 3);
    ASSERT_EQ(list.lines.size(), 4u);
    EXPECT_EQ(list.lines[2], third);
    EXPECT_EQ(list.lines[3], kEndMarker);
    EXPECT_EQ(list.selected, 3);
    EXPECT_FALSE(record.Redo(position, true));

    const std::vector<int> squares = testing::LegalSquares(position);
    const int square = squares.back();
    PlayRecorded(record, position, square);
    EXPECT_EQ(record.Count(), 4);
    EXPECT_EQ(record.Entry(3).square, square);
    EXPECT_EQ(list.lines.size(), 5u);
    EXPECT_EQ(list.lines[3], record.MoveLine(3));
}

TEST_F(MatchRecordTest, AddMoveInTheMiddleDropsTheMovesAfterIt) {
    PlayRandom(record, position, 17, 6);
    ASSERT_TRUE(record.Undo(position));
    ASSERT_TRUE(record.Undo(position));
    const Board before = position.board;
    PlayRecorded(record, position, testing::LegalSquares(position).front());
    EXPECT_EQ(record.Count(), 5);
    EXPECT_EQ(record.Current(), 5);
    EXPECT_EQ(record.Entry(4).snapshot, before);
}

TEST_F(MatchRecordTest, RewindGoesBeforeTheFirstMoveWithoutTouchingTheList) {
    PlayRandom(record, position, 19, 5);
    position.gameOver = true;
    const std::vector<std::string> lines = list.lines;
    const int selected = list.selected;
    const int repaints = list.repaints;
    record.Rewind(position);
    EXPECT_EQ(record.Current(), 0);
    EXPECT_EQ(position.board, record.Entry(0).snapshot);
    EXPECT_EQ(position.sideToMove, White);
    EXPECT_FALSE(position.gameOver);
    EXPECT_EQ(list.lines, lines);
    EXPECT_EQ(list.selected, selected);
    EXPECT_EQ(list.repaints, repaints);
    EXPECT_EQ(record.Count(), 5);
}

TEST_F(MatchRecordTest, NewRecordEmptiesAndTakesTheSize) {
    PlayRandom(record, position, 23, 5);
    NewGame(10);
    EXPECT_EQ(record.Count(), 0);
    EXPECT_EQ(record.Current(), 0);
    EXPECT_EQ(record.Size(), 10);
    EXPECT_EQ(list.lines, std::vector<std::string>{kEndMarker});
    // F7 on 10 x 10: column 5, row 3.
    PlayRecorded(record, position, SquareAt(10, 5, 3));
    EXPECT_EQ(record.MoveLine(0), " 1.Жёлтые ..... F:7");
}

}  // namespace
}  // namespace velmora
