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
        testing::GameRig rig(8, false);
        rig.flow.NewGameCommand();
        rig.PlayFirstLegal(moves);
        ASSERT_EQ(RecordedGameFinished(rig.session.record), moves == 100);
        rig.session.settings.versusComputer = versusComputer;
        rig.session.flags.trainingGame = training;
        rig.session.flags.networkGame = network;
        EXPECT_EQ(AnalysisGateFor(rig.session), gate)
            << moves << versusComputer << training << network;
    }
}

TEST(MatchAnalysisGateTest, ListLines) {
    const MoveAnalysis solved{.number = 23,
                              .square = *ParseSquare(8, "D3"),
                              .bestSquare = *ParseSquare(8, "C5"),
                              .loss = 8};
    EXPECT_EQ(AnalysisLine(8, solved), "23. D3 — лучше C5 (+8)");
    const MoveAnalysis evaluated{.number = 23,
                                 .square = *ParseSquare(10, "J10"),
                                 .kind = ValueKind::Evaluated,
                                 .bestSquare = *ParseSquare(10, "A1"),
                                 .loss = 35};
    EXPECT_EQ(AnalysisLine(10, evaluated), "23. J10 — лучше A1 (≈+35)");
}

}  // namespace
}  // namespace velmora
