#include "game/match_analysis_gate.h"

#include <gtest/gtest.h>

#include "engine/notation.h"
#include "game_fakes.h"

namespace velmora {
namespace {

TEST(MatchAnalysisGateTest, AsksOnlyForAGameStillGoingAgainstTheComputer) {
    struct Case {
        int moves;  // first-legal moves played; 100 plays the game out
        bool versusComputer, training, network;
        AnalysisGate gate;
    };
    for (const Case& c : {
             Case{0, true, false, false, AnalysisGate::Open},
             Case{100, true, false, false, AnalysisGate::Open},
             Case{100, true, false, true, AnalysisGate::Open},
             Case{2, true, false, false, AnalysisGate::AskTraining},
             Case{2, true, true, false, AnalysisGate::Open},
             Case{2, false, false, false, AnalysisGate::Open},
             Case{2, false, false, true, AnalysisGate::RefuseNetworkGame},
         }) {
        testing::GameRig rig(8, false);
        rig.flow.NewGameCommand();
        rig.PlayFirstLegal(c.moves);
        GameSession& session = rig.session;
        ASSERT_EQ(RecordedGameFinished(session.record), c.moves == 100);
        session.settings.versusComputer = c.versusComputer;
        session.flags.trainingGame = c.training;
        session.flags.networkGame = c.network;
        EXPECT_EQ(AnalysisGateFor(session), c.gate)
            << c.moves << c.versusComputer << c.training << c.network;
    }
}

TEST(MatchAnalysisGateTest, ListLines) {
    MoveAnalysis move;
    move.number = 23;
    move.square = *ParseSquare(8, "D3");
    move.bestSquare = *ParseSquare(8, "C5");
    move.loss = 8;
    EXPECT_EQ(AnalysisLine(8, move), "23. D3 — лучше C5 (+8)");
    move.kind = ValueKind::Evaluated;
    move.loss = 35;
    move.square = *ParseSquare(10, "J10");
    move.bestSquare = *ParseSquare(10, "A1");
    EXPECT_EQ(AnalysisLine(10, move), "23. J10 — лучше A1 (≈+35)");
}

}  // namespace
}  // namespace velmora
