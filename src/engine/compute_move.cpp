#include "engine/compute_move.h"

namespace velmora {

PumpEvents BlockingPump(EngineWorker& worker) {
    return [&worker] { worker.Wait(); };
}

std::optional<int> BeginComputeMove(EngineWorker& worker, const GamePosition& position,
                                    const SearchSettings& settings, EngineObserver* observer,
                                    EngineKind engine) {
    // A second start while a search runs is refused before it touches the first one's locks.
    if (worker.Busy()) {
        return NoMove;
    }
    // 1.
    if (observer != nullptr) {
        observer->SetThinkingCommandsEnabled(false);
    }
    // 2. The first move of a new game is fixed.
    if (position.openingPending) {
        if (observer != nullptr) {
            observer->FixedOpeningMoveGiven();
            observer->SetThinkingCommandsEnabled(true);
        }
        return FixedOpeningMove(position.boardSize);
    }
    // 3.
    EngineRequest request;
    request.board = position.board;
    request.size = position.boardSize;
    request.sideToMove = position.sideToMove;
    request.settings = settings;
    request.engine = engine;
    if (!worker.Start(request)) {
        if (observer != nullptr) {
            observer->SetThinkingCommandsEnabled(true);
        }
        return NoMove;
    }
    return std::nullopt;
}

int FinishComputeMove(EngineWorker& worker, EngineObserver* observer) {
    // The worker clears Busy just before it ends; joining here also makes sure its notifier
    // has returned before the caller's wait objects go away.
    worker.Wait();
    // 4.
    if (observer != nullptr) {
        observer->SetThinkingCommandsEnabled(true);
    }
    return worker.Result().move;
}

int ComputeMove(EngineWorker& worker, const GamePosition& position, const SearchSettings& settings,
                const PumpEvents& pump, EngineObserver* observer, EngineKind engine) {
    if (const auto immediate = BeginComputeMove(worker, position, settings, observer, engine)) {
        return *immediate;
    }
    while (worker.Busy()) {
        if (pump) {
            pump();
        } else {
            worker.Wait();
        }
    }
    return FinishComputeMove(worker, observer);
}

}  // namespace velmora
