#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <vector>

#include "engine/board.h"
#include "engine/notation.h"
#include "engine/routines.h"
#include "engine/rules.h"

namespace velmora {
namespace {

std::vector<int> LegalMoves(const Board& board, int size, int side) {
    std::vector<int> moves;
    for (const int square : SquareList(size)) {
        if (IsLegal(board, size, square, side, Opponent(side))) {
            moves.push_back(square);
        }
    }
    std::sort(moves.begin(), moves.end());
    return moves;
}

Board Start(int size) {
    Board board;
    InitBoard(board, size);
    return board;
}

TEST(SquareListTest, HoldsEveryPlayingSquareOnceWithCentreLast) {
    for (const int size : {8, 10}) {
        const auto list = SquareList(size);
        ASSERT_EQ(list.size(), static_cast<std::size_t>(size * size));
        const std::set<int> unique(list.begin(), list.end());
        EXPECT_EQ(unique.size(), list.size());
        for (const int square : list) {
            EXPECT_TRUE(IsPlayingSquare(size, square)) << square;
        }
        const Board board = Start(size);
        for (std::size_t i = 0; i < list.size(); ++i) {
            EXPECT_EQ(board[list[i]] != Empty, i >= list.size() - 4) << list[i];
        }
        EXPECT_EQ(MoveOrder(size).size(), list.size() - 4);
    }
}

TEST(BoardTest, StartPositionAndBorderCells) {
    const Board b8 = Start(8);
    EXPECT_EQ(b8[44], White);
    EXPECT_EQ(b8[55], White);
    EXPECT_EQ(b8[45], Black);
    EXPECT_EQ(b8[54], Black);
    for (int cell = 100; cell < kBoardCells; ++cell) {
        EXPECT_EQ(b8[cell], Border);
    }
    int playing = 0;
    for (int cell = 0; cell < 100; ++cell) {
        playing += b8[cell] != Border;
        EXPECT_EQ(b8[cell] != Border, IsPlayingSquare(8, cell)) << cell;
    }
    EXPECT_EQ(playing, 64);

    const Board b10 = Start(10);
    EXPECT_EQ(b10[65], White);
    EXPECT_EQ(b10[78], White);
    EXPECT_EQ(b10[66], Black);
    EXPECT_EQ(b10[77], Black);
    EXPECT_EQ(std::count_if(b10.begin(), b10.end(), [](auto c) { return c != Border; }), 100);
}

TEST(RulesTest, StartPositionMoves) {
    EXPECT_EQ(LegalMoves(Start(8), 8, White), (std::vector<int>{35, 46, 53, 64}));
    EXPECT_EQ(LegalMoves(Start(8), 8, Black), (std::vector<int>{34, 43, 56, 65}));
    const auto white10 = LegalMoves(Start(10), 10, White);
    EXPECT_EQ(white10.size(), 4u);
    EXPECT_NE(std::find(white10.begin(), white10.end(), 54), white10.end());  // D5
}

TEST(RulesTest, OccupiedAndBorderSquaresAreIllegal) {
    const Board board = Start(8);
    EXPECT_FALSE(IsLegal(board, 8, 44, White, Black));
    EXPECT_FALSE(IsLegal(board, 8, 45, White, Black));
    for (const int cell : {0, 10, 19, 20, 90, 99}) {
        EXPECT_FALSE(IsLegal(board, 8, cell, White, Black)) << cell;
    }
}

TEST(RulesTest, RunStoppingOnBorderOrEmptyDoesNotQualify) {
    for (const int size : {8, 10}) {
        Board board;
        InitBoard(board, size);
        for (const int square : SquareList(size)) {
            board[square] = Empty;
        }
        // A run of Black along the top row towards the left border, with White beyond the move.
        const int move = SquareAt(size, 3, 0);
        board[SquareAt(size, 2, 0)] = Black;
        board[SquareAt(size, 1, 0)] = Black;
        board[SquareAt(size, 0, 0)] = Black;
        EXPECT_FALSE(IsLegal(board, size, move, White, Black));
        // A run ending on an empty square.
        board[SquareAt(size, 0, 0)] = Empty;
        EXPECT_FALSE(IsLegal(board, size, move, White, Black));
        board[SquareAt(size, 0, 0)] = White;
        EXPECT_TRUE(IsLegal(board, size, move, White, Black));
    }
}

// A white move in the middle of an empty board whose neighbours in every direction
// are Black, closed by White two steps away: each direction alone makes it legal,
// and all eight runs flip together.
TEST(RulesTest, AllEightDirectionsAndMultiRunFlips) {
    for (const int size : {8, 10}) {
        const int stride = StrideOf(size);
        const int dirs[8] = {stride - 1, stride, stride + 1, 1, -1, -(stride - 1), -stride,
                             -(stride + 1)};
        const int centre = SquareAt(size, 3, 3);
        for (const int d : dirs) {
            Board board;
            InitBoard(board, size);
            for (const int square : SquareList(size)) {
                board[square] = Empty;
            }
            board[centre + d] = Black;
            board[centre + 2 * d] = White;
            EXPECT_TRUE(IsLegal(board, size, centre, White, Black)) << d;
            EXPECT_FALSE(IsLegal(board, size, centre, Black, White)) << d;
        }
        Board board;
        InitBoard(board, size);
        for (const int square : SquareList(size)) {
            board[square] = Empty;
        }
        for (const int d : dirs) {
            board[centre + d] = Black;
            board[centre + 2 * d] = Black;
            board[centre + 3 * d] = White;
        }
        // One run that ends on an empty square must stay untouched.
        board[centre + 3 * dirs[0]] = Empty;
        MakeMove(board, size, centre, White, Black);
        EXPECT_EQ(board[centre], White);
        EXPECT_EQ(board[centre + dirs[0]], Black);
        EXPECT_EQ(board[centre + 2 * dirs[0]], Black);
        for (int i = 1; i < 8; ++i) {
            EXPECT_EQ(board[centre + dirs[i]], White) << dirs[i];
            EXPECT_EQ(board[centre + 2 * dirs[i]], White) << dirs[i];
        }
    }
}

TEST(RulesTest, MakeMoveWithNoMoveChangesNothing) {
    Board board = Start(8);
    const Board before = board;
    MakeMove(board, 8, NoMove, White, Black);
    EXPECT_EQ(board, before);
}

TEST(ScanBoardTest, CountsDiscsAndDetectsPassesAndTheEnd) {
    const ScanResult start = ScanBoard(Start(8), 8);
    EXPECT_TRUE(start.whiteCanMove);
    EXPECT_TRUE(start.blackCanMove);
    EXPECT_EQ(start.whiteCount, 2);
    EXPECT_EQ(start.blackCount, 2);

    // Two lone discs far apart: nobody can move, the game is over.
    Board board;
    InitBoard(board, 8);
    for (const int square : SquareList(8)) {
        board[square] = Empty;
    }
    board[SquareAt(8, 0, 0)] = Black;
    board[SquareAt(8, 7, 7)] = White;
    ScanResult scan = ScanBoard(board, 8);
    EXPECT_TRUE(scan.GameOver());
    EXPECT_EQ(scan.whiteCount, 1);
    EXPECT_EQ(scan.blackCount, 1);

    // Black on the corner A8 with White below it: Black closes the run at A6, while
    // White has nothing to outflank against the border. Only White must pass.
    board[SquareAt(8, 7, 7)] = Empty;
    board[SquareAt(8, 0, 1)] = White;
    scan = ScanBoard(board, 8);
    EXPECT_TRUE(scan.blackCanMove);
    EXPECT_FALSE(scan.whiteCanMove);
    EXPECT_FALSE(scan.GameOver());
    EXPECT_TRUE(scan.CanMove(Black));
}

TEST(NotationTest, NamesBoardTextAndDigits) {
    EXPECT_EQ(SquareName(8, 11), "A8");
    EXPECT_EQ(SquareName(8, 18), "A1");
    EXPECT_EQ(SquareName(8, 81), "H8");
    EXPECT_EQ(SquareName(8, 88), "H1");
    EXPECT_EQ(SquareName(8, 53), "E6");
    EXPECT_EQ(SquareName(10, 13), "A10");
    EXPECT_EQ(SquareName(10, 54), "D5");
    EXPECT_EQ(SquareListName(8, 53), "E:6");
    EXPECT_EQ(SquareListName(10, 13), "A:10");
    for (const int size : {8, 10}) {
        for (const int square : SquareList(size)) {
            EXPECT_EQ(ParseSquare(size, SquareName(size, square)), square);
        }
    }
    EXPECT_FALSE(ParseSquare(8, "I1"));
    EXPECT_FALSE(ParseSquare(8, "A9"));
    EXPECT_FALSE(ParseSquare(8, "A0"));
    EXPECT_FALSE(ParseSquare(10, "A01"));
    EXPECT_EQ(ParseSquare(8, "e6"), 53);

    const std::string text = BoardToText(Start(8), 8);
    ASSERT_EQ(text.size(), 64u);
    for (std::size_t k = 0; k < text.size(); ++k) {
        const char expected = (k == 27 || k == 36) ? 'w' : (k == 28 || k == 35) ? 'b' : '+';
        EXPECT_EQ(text[k], expected) << k;
    }
    EXPECT_EQ(BoardFromText(8, text), Start(8));
    EXPECT_EQ(BoardToText(*BoardFromText(10, BoardToText(Start(10), 10)), 10).size(), 100u);
    EXPECT_FALSE(BoardFromText(8, text.substr(1)));
    EXPECT_FALSE(BoardFromText(8, std::string(64, 'x')));

    for (int v = 0; v <= 9; ++v) {
        EXPECT_EQ(DigitValue(DigitChar(v)), v);
    }
    EXPECT_EQ(DigitValue('a'), -1);
    EXPECT_EQ(DigitValue('/'), -1);
}

TEST(RoutinesTest, SelectsTheRoutinesOfEachSize) {
    EXPECT_EQ(SelectRoutines(8).size, 8);
    EXPECT_EQ(SelectRoutines(10).size, 10);
    Board board = Start(10);
    // D5 is legal for White on 10 x 10 only through the 10 x 10 stride.
    EXPECT_TRUE(SelectRoutines(10).isLegal(board, 54, White, Black));
    SelectRoutines(10).makeMove(board, 54, White, Black);
    EXPECT_EQ(board[66], White);
}

}  // namespace
}  // namespace velmora
