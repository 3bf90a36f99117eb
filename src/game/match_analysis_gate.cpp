#include "game/match_analysis_gate.h"

#include "engine/notation.h"
#include "engine/rules.h"

namespace velmora {

bool RecordedGameFinished(const OBoardTracker& record) {
    if (record.Count() == 0) {
        return false;
    }
    const MoveEntry& last = record.Entry(record.Count() - 1);
    Board after = last.snapshot;
    MakeMove(after, record.Size(), last.square, last.side, last.nextSide);
    return ScanBoard(after, record.Size()).GameOver();
}

AnalysisGate AnalysisGateFor(const GameSession& session) {
    if (session.record.Count() == 0 || RecordedGameFinished(session.record)) {
        return AnalysisGate::Open;
    }
    if (session.flags.networkGame) {
        return AnalysisGate::RefuseNetworkGame;
    }
    if (session.settings.versusComputer && !session.flags.trainingGame) {
        return AnalysisGate::AskTraining;
    }
    return AnalysisGate::Open;
}

std::string AnalysisLine(int size, const MoveAnalysis& move) {
    std::string line = std::to_string(move.number) + ". " + SquareName(size, move.square) +
                       " — лучше " + SquareName(size, move.bestSquare) + " (";
    if (move.kind == ValueKind::Evaluated) {
        line += "≈";
    }
    return line + "+" + std::to_string(move.loss) + ")";
}

}  // namespace velmora
