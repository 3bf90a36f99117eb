#include "game/match_analysis_gate.h"

#include <gtest/gtest.h>

#include <tuple>

#include "engine/notation.h"
#include "game_fakes.h"

namespace velmora {
namespace {

TEST(MatchAnalysisGateTest, AsksOnlyForAGameStillGoingAgainstTheComputer) {
    using Gate = AnalysisGate;
    // First-legal moves played (100 plays the game out), versus computer, training, network game.
    using Case = std::tuple<int, bool, bool, bool, AnalysisGate>;
    for (const auto& [moves, versusComputer, training, network, gate] :
         {Case{0, true, false, false, Gate::Open}, Case{100, true, false, false, Gate::Open},
          Case{100, true, false, true, Gate::Open}, Case{2, true, false, false, Gate::AskTraining},
          Case{2, true, true, false, Gate::Open}, Case{2, false, false, false, Gate::Open},
          Case{2, false, false, true, Gate::RefuseNetworkGame}}) {
        testing::GameRig rig(8, versusComputer);
        rig.flow.NewGameCommand();
        rig.PlayFirstLegal(moves);
        ASSERT_EQ(RecordedGameFinished(rig.session.record), moves == 100);
        rig.session.flags.trainingGame = training;
        rig.session.flags.networkGame = network;
        EXPECT_EQ(AnalysisGateFor(rig.session), gate)
            << moves << versusComputer << training << network;
    }
}

TEST(MatchAnalysisGateTest, ListLines) {
    const auto line = [](int size, const char* square, const char* best, ValueKind kind, int loss) {
        MoveAnalysis move;
        move.number = 23, move.kind = kind, move.loss = loss;
        move.square = *ParseSquare(size, square), move.bestSquare = *ParseSquare(size, best);
        return AnalysisLine(size, move);
    };
    EXPECT_EQ(line(8, "D3", "C5", ValueKind::Solved, 8), "23. D3 — лучше C5 (+8)");
    EXPECT_EQ(line(10, "J10", "A1", ValueKind::Evaluated, 35), "23. J10 — лучше A1 (≈+35)");
}

}  // namespace
}  // namespace velmora
