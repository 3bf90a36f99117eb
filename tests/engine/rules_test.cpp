#include "engine/rules.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <vector>

#include "engine/board.h"
#include "engine/notation.h"
#include "engine/routines.h"
#include "test_boards.h"

namespace velmora {
namespace {

using testing::MakeBoard;

std::vector<int> SortedMoves(const Board& board, int size, int side) {
    std::vector<int> moves = testing::OrderedMoves(board, size, side);
    std::sort(moves.begin(), moves.end());
    return moves;
}

Board Start(int size) {
    Board board;
    InitBoard(board, size);
    return board;
}

TEST(BoardTest, StartPositionSquareListAndBorder) {
    const Board b8 = Start(8);
    EXPECT_EQ(b8[44], White);
    EXPECT_EQ(b8[55], White);
    EXPECT_EQ(b8[45], Black);
    EXPECT_EQ(b8[54], Black);
    for (int cell = 100; cell < kBoardCells; ++cell) {
        EXPECT_EQ(b8[cell], Border);
    }
    for (int cell = 0; cell < 100; ++cell) {
        EXPECT_EQ(b8[cell] != Border, IsPlayingSquare(8, cell)) << cell;
    }
    const Board b10 = Start(10);
    EXPECT_EQ(b10[65], White);
    EXPECT_EQ(b10[78], White);
    EXPECT_EQ(b10[66], Black);
    EXPECT_EQ(b10[77], Black);
    for (const int size : {8, 10}) {
        const Board board = Start(size);
        EXPECT_EQ(std::count_if(board.begin(), board.end(), [](auto c) { return c != Border; }),
                  size * size);
        // Every playing square once, the four centre squares last.
        const auto list = SquareList(size);
        ASSERT_EQ(list.size(), static_cast<std::size_t>(size * size));
        EXPECT_EQ(std::set<int>(list.begin(), list.end()).size(), list.size());
        for (std::size_t i = 0; i < list.size(); ++i) {
            EXPECT_TRUE(IsPlayingSquare(size, list[i])) << list[i];
            EXPECT_EQ(board[list[i]] != Empty, i >= list.size() - 4) << list[i];
        }
        EXPECT_EQ(MoveOrder(size).size(), list.size() - 4);
    }
}

TEST(RulesTest, StartPositionMovesAndSquaresThatAreNeverLegal) {
    EXPECT_EQ(SortedMoves(Start(8), 8, White), (std::vector<int>{35, 46, 53, 64}));
    EXPECT_EQ(SortedMoves(Start(8), 8, Black), (std::vector<int>{34, 43, 56, 65}));
    EXPECT_EQ(SortedMoves(Start(10), 10, White), (std::vector<int>{54, 67, 76, 89}));
    for (const int cell : {44, 45, 0, 10, 19, 20, 90, 99}) {  // occupied, then the ring
        EXPECT_FALSE(IsLegal(Start(8), 8, cell, White, Black)) << cell;
    }
    // D5 is legal for White on 10 x 10 only through the 10 x 10 stride.
    Board board = Start(10);
    EXPECT_EQ(SelectRoutines(10).size, 10);
    EXPECT_TRUE(SelectRoutines(10).isLegal(board, 54, White, Black));
    SelectRoutines(10).makeMove(board, 54, White, Black);
    EXPECT_EQ(board[66], White);
    // No move changes nothing.
    board = Start(8);
    MakeMove(board, 8, NoMove, White, Black);
    EXPECT_EQ(board, Start(8));
}

TEST(RulesTest, RunStoppingOnBorderOrEmptyDoesNotQualify) {
    for (const int size : {8, 10}) {
        // A run of Black along the top row from D towards the left border.
        Board board = MakeBoard(size, {});
        const int row = 0;
        for (const int column : {0, 1, 2}) {
            board[SquareAt(size, column, row)] = Black;
        }
        const int move = SquareAt(size, 3, row);
        EXPECT_FALSE(IsLegal(board, size, move, White, Black));
        board[SquareAt(size, 0, row)] = Empty;
        EXPECT_FALSE(IsLegal(board, size, move, White, Black));
        board[SquareAt(size, 0, row)] = White;
        EXPECT_TRUE(IsLegal(board, size, move, White, Black));
    }
}

// A white move in the middle of an empty board whose neighbours in every direction
// are Black, closed by White two steps away: each direction alone makes it legal,
// and all eight runs flip together.
TEST(RulesTest, AllEightDirectionsAndMultiRunFlips) {
    for (const int size : {8, 10}) {
        const int stride = StrideOf(size);
        const int dirs[8] = {stride - 1, stride,        stride + 1, 1,
                             -1,         -(stride - 1), -stride,    -(stride + 1)};
        const int centre = SquareAt(size, 3, 3);
        const Board empty = MakeBoard(size, {});
        for (const int d : dirs) {
            Board board = empty;
            board[centre + d] = Black;
            board[centre + 2 * d] = White;
            EXPECT_TRUE(IsLegal(board, size, centre, White, Black)) << d;
            EXPECT_FALSE(IsLegal(board, size, centre, Black, White)) << d;
        }
        Board board = empty;
        for (const int d : dirs) {
            board[centre + d] = Black;
            board[centre + 2 * d] = Black;
            board[centre + 3 * d] = White;
        }
        // One run that ends on an empty square must stay untouched.
        board[centre + 3 * dirs[0]] = Empty;
        MakeMove(board, size, centre, White, Black);
        EXPECT_EQ(board[centre], White);
        for (int i = 0; i < 8; ++i) {
            const int expected = i == 0 ? Black : White;
            EXPECT_EQ(board[centre + dirs[i]], expected) << dirs[i];
            EXPECT_EQ(board[centre + 2 * dirs[i]], expected) << dirs[i];
        }
    }
}

TEST(ScanBoardTest, CountsDiscsAndDetectsPassesAndTheEnd) {
    const ScanResult start = ScanBoard(Start(8), 8);
    EXPECT_TRUE(start.whiteCanMove);
    EXPECT_TRUE(start.blackCanMove);
    EXPECT_EQ(start.whiteCount, 2);
    EXPECT_EQ(start.blackCount, 2);

    // Two lone discs far apart: nobody can move, the game is over.
    ScanResult scan = ScanBoard(MakeBoard(8, {{"A8", Black}, {"H1", White}, {"H2", White}}), 8);
    EXPECT_TRUE(scan.GameOver());
    EXPECT_EQ(scan.whiteCount, 2);
    EXPECT_EQ(scan.blackCount, 1);

    // Black on the corner A8 with White below it: Black closes the run at A6, while
    // White has nothing to outflank against the border. Only White must pass.
    scan = ScanBoard(MakeBoard(8, {{"A8", Black}, {"A7", White}}), 8);
    EXPECT_TRUE(scan.blackCanMove);
    EXPECT_FALSE(scan.whiteCanMove);
    EXPECT_FALSE(scan.GameOver());
    EXPECT_TRUE(scan.CanMove(Black));
    EXPECT_FALSE(scan.CanMove(White));
    EXPECT_FALSE(HasLegalMove(MakeBoard(8, {{"A8", Black}, {"A7", White}}), 8, White));
}

TEST(NotationTest, NamesBoardTextAndDigits) {
    const std::tuple<int, int, const char*, const char*> names[] = {
        {8, 11, "A8", "A:8"},  {8, 18, "A1", "A:1"},   {8, 81, "H8", "H:8"},
        {8, 88, "H1", "H:1"},  {8, 53, "E6", "E:6"},   {10, 13, "A10", "A:10"},
        {10, 54, "D5", "D:5"}, {10, 130, "J1", "J:1"},
    };
    for (const auto& [size, square, name, listName] : names) {
        EXPECT_EQ(SquareName(size, square), name);
        EXPECT_EQ(SquareListName(size, square), listName);
        EXPECT_EQ(ParseSquare(size, name), square) << name;
    }
    for (const int size : {8, 10}) {
        for (const int square : SquareList(size)) {
            EXPECT_EQ(ParseSquare(size, SquareName(size, square)), square);
        }
    }
    for (const char* bad : {"I1", "A9", "A0", "A", "", "E66"}) {
        EXPECT_FALSE(ParseSquare(8, bad)) << bad;
    }
    EXPECT_FALSE(ParseSquare(10, "A01"));
    EXPECT_FALSE(ParseSquare(10, "K1"));
    EXPECT_EQ(ParseSquare(8, "e6"), 53);

    const std::string text = BoardToText(Start(8), 8);
    EXPECT_EQ(text,
              std::string(27, '+') + "wb" + std::string(6, '+') + "bw" + std::string(27, '+'));
    EXPECT_EQ(BoardFromText(8, text), Start(8));
    EXPECT_EQ(BoardFromText(10, BoardToText(Start(10), 10)), Start(10));
    EXPECT_FALSE(BoardFromText(8, text.substr(1)));
    EXPECT_FALSE(BoardFromText(8, std::string(64, 'x')));

    for (int v = 0; v <= 9; ++v) {
        EXPECT_EQ(DigitChar(v), '0' + v);
        EXPECT_EQ(DigitValue(DigitChar(v)), v);
    }
    EXPECT_EQ(DigitValue('a'), -1);
    EXPECT_EQ(DigitValue('/'), -1);
}

}  // namespace
}  // namespace velmora
