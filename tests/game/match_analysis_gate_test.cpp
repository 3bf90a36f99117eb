#include "game/match_analysis_gate.h"

#include <gtest/gtest.h>

#include "engine/notation.h"
#include "engine/rules.h"

namespace velmora {
namespace {

// Records moves from the start position of 8 x 8, each the first legal one in the search's
// order, passing when a side must, until the game ends or after limit moves.
void Play(GameSession& session, int limit) {
    session.record.NewRecord(8);
    session.position.Reset(8);
    while (session.record.Count() < limit) {
        const ScanResult scan = ScanBoard(session.position.board, 8);
        if (scan.GameOver()) {
            return;
        }
        if (!scan.CanMove(session.position.sideToMove)) {
            session.position.sideToMove = Opponent(session.position.sideToMove);
        }
        const int side = session.position.sideToMove;
        int square = NoMove;
        for (const int candidate : MoveOrder(8)) {
            if (square == NoMove &&
                IsLegal(session.position.board, 8, candidate, side, Opponent(side))) {
                square = candidate;
            }
        }
        session.record.AddMove(session.position, square, side, Opponent(side));
        MakeMove(session.position.board, 8, square, side, Opponent(side));
        session.position.sideToMove = Opponent(side);
    }
}

TEST(MatchAnalysisGateTest, AsksOnlyForAGameStillGoingAgainstTheComputer) {
    struct Case {
        bool moves, finished, versusComputer, training, network;
        AnalysisGate gate;
    };
    for (const Case& c : {
             Case{false, false, true, false, false, AnalysisGate::Open},
             Case{true, true, true, false, false, AnalysisGate::Open},
             Case{true, true, true, false, true, AnalysisGate::Open},
             Case{true, false, true, false, false, AnalysisGate::AskTraining},
             Case{true, false, true, true, false, AnalysisGate::Open},
             Case{true, false, false, false, false, AnalysisGate::Open},
             Case{true, false, false, false, true, AnalysisGate::RefuseNetworkGame},
         }) {
        GameSession session;
        if (c.finished) {
            Play(session, 1000);
        } else if (c.moves) {
            Play(session, 2);
        }
        ASSERT_EQ(RecordedGameFinished(session.record), c.finished);
        session.settings.versusComputer = c.versusComputer;
        session.flags.trainingGame = c.training;
        session.flags.networkGame = c.network;
        EXPECT_EQ(AnalysisGateFor(session), c.gate)
            << c.moves << c.finished << c.versusComputer << c.training << c.network;
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
    EXPECT_EQ(AnalysisLine(8, move), "23. D3 — лучше C5 (≈+35)");
    move.square = *ParseSquare(10, "J10");
    move.bestSquare = *ParseSquare(10, "A1");
    EXPECT_EQ(AnalysisLine(10, move), "23. J10 — лучше A1 (≈+35)");
}

}  // namespace
}  // namespace velmora
