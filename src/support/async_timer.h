#pragma once

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

#include "support/thread_priority.h"
#include "support/tick_dispatcher.h"

namespace velmora {

// A timer whose period is measured by a thread of its own, so that it stays steady while
// the GUI thread is busy, but whose handler runs on the GUI thread. Each tick is handed
// over and waited for: a slow handler stretches the period instead of queueing ticks.
// Use it from the GUI thread only; the dispatcher must outlive it.
class TAsyncTimer {
  public:
    explicit TAsyncTimer(TickDispatcher& dispatcher);
    ~TAsyncTimer();
    TAsyncTimer(const TAsyncTimer&) = delete;
    TAsyncTimer& operator=(const TAsyncTimer&) = delete;

    // Enabling restarts the period: the first tick comes one full interval later.
    // A tick that reaches the GUI thread after disabling is dropped.
    bool Enabled() const;
    void SetEnabled(bool enabled);

    // Milliseconds; takes effect from the next period. 0 delivers no ticks.
    std::uint16_t Interval() const;
    void SetInterval(std::uint16_t milliseconds);

    ThreadPriority Priority() const;
    void SetThreadPriority(ThreadPriority priority);

    void SetOnTimer(std::function<void()> handler);

  private:
    struct State;
    void TimerThread();
    static void RunTick(const std::shared_ptr<State>& state, std::uint64_t tick);

    TickDispatcher& dispatcher_;
    // Shared with the tick tasks in the GUI queue, which may outlive the timer.
    std::shared_ptr<State> state_;
    std::thread thread_;
};

}  // namespace velmora
