#include "support/intro_thread.h"

#include <chrono>

namespace velmora {

namespace {

constexpr std::chrono::milliseconds kTick{20};

}  // namespace

IntroThread::IntroThread(int textWidth, std::uint32_t seed)
    : textWidth_(textWidth), random_(seed), state_(InitialIntroState(random_)) {
    thread_ = std::thread([this] { Run(); });
}

IntroThread::~IntroThread() {
    Stop();
}

IntroFrameState IntroThread::Snapshot() const {
    std::lock_guard lock(mutex_);
    return state_.Frame();
}

void IntroThread::Stop() {
    {
        std::lock_guard lock(mutex_);
        stopRequested_ = true;
    }
    wake_.notify_all();
    if (thread_.joinable()) {
        thread_.join();
    }
}

void IntroThread::Run() {
    auto next = std::chrono::steady_clock::now() + kTick;
    std::unique_lock lock(mutex_);
    while (!wake_.wait_until(lock, next, [this] { return stopRequested_; })) {
        AdvanceIntroState(state_, textWidth_, random_);
        // A thread held up for several ticks carries on at the normal pace.
        const auto now = std::chrono::steady_clock::now();
        next = next + kTick < now ? now + kTick : next + kTick;
    }
}

}  // namespace velmora
