#pragma once

#include <functional>
#include <optional>

#include "engine/engine_worker.h"
#include "engine/game_position.h"
#include "engine/search_settings.h"

namespace velmora {

// The window's side of a computer move or a hint.
class EngineObserver {
  public:
    virtual ~EngineObserver() = default;
    // New game, Hint and Settings are greyed while the computer chooses, and come back after.
    virtual void SetThinkingCommandsEnabled(bool /*enabled*/) {}
    // The first move of a game was given without a search: the moves panel's Undo and
    // Redo become available.
    virtual void FixedOpeningMoveGiven() {}
};

// Dispatches the caller's pending events once; called again and again while the worker is
// busy. A GUI passes a local event loop that the worker's notifier quits; a plain caller can
// pass BlockingPump (an empty pump blocks the same way).
using PumpEvents = std::function<void()>;
PumpEvents BlockingPump(EngineWorker& worker);

// The computer's first move of a new game is not searched.
constexpr int FixedOpeningMove(int size) {
    return size == 10 ? 54 : 53;
}

// Chooses the move for position.sideToMove: the fixed opening when position.openingPending,
// otherwise a search on the worker while pump keeps the caller's events flowing. Answers
// NoMove when the side to move has no move or a stop was requested while waiting.
int ComputeMove(EngineWorker& worker, const GamePosition& position, const SearchSettings& settings,
                const PumpEvents& pump, EngineObserver* observer = nullptr,
                EngineKind engine = kGameEngine);

// ComputeMove in two halves, for a caller that returns to its own event loop instead of
// waiting. Begin greys the commands and either answers at once or starts the worker and
// answers nothing (it answers NoMove without touching the observer if the worker is still
// busy with an earlier search); once the worker is idle (its notifier has run), Finish restores the
// commands and answers.
std::optional<int> BeginComputeMove(EngineWorker& worker, const GamePosition& position,
                                    const SearchSettings& settings, EngineObserver* observer,
                                    EngineKind engine = kGameEngine);
int FinishComputeMove(EngineWorker& worker, EngineObserver* observer);

}  // namespace velmora
