#pragma once

#include <QPointer>

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

    // Waits in a local event loop, looking at done() on every event and every few ms.
    void WaitUntil(const std::function<bool()>& done) override;

  private:
    void Pump();

    GameSession& session_;
    EngineObserver* observer_;
    EngineWorker worker_;
    bool computing_ = false;
    QPointer<QEventLoop> loop_;
};

}  // namespace velmora
