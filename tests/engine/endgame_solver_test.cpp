#include "engine/endgame_solver.h"

#include <gtest/gtest.h>

#include <atomic>
#include <climits>

#include "engine/notation.h"
#include "engine/random_positions.h"
#include "engine/rules.h"

namespace velmora {
namespace {

// The sanitizer and debug builds check fewer positions.
#if defined(NDEBUG) && !defined(__SANITIZE_ADDRESS__)
constexpr int kMaxEmpties = 10;
constexpr std::size_t kPositionsPerSize = 30;
#else
constexpr int kMaxEmpties = 8;
constexpr std::size_t kPositionsPerSize = 12;
#endif

int DiscDifference(const Board& board, int size, int side) {
    int difference = 0;
    for (const int square : SquareList(size)) {
        difference += board[square] == side ? 1 : board[square] == Opponent(side) ? -1 : 0;
    }
    return difference;
}

// Plain minimax on the final disc difference, straight from the rules.
int Minimax(const Board& board, int size, int side, bool passed) {
    int best = INT_MIN;
    for (const int square : SquareList(size)) {
        if (IsLegal(board, size, square, side, Opponent(side))) {
            Board child = board;
            MakeMove(child, size, square, side, Opponent(side));
            const int v = -Minimax(child, size, Opponent(side), false);
            best = v > best ? v : best;
        }
    }
    if (best != INT_MIN) {
        return best;
    }
    return passed ? DiscDifference(board, size, side) : -Minimax(board, size, Opponent(side), true);
}

// Positions from random games (some with the side to move passing, some finished, some with a
// side nearly wiped out) with lowest..highest empties.
std::vector<SampledPosition> EndPositions(int size, int lowest, int highest, std::size_t count) {
    std::vector<SampledPosition> chosen;
    for (const SampledPosition& p : SampleRandomPositions(size, 4000, 20261207)) {
        const int empties = EmptySquareCount(p.board, size);
        if (empties >= lowest && empties <= highest && chosen.size() < count) {
            chosen.push_back(p);
        }
    }
    return chosen;
}

// Value identical to minimax, and the move one of the optimal ones (or a pass exactly when
// the side to move has no move), for every build this processor runs, both sizes.
TEST(EndgameSolverTest, AgreesWithMinimax) {
    for (const int size : {8, 10}) {
        const std::vector<SampledPosition> positions =
            EndPositions(size, 0, kMaxEmpties, kPositionsPerSize);
        ASSERT_EQ(positions.size(), kPositionsPerSize);
        int passes = 0;
        int finished = 0;
        for (const SampledPosition& p : positions) {
            const int side = p.sideToMove;
            // Each move's value once; the position's value is the best of them.
            std::vector<std::pair<int, int>> children;
            for (const int square : SquareList(size)) {
                if (IsLegal(p.board, size, square, side, Opponent(side))) {
                    Board child = p.board;
                    MakeMove(child, size, square, side, Opponent(side));
                    children.emplace_back(square, -Minimax(child, size, Opponent(side), false));
                }
            }
            const bool canMove = !children.empty();
            int expected = canMove ? INT_MIN : Minimax(p.board, size, side, false);
            for (const auto& [square, value] : children) {
                expected = value > expected ? value : expected;
            }
            passes += canMove ? 0 : 1;
            finished += ScanBoard(p.board, size).GameOver() ? 1 : 0;
            for (const FastSearchBuild build : SupportedFastSearchBuilds()) {
                EndgameSolver solver(size, std::size_t{1} << 20, build);
                const SolveResult r = solver.Solve(p.board, side, nullptr);
                const std::string where = std::string(FastSearchBuildName(build)) + " " +
                                          BoardToText(p.board, size) +
                                          (side == White ? " white" : " black");
                ASSERT_EQ(r.value, expected) << where;
                ASSERT_FALSE(r.stopped);
                if (!canMove) {
                    EXPECT_EQ(r.move, NoMove) << where;
                    continue;
                }
                bool optimal = false;
                for (const auto& [square, value] : children) {
                    optimal = optimal || (square == r.move && value == expected);
                }
                EXPECT_TRUE(optimal) << where << " " << SquareName(size, r.move);
            }
        }
        EXPECT_GT(passes, 0) << size;
        EXPECT_GT(finished, 0) << size;
    }
}

// Deeper than minimax reaches, where the table and its look-ahead cut: the value is the best
// of the children's values as fresh solvers find them, and the move is worth it, also after
// a stopped search.
TEST(EndgameSolverTest, ValueIsTheBestOfTheChildren) {
    for (const int size : {8, 10}) {
        for (const SampledPosition& p : EndPositions(size, 13, 15, 3)) {
            const int side = p.sideToMove;
            // A stop request answers at once with no move; the solver then still solves right.
            EndgameSolver solver(size, std::size_t{1} << 16);
            const std::atomic<bool> stop{true};
            const SolveResult stopped = solver.Solve(p.board, side, &stop);
            EXPECT_TRUE(stopped.stopped);
            EXPECT_EQ(stopped.move, NoMove);
            const SolveResult r = solver.Solve(p.board, side, nullptr);
            int best = INT_MIN;
            int moveValue = INT_MIN;
            for (const int square : SquareList(size)) {
                if (IsLegal(p.board, size, square, side, Opponent(side))) {
                    Board child = p.board;
                    MakeMove(child, size, square, side, Opponent(side));
                    const int v = -EndgameSolver(size, std::size_t{1} << 16)
                                       .Solve(child, Opponent(side), nullptr)
                                       .value;
                    best = v > best ? v : best;
                    moveValue = square == r.move ? v : moveValue;
                }
            }
            const std::string where = BoardToText(p.board, size);
            EXPECT_EQ(r.value, best) << where;
            EXPECT_EQ(moveValue, best) << where;
        }
    }
}

}  // namespace
}  // namespace velmora
