#include "support/async_timer.h"

#include <chrono>
#include <utility>

namespace velmora {

struct TAsyncTimer::State {
    std::mutex mutex;
    std::condition_variable wake;
    bool enabled = false;
    bool stop_event = false;  // auto-reset: consumed by the wait it ends
    bool terminated = false;
    std::uint16_t interval = 1000;
    ThreadPriority priority = ThreadPriority::Normal;
    bool priority_changed = false;
    std::uint64_t tick = 0;     // number of the latest tick handed over
    bool tick_pending = false;  // handed over and not yet run or dropped
    std::function<void()> on_timer;
};

TAsyncTimer::TAsyncTimer(TickDispatcher& dispatcher)
    : dispatcher_(dispatcher), state_(std::make_shared<State>()) {
    thread_ = std::thread([this] { TimerThread(); });
}

TAsyncTimer::~TAsyncTimer() {
    {
        std::lock_guard lock(state_->mutex);
        state_->enabled = false;
        state_->terminated = true;
    }
    state_->wake.notify_all();
    // The thread may be waiting for a tick still in the GUI queue; termination releases
    // it, and the queued task finds the timer gone and does nothing.
    thread_.join();
}

bool TAsyncTimer::Enabled() const {
    std::lock_guard lock(state_->mutex);
    return state_->enabled;
}

void TAsyncTimer::SetEnabled(bool enabled) {
    {
        std::lock_guard lock(state_->mutex);
        if (state_->enabled == enabled) {
            return;
        }
        state_->enabled = enabled;
        if (enabled) {
            state_->stop_event = true;
        } else {
            // A tick already on its way is dropped, even if the timer is enabled again
            // before it arrives; its thread stops waiting for it.
            state_->tick_pending = false;
        }
    }
    state_->wake.notify_all();
}

std::uint16_t TAsyncTimer::Interval() const {
    std::lock_guard lock(state_->mutex);
    return state_->interval;
}

void TAsyncTimer::SetInterval(std::uint16_t milliseconds) {
    {
        std::lock_guard lock(state_->mutex);
        if (state_->interval == milliseconds) {
            return;
        }
        state_->interval = milliseconds;
    }
    // A running wait keeps its period; a thread idle for want of an interval starts.
    state_->wake.notify_all();
}

ThreadPriority TAsyncTimer::Priority() const {
    std::lock_guard lock(state_->mutex);
    return state_->priority;
}

void TAsyncTimer::SetThreadPriority(ThreadPriority priority) {
    {
        std::lock_guard lock(state_->mutex);
        state_->priority = priority;
        state_->priority_changed = true;
    }
    state_->wake.notify_all();
}

void TAsyncTimer::SetOnTimer(std::function<void()> handler) {
    std::lock_guard lock(state_->mutex);
    state_->on_timer = std::move(handler);
}

void TAsyncTimer::TimerThread() {
    State& s = *state_;
    std::unique_lock lock(s.mutex);
    auto runnable = [&] { return s.enabled && s.interval > 0; };
    while (!s.terminated) {
        if (s.priority_changed) {
            s.priority_changed = false;
            ApplyToCurrentThread(s.priority);
        }
        // Disabled (or no interval): sleep until that changes.
        if (!runnable()) {
            s.wake.wait(lock, [&] { return s.terminated || s.priority_changed || runnable(); });
            continue;
        }
        // 1. Wait one interval unless woken; being woken delivers no tick.
        const auto deadline =
            std::chrono::steady_clock::now() + std::chrono::milliseconds(s.interval);
        const bool woken = s.wake.wait_until(
            lock, deadline, [&] { return s.terminated || s.stop_event || !s.enabled; });
        if (woken) {
            s.stop_event = false;
            continue;
        }
        // 2. Hand the tick to the GUI thread and wait until it has run there.
        const std::uint64_t tick = ++s.tick;
        s.tick_pending = true;
        lock.unlock();
        dispatcher_.Post([state = state_, tick] { RunTick(state, tick); });
        lock.lock();
        s.wake.wait(lock, [&] { return s.terminated || !s.tick_pending; });
    }
}

void TAsyncTimer::RunTick(const std::shared_ptr<State>& state, std::uint64_t tick) {
    std::function<void()> handler;
    {
        std::lock_guard lock(state->mutex);
        // Disabling or destroying the timer withdraws the tick on its way.
        if (state->terminated || !state->tick_pending || state->tick != tick) {
            return;
        }
        handler = state->on_timer;  // a copy: the handler may replace itself
    }
    if (handler) {
        handler();
    }
    {
        std::lock_guard lock(state->mutex);
        if (state->tick == tick) {
            state->tick_pending = false;
        }
    }
    state->wake.notify_all();
}

}  // namespace velmora
