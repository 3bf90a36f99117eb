#include "engine/match_record.h"

#include <gtest/gtest.h>

#include "engine/notation.h"
#include "engine/side_names.h"
#include "match_test_support.h"

namespace velmora {
namespace {

using testing::FirstMoveAfterPass;
using testing::LegalSquares;
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

    OBoardTracker record;
    GamePosition position;
    RecordingList list;
};

// Number, side name padded to twelve characters (not bytes) with a space and dots, square.
TEST_F(MatchRecordTest, MoveLinesNumberPadAndName) {
    PlayRecorded(record, position, 53);  // E6
    EXPECT_EQ(record.MoveLine(0), " 1.Жёлтые ..... E:6");
    PlayRecorded(record, position, 65);  // F4
    EXPECT_EQ(record.MoveLine(1), " 2.Зелёные .... F:4");
    PlayRandom(record, position, 7, 8);
    ASSERT_GE(record.Count(), 10);
    EXPECT_EQ(record.MoveLine(8).substr(0, 3), " 9.");
    EXPECT_EQ(record.MoveLine(9).substr(0, 3), "10.");
    for (int i = 0; i < record.Count(); ++i) {
        EXPECT_EQ(Utf8Length(record.MoveLine(i)), 19u) << record.MoveLine(i);
    }
    EXPECT_EQ(record.MoveLine(record.Count()), "");
    EXPECT_EQ(record.MoveLine(-1), "");

    // Eleven characters get one space and no dots; twelve or more get neither.
    EXPECT_EQ(PadSideName(""), " ...........");
    EXPECT_EQ(PadSideName("Абвгдежзийк"), "Абвгдежзийк ");
    EXPECT_EQ(PadSideName("Абвгдежзийкл"), "Абвгдежзийкл");
    EXPECT_EQ(PadSideName("Абвгдежзийклмн"), "Абвгдежзийклмн");
    EXPECT_EQ(PadSideName("ABCDEFGHIJK"), "ABCDEFGHIJK ");
    SetSideNames("Светлые-тёмн", "Тёмные-светл");
    EXPECT_EQ(record.MoveLine(0), " 1.Светлые-тёмн E:6");

    // On 10 x 10 the list names F7 as column 5, row 3 from the top.
    NewGame(10);
    EXPECT_EQ(record.Size(), 10);
    EXPECT_EQ(list.lines, std::vector<std::string>{kEndMarker});
    PlayRecorded(record, position, SquareAt(10, 5, 3));
    EXPECT_EQ(record.MoveLine(0), " 1.Светлые-тёмн F:7");
}

TEST_F(MatchRecordTest, ListFollowsAddMoveWithEndMarkerLast) {
    ASSERT_EQ(list.lines, std::vector<std::string>{kEndMarker});
    EXPECT_EQ(list.selected, 0);
    const Board before = position.board;
    PlayRecorded(record, position, 53);
    PlayRecorded(record, position, LegalSquares(position).front());
    EXPECT_EQ(record.Entry(0).snapshot, before);
    EXPECT_EQ(record.Entry(0).side, White);
    EXPECT_EQ(record.Entry(0).nextSide, Black);
    EXPECT_EQ(record.Current(), 2);
    EXPECT_EQ(list.lines,
              (std::vector<std::string>{record.MoveLine(0), record.MoveLine(1), kEndMarker}));
    EXPECT_EQ(list.selected, 2);
    EXPECT_EQ(list.scrolls, 2);
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
        testing::PlayGameWithPass(record, position, size);
        // Positions after each settled move, as the game flow left them.
        std::vector<GamePosition> settled(1);
        settled[0].Reset(size);
        for (const MoveEntry& entry : record.Moves()) {
            GamePosition next = settled.back();
            ASSERT_EQ(next.board, entry.snapshot);
            ASSERT_EQ(next.sideToMove, entry.side);
            MakeMove(next.board, size, entry.square, entry.side, entry.nextSide);
            next.sideToMove = entry.nextSide;
            SettlePass(next);
            settled.push_back(next);
        }
        const int count = record.Count();
        for (int i = count - 1; i >= 0; --i) {
            ASSERT_TRUE(record.Undo(position));
            EXPECT_EQ(position.board, settled[static_cast<std::size_t>(i)].board);
            EXPECT_EQ(position.sideToMove, settled[static_cast<std::size_t>(i)].sideToMove) << i;
            EXPECT_FALSE(position.gameOver);
        }
        for (int i = 1; i <= count; ++i) {
            ASSERT_TRUE(record.Redo(position, true));
            EXPECT_EQ(record.Current(), i);
            EXPECT_EQ(list.selected, i);
            EXPECT_EQ(position.board, settled[static_cast<std::size_t>(i)].board);
            // Redo hands the turn to the recorded next side; the pass is the caller's to settle.
            EXPECT_EQ(position.sideToMove, record.Entry(i - 1).nextSide);
            SettlePass(position);
            EXPECT_EQ(position.sideToMove, settled[static_cast<std::size_t>(i)].sideToMove) << i;
        }
        const int pass = FirstMoveAfterPass(record);
        ASSERT_TRUE(record.JumpTo(position, pass));
        EXPECT_EQ(position.sideToMove, record.Entry(pass - 1).side);
    }
}

