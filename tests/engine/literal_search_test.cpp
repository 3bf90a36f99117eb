#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>

#include "engine/evaluation_weights.h"
#include "engine/literal_search.h"
#include "engine/notation.h"
#include "engine/random_positions.h"
#include "engine/rules.h"
#include "test_boards.h"

namespace velmora {
namespace {

using testing::MakeBoard;
using testing::OrderedMoves;

// An independent model of the evaluation, read from the on-screen grids by column and row.
int ModelWeight(int size, bool cornerTable, const Board& board, int column, int row) {
    const int last = size - 1;
    const auto grid = [&](int c, int r) {
        if (size == 8) {
            return (cornerTable ? kCornerWeights8 : kOpeningWeights8)[r][c];
        }
        return (cornerTable ? kCornerWeights10 : kOpeningWeights10)[r][c];
    };
    if (!cornerTable) {
        return grid(column, row);
    }
    const int cornerColumn = column <= 1 ? 0 : column >= last - 1 ? last : -1;
    const int cornerRow = row <= 1 ? 0 : row >= last - 1 ? last : -1;
    if (cornerColumn < 0 || cornerRow < 0 || (column == cornerColumn && row == cornerRow)) {
        return grid(column, row);
    }
    const bool taken = board[SquareAt(size, cornerColumn, cornerRow)] != Empty;
    const bool diagonal = column != cornerColumn && row != cornerRow;
    return taken ? (diagonal ? 8 : 12) : (diagonal ? -24 : -8);
}

int ModelEvaluate(const Board& board, int size, int side, int other, const SearchSettings& s) {
    const int last = size - 1;
    bool anyCorner = false;
    for (const int c : {0, last}) {
        for (const int r : {0, last}) {
            anyCorner = anyCorner || board[SquareAt(size, c, r)] != Empty;
        }
    }
    int value = 0;
    int otherDiscs = 0;
    int mobility = 0;
    for (int c = 0; c < size; ++c) {
        for (int r = 0; r < size; ++r) {
            const int square = SquareAt(size, c, r);
            const int w = ModelWeight(size, anyCorner, board, c, r);
            value += board[square] == side ? w : board[square] == other ? -w : 0;
            otherDiscs += board[square] == other ? 1 : 0;
            mobility += IsLegal(board, size, square, side, other) ? 1 : 0;
        }
    }
    if (otherDiscs == 0) {
        value = 32000;
    } else if (s.advanced) {
        value += mobility;
    }
    return s.novice ? 32000 - value : value;
}

int ModelFinal(const Board& board, int size, int side, int other, const SearchSettings& s) {
    int diff = 0;
    for (const int square : SquareList(size)) {
        diff += board[square] == side ? 1 : board[square] == other ? -1 : 0;
    }
    if (s.novice) {
        return 32000 - diff;
    }
    return diff > 0 ? diff + 32000 : diff < 0 ? diff - 32000 : 0;
}

// Plain minimax without pruning under the same node rules; the value is from mover's view.
int ModelValue(const Board& w, int size, int mover, int toMove, int ply, bool byPass,
               const SearchSettings& s) {
    if (ply == s.level) {
        if (!byPass || HasLegalMove(w, size, toMove)) {
            return ModelEvaluate(w, size, mover, toMove, s);
        }
        return ModelFinal(w, size, mover, toMove, s);
    }
    const auto moves = OrderedMoves(w, size, toMove);
    if (moves.empty()) {
        if (byPass) {
            return ModelFinal(w, size, mover, toMove, s);
        }
        return -ModelValue(w, size, toMove, mover, ply + 1, true, s);
    }
    int best = -1000000;
    for (const int q : moves) {
        Board child = w;
        MakeMove(child, size, q, toMove, mover);
        best = std::max(best, ModelValue(child, size, toMove, mover, ply + 1, false, s));
    }
    return -best;
}

// The model's root: value for the side to move and the first move of the order reaching it.
std::pair<int, int> ModelRoot(const Board& board, int size, int side, const SearchSettings& s) {
    int bestMove = NoMove;
    int best = -1000000;
    for (const int q : OrderedMoves(board, size, side)) {
        Board child = board;
        MakeMove(child, size, q, side, Opponent(side));
        const int v = ModelValue(child, size, side, Opponent(side), 1, false, s);
        if (v > best) {
            best = v;
            bestMove = q;
        }
    }
    if (bestMove == NoMove) {
        return {NoMove, -ModelValue(board, size, Opponent(side), side, 0, true, s)};
    }
    return {bestMove, best};
}

// Every table is symmetric under both mirrors and the diagonal, except that the 10 x 10 corner
// table differs between rows 2 and 9 at columns D..G.
TEST(WeightTablesTest, SymmetriesAndTheDeliberateAsymmetry) {
    const auto check = [](const auto& grid, bool corner10) {
        const std::size_t n = grid.size();
        for (std::size_t r = 0; r < n; ++r) {
            for (std::size_t c = 0; c < n; ++c) {
                const bool odd = corner10 && (r == 1 || r == 8) && c >= 3 && c <= 6;
                EXPECT_EQ(grid[r][c] != grid[n - 1 - r][c], odd) << n << ": " << r << "," << c;
                EXPECT_EQ(grid[r][c], grid[r][n - 1 - c]) << n << ": " << r << "," << c;
                EXPECT_TRUE(corner10 || grid[r][c] == grid[c][r]) << n << ": " << r << "," << c;
            }
        }
    };
    check(kOpeningWeights8, false);
    check(kCornerWeights8, false);
    check(kOpeningWeights10, false);
    check(kCornerWeights10, true);
    EXPECT_EQ(kCornerWeights10[8][3], -3);
    EXPECT_EQ(kCornerWeights10[1][3], -2);
    EXPECT_EQ(kOpeningWeights8[1][1], -24);
    EXPECT_EQ(kOpeningWeights10[0][0], 99);
}

// The evaluation's branches on literal values; the searches below compare it with the model.
TEST(LiteralEvaluateTest, TableDifferenceMobilityNoviceAndWipeOut) {
    // The mobility term counts the moves of the side that has just moved.
    const Board board = MakeBoard(8, {{"D5", White}, {"E4", White}, {"D4", Black}, {"E5", Black}});
    LiteralSearcher<8> searcher;
    searcher.SetSettings({3, false, false});
    const int normal = searcher.Evaluate(board, White, Black);
    EXPECT_EQ(normal, 0);
    searcher.SetSettings({3, false, true});
    EXPECT_EQ(searcher.Evaluate(board, White, Black), normal + 4);
    // A side with no disc left: 32000, inverted to 0 for the novice.
    const Board wiped = MakeBoard(8, {{"A8", White}, {"B8", White}});
    searcher.SetSettings({3, false, true});
    EXPECT_EQ(searcher.Evaluate(wiped, White, Black), 32000);
    searcher.SetSettings({1, true, false});
    EXPECT_EQ(searcher.Evaluate(wiped, White, Black), 0);
    EXPECT_EQ(searcher.FinalScore(wiped, White, Black), 31998);
    searcher.SetSettings({1, false, false});
    EXPECT_EQ(searcher.FinalScore(wiped, White, Black), 32002);
    EXPECT_EQ(searcher.FinalScore(wiped, Black, White), -32002);
}

TEST(LiteralSearchTest, AgreesWithPlainMinimaxOnRandomPositions) {
    for (const int size : {8, 10}) {
        const int maxLevel = size == 8 ? 3 : 2;
        for (const SampledPosition& p : SampleRandomPositions(size, 40, 11)) {
            for (int level = 0; level <= maxLevel; ++level) {
                for (const bool advanced : {false, true}) {
                    const SearchSettings s = SearchSettings::FromShownLevel(level, advanced);
                    const SearchResult r = LiteralSearch(size, p.board, p.sideToMove, s, nullptr);
                    const auto [move, value] = ModelRoot(p.board, size, p.sideToMove, s);
                    EXPECT_EQ(r.move, move) << BoardToText(p.board, size) << " level " << level;
                    EXPECT_EQ(r.value, value) << BoardToText(p.board, size) << " level " << level;
                    EXPECT_FALSE(r.stopped);
                }
            }
        }
    }
}

// The four opening moves are mirror images of each other, so they tie: the first in the
// order, E6 or D5, is kept.
TEST(LiteralSearchTest, TiesGoToTheFirstMoveOfTheOrder) {
    for (const int size : {8, 10}) {
        Board start;
        InitBoard(start, size);
        const SearchResult r = LiteralSearch(size, start, White, {1, false, false}, nullptr);
        EXPECT_EQ(SquareName(size, r.move), size == 8 ? "E6" : "D5");
        EXPECT_EQ(r.nodes, 5u);
    }
}

TEST(LiteralSearchTest, PassesCostAPlyAndTwoPassesEndTheGame) {
    // White's C8 or H3 each leave Black without a move; White can move again afterwards.
    const Board passing =
        MakeBoard(8, {{"A8", White}, {"B8", Black}, {"H1", White}, {"H2", Black}});
    const SearchResult one = LiteralSearch(8, passing, White, {1, false, false}, nullptr);
    EXPECT_EQ(one.nodes, 3u);
    const SearchResult two = LiteralSearch(8, passing, White, {2, false, false}, nullptr);
    EXPECT_EQ(two.nodes, 5u);  // Each move is followed by Black's pass node.
    EXPECT_EQ(two.move, 31);   // C8 comes before H3 in the order; both are worth the same.

    // White's only move wipes Black out: after Black's pass nobody can move.
    const Board wipeOut = MakeBoard(8, {{"A8", White}, {"B8", Black}});
    const SearchResult leaf = LiteralSearch(8, wipeOut, White, {1, false, false}, nullptr);
    EXPECT_EQ(leaf.move, 31);
    EXPECT_EQ(leaf.value, 32000);
    const SearchResult novice = LiteralSearch(8, wipeOut, White, {1, true, false}, nullptr);
    EXPECT_EQ(novice.move, 31);
    EXPECT_EQ(novice.value, 0);
    for (const int level : {2, 3, 5}) {
        const SearchResult r = LiteralSearch(8, wipeOut, White, {level, false, true}, nullptr);
        EXPECT_EQ(r.value, 32003) << level;  // Three discs to none, counted as a won game.
        EXPECT_EQ(r.nodes, 3u) << level;
    }

    // No move at the root: no answer, and only the root is visited.
    const Board stuck = MakeBoard(8, {{"A8", White}, {"H1", Black}});
    const SearchResult none = LiteralSearch(8, stuck, White, {4, false, false}, nullptr);
    EXPECT_EQ(none.move, NoMove);
    EXPECT_EQ(none.nodes, 1u);
    EXPECT_EQ(none.value, 0);
}

TEST(LiteralSearchTest, StopRequestAnswersNoMove) {
    Board start;
    InitBoard(start, 10);
    std::atomic<bool> stop{true};
    const SearchResult early = LiteralSearch(10, start, White, {9, false, false}, &stop);
    EXPECT_EQ(early.move, NoMove);
    EXPECT_TRUE(early.stopped);
    EXPECT_EQ(early.nodes, 1u);
}

}  // namespace
}  // namespace velmora
