#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <memory>
#include <mutex>
#include <random>
#include <thread>
#include <vector>

#include "support/async_timer.h"
#include "support/thread_priority.h"

namespace velmora {
namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

// Stands in for the GUI thread's queue: the test thread pumps it.
class FakeGui : public TickDispatcher {
  public:
    void Post(std::function<void()> task) override {
        {
            std::lock_guard lock(mutex_);
            queue_.push_back(std::move(task));
            ++posted_;
            max_outstanding_ = std::max(max_outstanding_, posted_ - run_);
            poster_nice_ = getpriority(PRIO_PROCESS, static_cast<id_t>(syscall(SYS_gettid)));
        }
        changed_.notify_all();
    }

    // Runs queued tasks on this thread until `done` holds or `limit` passes.
    template <typename Pred>
    bool PumpUntil(Pred done, milliseconds limit = milliseconds(5000)) {
        const auto deadline = Clock::now() + limit;
        while (!done()) {
            std::unique_lock lock(mutex_);
            if (!changed_.wait_until(lock, deadline, [&] { return !queue_.empty(); })) {
                return done();
            }
            auto task = std::move(queue_.front());
            queue_.pop_front();
            lock.unlock();
            task();
            lock.lock();
            ++run_;
        }
        return true;
    }
    void PumpFor(milliseconds time) {
        PumpUntil([] { return false; }, time);
    }

    // Blocks without pumping until the timer thread has handed a tick over.
    bool WaitForPost(milliseconds limit = milliseconds(5000)) {
        std::unique_lock lock(mutex_);
        return changed_.wait_for(lock, limit, [&] { return !queue_.empty(); });
    }

    int posted() {
        std::lock_guard lock(mutex_);
        return posted_;
    }
    int max_outstanding() {
        std::lock_guard lock(mutex_);
        return max_outstanding_;
    }
    int poster_nice() {
        std::lock_guard lock(mutex_);
        return poster_nice_;
    }

  private:
    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<std::function<void()>> queue_;
    int posted_ = 0;
    int run_ = 0;
    int max_outstanding_ = 0;
    int poster_nice_ = 0;
};

// Turns a deadlock into a prompt failure instead of a hang until the test time-out.
class Watchdog {
  public:
    explicit Watchdog(milliseconds limit)
        : thread_([this, limit] {
              std::unique_lock lock(mutex_);
              if (!done_cv_.wait_for(lock, limit, [&] { return done_; })) {
                  std::fputs("deadlock: watchdog expired\n", stderr);
                  std::abort();
              }
          }) {}
    ~Watchdog() {
        {
            std::lock_guard lock(mutex_);
            done_ = true;
        }
        done_cv_.notify_all();
        thread_.join();
    }

  private:
    std::mutex mutex_;
    std::condition_variable done_cv_;
    bool done_ = false;
    std::thread thread_;
};

struct TickLog {
    std::vector<Clock::time_point> times;
    bool wrong_thread = false;
    std::thread::id gui = std::this_thread::get_id();

