#pragma once

#include <QObject>
#include <QPointer>
#include <memory>

#include "engine/compute_move.h"
#include "engine/engine_worker.h"
#include "game/game_ports.h"
#include "game/game_session.h"

class QEventLoop;

namespace velmora {

// The computer's search on the engine worker, waited for in a local event loop that the
// worker's end wakes, so the window stays alive without spinning a core.
class QtEngineRunner : public EngineRunner, public EventWaiter {
  public:
    QtEngineRunner(GameSession& session, EngineObserver* observer);
    ~QtEngineRunner() override;

    int ComputeMove() override;
    bool Busy() const override;
    void RequestStop() override { worker_.RequestStop(); }

    // Runs once inside the next search's wait, after the worker has started, as an event of
    // the window would (tests drive players' actions through it).
    void SetDuringSearch(std::function<void()> action) { duringSearch_ = std::move(action); }

    // Waits in a local event loop, looking at done() on every event and every few ms.
    void WaitUntil(const std::function<bool()>& done) override;

  private:
    void Pump();

    GameSession& session_;
    EngineObserver* observer_;
    // Receives the worker's wake-up on the GUI thread; declared before the worker so that it
    // outlives the worker's last notifier, and a wake-up posted to it dies with it.
    std::unique_ptr<QObject> waker_;
    EngineWorker worker_;
    // Nested ComputeMove calls (refused while one runs) must not end the outer one's state.
    int computing_ = 0;
    QPointer<QEventLoop> loop_;
    std::function<void()> duringSearch_;
};

}  // namespace velmora
