#pragma once

#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <random>
#include <thread>

#include "support/intro_state.h"

namespace velmora {

// TIntroThread: advances the intro's state every 20 ms on a thread of its own. The GUI
// thread reads the state through Snapshot, which holds the lock for a copy only.
class IntroThread {
  public:
    IntroThread(int textWidth, std::uint32_t seed);
    ~IntroThread();

    IntroThread(const IntroThread&) = delete;
    IntroThread& operator=(const IntroThread&) = delete;

    IntroFrameState Snapshot() const;

    // Ends the thread within one tick and waits for it; called again it does nothing.
    void Stop();

  private:
    void Run();

    const int textWidth_;
    std::mt19937 random_;
    mutable std::mutex mutex_;
    std::condition_variable wake_;
    bool stopRequested_ = false;
    IntroState state_;
    std::thread thread_;
};

}  // namespace velmora