    std::function<void()> Handler() {
        return [this] {
            wrong_thread |= std::this_thread::get_id() != gui;
            times.push_back(Clock::now());
        };
    }
    int count() const { return static_cast<int>(times.size()); }
};

TEST(AsyncTimerTest, StartsDisabledWithASecondAndNoIntervalMeansNoTicks) {
    FakeGui gui;
    TAsyncTimer timer(gui);
    EXPECT_FALSE(timer.Enabled());
    EXPECT_EQ(timer.Interval(), 1000);
    EXPECT_EQ(timer.Priority(), ThreadPriority::Normal);

    TickLog log;
    timer.SetOnTimer(log.Handler());
    timer.SetInterval(0);
    timer.SetEnabled(true);
    gui.PumpFor(milliseconds(100));
    EXPECT_EQ(gui.posted(), 0);
    EXPECT_EQ(log.count(), 0);

    // Giving it an interval starts it.
    timer.SetInterval(5);
    EXPECT_TRUE(gui.PumpUntil([&] { return log.count() >= 3; }));
    EXPECT_FALSE(log.wrong_thread);
}

TEST(AsyncTimerTest, FirstTickComesAFullIntervalAfterEnabling) {
    FakeGui gui;
    TAsyncTimer timer(gui);
    TickLog log;
    timer.SetOnTimer(log.Handler());
    timer.SetInterval(60);
    const auto enabled_at = Clock::now();
    timer.SetEnabled(true);
    ASSERT_TRUE(gui.PumpUntil([&] { return log.count() >= 1; }));
    EXPECT_GE(log.times[0] - enabled_at, milliseconds(60));

    // Disabling and enabling again restarts the period.
    log.times.clear();
    gui.PumpFor(milliseconds(30));
    const int before = log.count();
    timer.SetEnabled(false);
    timer.SetEnabled(true);
    const auto restarted_at = Clock::now();
    ASSERT_TRUE(gui.PumpUntil([&] { return log.count() > before; }));
    EXPECT_GE(log.times[before] - restarted_at, milliseconds(60));
}

TEST(AsyncTimerTest, IntervalChangeTakesEffectFromTheNextPeriod) {
    FakeGui gui;
    TAsyncTimer timer(gui);
    TickLog log;
    timer.SetOnTimer(log.Handler());
    timer.SetInterval(250);
    const auto enabled_at = Clock::now();
    timer.SetEnabled(true);
    gui.PumpFor(milliseconds(40));
    timer.SetInterval(5);
    EXPECT_EQ(timer.Interval(), 5);
    ASSERT_TRUE(gui.PumpUntil([&] { return log.count() >= 1; }));
    EXPECT_GE(log.times[0] - enabled_at, milliseconds(250)) << "the running period was cut";
    // The short period follows: twenty more ticks in half the time the long one needs.
    EXPECT_TRUE(gui.PumpUntil([&] { return log.count() >= 21; }, milliseconds(2500)));
}

TEST(AsyncTimerTest, SlowHandlerStretchesThePeriodWithoutQueueingTicks) {
    FakeGui gui;
    TAsyncTimer timer(gui);
    int ticks = 0;
    timer.SetOnTimer([&] {
        ++ticks;
        std::this_thread::sleep_for(milliseconds(15));
    });
    timer.SetInterval(1);
    timer.SetEnabled(true);
    ASSERT_TRUE(gui.PumpUntil([&] { return ticks >= 10; }));
    EXPECT_EQ(gui.max_outstanding(), 1);
}

TEST(AsyncTimerTest, TickArrivingAfterDisableIsDropped) {
    FakeGui gui;
    TAsyncTimer timer(gui);
    int ticks = 0;
    timer.SetOnTimer([&] { ++ticks; });
    timer.SetInterval(5);
    timer.SetEnabled(true);
    ASSERT_TRUE(gui.WaitForPost());
    timer.SetEnabled(false);
    gui.PumpFor(milliseconds(60));
    EXPECT_EQ(ticks, 0);
    EXPECT_EQ(gui.posted(), 1) << "a disabled timer went on ticking";

    // The timer thread was released and ticks again once enabled.
    timer.SetEnabled(true);
    EXPECT_TRUE(gui.PumpUntil([&] { return ticks >= 2; }));

    // Switched off and on again while a tick is on its way: that tick is still dropped
    // and the next one comes a full interval after the switch.
    timer.SetEnabled(false);
    timer.SetInterval(80);
    gui.PumpFor(milliseconds(10));
    std::vector<Clock::time_point> times;
    timer.SetOnTimer([&] { times.push_back(Clock::now()); });
    timer.SetEnabled(true);
    ASSERT_TRUE(gui.WaitForPost());
    timer.SetEnabled(false);
    timer.SetEnabled(true);
    const auto switched_at = Clock::now();
    ASSERT_TRUE(gui.PumpUntil([&] { return !times.empty(); }));
    EXPECT_GE(times[0] - switched_at, milliseconds(80));
}

TEST(AsyncTimerTest, DestructionNeverWaitsForTheGuiThread) {
    FakeGui gui;
    int ticks = 0;
    {
        // A tick is in the GUI queue, its thread waiting for it, and the GUI thread is
        // the one destroying the timer.
        Watchdog watchdog(milliseconds(10000));  // outlives the timer
        TAsyncTimer timer(gui);
        timer.SetOnTimer([&] { ++ticks; });
        timer.SetInterval(2);
        timer.SetEnabled(true);
        ASSERT_TRUE(gui.WaitForPost());
    }
    gui.PumpFor(milliseconds(20));  // the stale tick runs into a dead timer
    EXPECT_EQ(ticks, 0);

    // A slow handler: destroying after it returns calls it no more.
    auto slow = std::make_unique<TAsyncTimer>(gui);
    slow->SetOnTimer([&] {
        ++ticks;
        std::this_thread::sleep_for(milliseconds(30));
    });
    slow->SetInterval(1);
    slow->SetEnabled(true);
    ASSERT_TRUE(gui.PumpUntil([&] { return ticks >= 1; }));
    {
        Watchdog watchdog(milliseconds(10000));
        slow.reset();
    }
    const int after = ticks;
    gui.PumpFor(milliseconds(60));
    EXPECT_EQ(ticks, after);
}

TEST(AsyncTimerTest, HandlerMayDestroyItsOwnTimer) {
    FakeGui gui;
    auto timer = std::make_unique<TAsyncTimer>(gui);
    int ticks = 0;
    timer->SetOnTimer([&] {
        ++ticks;
        Watchdog watchdog(milliseconds(10000));
        timer.reset();
    });
    timer->SetInterval(3);
    timer->SetEnabled(true);
    EXPECT_TRUE(gui.PumpUntil([&] { return timer == nullptr; }));
    gui.PumpFor(milliseconds(30));
    EXPECT_EQ(ticks, 1);
}

TEST(AsyncTimerTest, PriorityReachesTheTimerThread) {
    const int base = getpriority(PRIO_PROCESS, 0);
    if (base > NiceValueOf(ThreadPriority::Lower)) {
        GTEST_SKIP() << "already running below that priority";
    }
    FakeGui gui;
    TAsyncTimer timer(gui);
    int ticks = 0;
    timer.SetOnTimer([&] { ++ticks; });
    timer.SetInterval(2);
    timer.SetEnabled(true);
    ASSERT_TRUE(gui.PumpUntil([&] { return ticks >= 1; }));
    timer.SetThreadPriority(ThreadPriority::Lower);
    EXPECT_EQ(timer.Priority(), ThreadPriority::Lower);
    ASSERT_TRUE(gui.PumpUntil([&] { return ticks >= 3; }));
    EXPECT_EQ(gui.poster_nice(), NiceValueOf(ThreadPriority::Lower));
    EXPECT_EQ(getpriority(PRIO_PROCESS, 0), base) << "the GUI thread's priority changed";
}

// Many timers switched, retuned, destroyed and recreated at random while ticking: no tick
// reaches a disabled timer's handler, none runs off the GUI thread, nothing deadlocks.
TEST(AsyncTimerTest, StressSwitchingAndDestroyingWhileTicking) {
    FakeGui gui;
    constexpr int kTimers = 6;
    std::vector<std::unique_ptr<TAsyncTimer>> timers(kTimers);
    std::vector<int> ticks(kTimers, 0);
    bool tick_while_disabled = false;
    bool wrong_thread = false;
    const auto gui_thread = std::this_thread::get_id();
    auto make = [&](int i) {
        timers[i] = std::make_unique<TAsyncTimer>(gui);
        timers[i]->SetInterval(1);
        timers[i]->SetOnTimer([&, i] {
            ++ticks[i];
            tick_while_disabled |= !timers[i] || !timers[i]->Enabled();
            wrong_thread |= std::this_thread::get_id() != gui_thread;
        });
    };
    for (int i = 0; i < kTimers; ++i) {
        make(i);
        timers[i]->SetEnabled(true);
    }
    std::mt19937 random(12);
    Watchdog watchdog(milliseconds(60000));
    for (int round = 0; round < 400; ++round) {
        const int i = static_cast<int>(random() % kTimers);
        switch (random() % 5) {
            case 0:
                timers[i]->SetEnabled(!timers[i]->Enabled());
                break;
            case 1:
                timers[i]->SetInterval(static_cast<std::uint16_t>(random() % 4));
                break;
            case 2:
                make(i);
                timers[i]->SetEnabled(random() % 2 == 0);
                break;
            default:
                timers[i]->SetEnabled(true);
                break;
        }
        gui.PumpFor(milliseconds(random() % 3));
    }
    for (auto& timer : timers) {
        timer->SetInterval(1);
        timer->SetEnabled(true);
    }
    const int total_before = [&] {
        int sum = 0;
        for (int t : ticks)
            sum += t;
        return sum;
    }();
    EXPECT_TRUE(gui.PumpUntil([&] {
        for (int t : ticks) {
            if (t == 0)
                return false;
        }
        return true;
    }));
    timers.clear();
    gui.PumpFor(milliseconds(10));
    EXPECT_FALSE(tick_while_disabled);
    EXPECT_FALSE(wrong_thread);
    EXPECT_GT(total_before, 0);
}

}  // namespace
}  // namespace velmora