TEST_F(MatchRecordTest, JumpToShowsThePositionBeforeTheMove) {
    PlayRandom(record, position, 11, 6);
    const int count = record.Count();
    for (const int outside : {count, count + 3, -1}) {  // the end marker and beyond
        EXPECT_FALSE(record.JumpTo(position, outside));
    }
    EXPECT_EQ(record.Current(), count);
    ASSERT_TRUE(record.JumpTo(position, 2));
    EXPECT_EQ(record.Current(), 2);
    EXPECT_EQ(position.board, record.Entry(2).snapshot);
    EXPECT_EQ(position.sideToMove, record.Entry(2).side);
    EXPECT_EQ(list.selected, 2);
    EXPECT_EQ(record.Count(), count);
}

TEST_F(MatchRecordTest, ContinueFromHereAndMovesInTheMiddleDropTheLaterMoves) {
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

    const int square = LegalSquares(position).back();
    PlayRecorded(record, position, square);
    EXPECT_EQ(record.Count(), 4);
    EXPECT_EQ(record.Entry(3).square, square);
    EXPECT_EQ(list.lines.size(), 5u);
    EXPECT_EQ(list.lines[3], record.MoveLine(3));

    // A move after two undos replaces the two undone ones.
    PlayRandom(record, position, 17, 2);
    ASSERT_TRUE(record.Undo(position));
    ASSERT_TRUE(record.Undo(position));
    const Board before = position.board;
    PlayRecorded(record, position, LegalSquares(position).front());
    EXPECT_EQ(record.Count(), 5);
    EXPECT_EQ(record.Current(), 5);
    EXPECT_EQ(record.Entry(4).snapshot, before);
}

TEST_F(MatchRecordTest, RewindAndRedoWithoutListUpdateLeaveTheListAlone) {
    PlayRandom(record, position, 19, 5);
    position.gameOver = true;
    const RecordingList before = list;
    record.Rewind(position);
    EXPECT_EQ(record.Current(), 0);
    EXPECT_EQ(position.board, record.Entry(0).snapshot);
    EXPECT_EQ(position.sideToMove, White);
    EXPECT_FALSE(position.gameOver);
    EXPECT_EQ(list.lines, before.lines);
    EXPECT_EQ(list.selected, before.selected);
    EXPECT_EQ(list.repaints, before.repaints);
    EXPECT_EQ(record.Count(), 5);

    // A redo without list update leaves the selection alone, except at the latest position,
    // where it re-selects the current row.
    list.selected = -7;
    ASSERT_TRUE(record.Redo(position, false));
    EXPECT_EQ(list.selected, -7);
    while (record.Redo(position, false)) {
    }
    EXPECT_EQ(list.selected, 5);
}

}  // namespace
}  // namespace velmora
