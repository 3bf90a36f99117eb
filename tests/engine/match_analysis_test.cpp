#include "engine/match_analysis.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "engine/endgame_solver.h"
#include "engine/fast_search.h"
#include "engine/rules.h"

namespace velmora {
namespace {

// A game played by the level-2 search, except that from blunderEmpties on the solver plays,
// once choosing its worst move on purpose: returns the record and the blunder's index.
struct BlunderGame {
    OBoardTracker record{8};
    int blunder = -1;
    int blunderLoss = 0;
};

BlunderGame PlayBlunderGame(int blunderEmpties) {
    BlunderGame game;
    GamePosition position;
    position.Reset(8);
    EndgameSolver solver(8, std::size_t{1} << 20);
    for (;;) {
        const ScanResult scan = ScanBoard(position.board, 8);
        if (scan.GameOver()) {
            return game;
        }
        const int side = position.sideToMove;
        if (!scan.CanMove(side)) {
            position.sideToMove = Opponent(side);
            continue;
        }
        int move = FastSearchOn<8>(position.board, side, {2, false, false}, nullptr).move;
        if (EmptySquareCount(position.board, 8) <= blunderEmpties) {
            const SolveResult best = solver.Solve(position.board, side, nullptr);
            move = best.move;
            if (game.blunder < 0) {
                // The move worth least, by the exact value of each.
                int worst = best.value;
                for (const int square : SquareList(8)) {
                    if (IsLegal(position.board, 8, square, side, Opponent(side))) {
                        Board child = position.board;
                        MakeMove(child, 8, square, side, Opponent(side));
                        const int v = -solver.Solve(child, Opponent(side), nullptr).value;
                        if (v < worst) {
                            worst = v;
                            move = square;
                        }
                    }
                }
                game.blunder = game.record.Count();
                game.blunderLoss = best.value - worst;
            }
        }
        game.record.AddMove(position, move, side, Opponent(side));
        MakeMove(position.board, 8, move, side, Opponent(side));
        position.sideToMove = Opponent(side);
    }
}

// The deliberate blunder is a mistake, by exactly the loss the solver measured; the solver's
// own moves after it are best; the last value is the game's real result.
TEST(MatchAnalysisTest, GradesADeliberateBlunderAMistake) {
    const BlunderGame game = PlayBlunderGame(14);
    ASSERT_GE(game.blunder, 0);
    ASSERT_GE(game.blunderLoss, 6);
    AnalysisOptions options;
    options.evaluationLevel = 3;  // the opening's values do not matter here
    int calls = 0;
    int lastDone = 0;
    const auto analysis =
        AnalyseMatch(8, game.record.Moves(), options, nullptr, [&](int done, int total) {
            ++calls;
            EXPECT_EQ(done, lastDone + 1);
            EXPECT_EQ(total, game.record.Count() + 1);
            lastDone = done;
        });
    ASSERT_TRUE(analysis);
    ASSERT_EQ(analysis->moves.size(), static_cast<std::size_t>(game.record.Count()));
    EXPECT_EQ(calls, game.record.Count() + 1);

    const MoveAnalysis& blunder = analysis->moves[static_cast<std::size_t>(game.blunder)];
    EXPECT_EQ(blunder.kind, ValueKind::Solved);
    EXPECT_EQ(blunder.grade, MoveGrade::Mistake);
    EXPECT_EQ(blunder.loss, game.blunderLoss);
    EXPECT_NE(blunder.bestSquare, blunder.square);
    for (std::size_t k = static_cast<std::size_t>(game.blunder) + 1; k < analysis->moves.size();
         ++k) {
        EXPECT_EQ(analysis->moves[k].grade, MoveGrade::Best) << k;
        EXPECT_EQ(analysis->moves[k].loss, 0) << k;
    }
    // Early positions are evaluated, late ones solved.
    EXPECT_EQ(analysis->positions.front().kind, ValueKind::Evaluated);
    const PositionValue& last = analysis->positions.back();
    EXPECT_EQ(last.kind, ValueKind::Solved);
    const MoveEntry& final = game.record.Entry(game.record.Count() - 1);
    Board board = final.snapshot;
    MakeMove(board, 8, final.square, final.side, final.nextSide);
    const ScanResult scan = ScanBoard(board, 8);
    EXPECT_EQ(last.value, scan.whiteCount - scan.blackCount);

    // A stop from another thread ends the analysis with nothing.
    std::atomic<bool> stop{false};
    std::optional<MatchAnalysis> stopped;
    std::thread worker([&] {
        stopped = AnalyseMatch(8, game.record.Moves(), {}, &stop,
                               [&](int done, int) { stop = stop || done == 3; });
    });
    worker.join();
    EXPECT_FALSE(stopped);
}

// The grade thresholds as documented: 2 and 6 discs, 20 and 60 evaluation points.
TEST(MatchAnalysisTest, GradeThresholds) {
    const int solved[] = {1, 2, 5, 6};
    const int evaluated[] = {19, 20, 59, 60};
    const MoveGrade grades[] = {MoveGrade::Best, MoveGrade::Inaccuracy, MoveGrade::Inaccuracy,
                                MoveGrade::Mistake};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(GradeOfLoss(ValueKind::Solved, solved[i]), grades[i]) << solved[i];
        EXPECT_EQ(GradeOfLoss(ValueKind::Evaluated, evaluated[i]), grades[i]) << evaluated[i];
    }
}

}  // namespace
}  // namespace velmora
