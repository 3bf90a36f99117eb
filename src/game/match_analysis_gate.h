#pragma once

#include <string>

#include "engine/match_analysis.h"
#include "game/game_session.h"

namespace velmora {

// Whether the last recorded position ends the game (an empty record does not).
bool RecordedGameFinished(const OBoardTracker& record);

// What opening the analysis of the current match takes. Analysing a game still being played
// against the computer makes it a training game, as a hint does, so the player is asked
// first; during a network game that is still going there is nobody to ask for both players.
enum class AnalysisGate { Open, AskTraining, RefuseNetworkGame };
AnalysisGate AnalysisGateFor(const GameSession& session);

inline constexpr const char* kAnalysisNetworkRefusal =
    "Анализ партии недоступен, пока идёт сетевая игра.";

// A row of the inaccuracies and mistakes list: "23. D3 — лучше C5 (+8)". Evaluated losses
// are marked as estimates: "(≈+35)".
std::string AnalysisLine(int size, const MoveAnalysis& move);

}  // namespace velmora
