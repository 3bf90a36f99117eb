#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
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
struct FakeGui : TickDispatcher {
    std::mutex mutex;
    std::deque<std::function<void()>> queue;
    std::atomic<int> posted = 0, run = 0, max_outstanding = 0, poster_nice = 0;
    // Ticks of the handlers made by Tick(), and whether any ran off this thread.
    std::vector<Clock::time_point> ticks;
    bool off_thread = false;
    const std::thread::id thread = std::this_thread::get_id();

    std::function<void()> Tick() {
        return [this] {
            off_thread |= std::this_thread::get_id() != thread;
            ticks.push_back(Clock::now());
        };
    }
    int count() const { return static_cast<int>(ticks.size()); }

    void Post(std::function<void()> task) override {
        std::lock_guard lock(mutex);
        queue.push_back(std::move(task));
        max_outstanding = std::max<int>(max_outstanding, ++posted - run);
        poster_nice = getpriority(PRIO_PROCESS, static_cast<id_t>(syscall(SYS_gettid)));
    }
    // A task counts as run once taken, so that the next tick its end lets the timer post is
    // never seen as queued behind it.
    std::function<void()> Take() {
        std::lock_guard lock(mutex);
        std::function<void()> task;
        if (!queue.empty()) {
            task = std::move(queue.front());
            queue.pop_front();
            ++run;
        }
        return task;
    }
    // Runs queued tasks on this thread until `done` holds or `limit` passes.
    bool PumpUntil(const std::function<bool()>& done, milliseconds limit = milliseconds(5000)) {
        for (const auto end = Clock::now() + limit; !done();) {
            if (Clock::now() > end) {
                return false;
            }
            if (auto task = Take()) {
                task();
            } else {
                std::this_thread::sleep_for(std::chrono::microseconds(100));
            }
        }
        return true;
    }
    void PumpFor(milliseconds time) {
        PumpUntil([] { return false; }, time);
    }
    // Waits without pumping until the timer thread has handed a tick over.
    bool WaitForPost() {
        for (const auto end = Clock::now() + milliseconds(5000); Clock::now() < end;) {
            if (std::lock_guard lock(mutex); !queue.empty()) {
                return true;
            }
            std::this_thread::sleep_for(std::chrono::microseconds(100));
        }
        return false;
    }
};

// Turns a deadlock into a prompt failure (SIGALRM ends the test) instead of a hang until the test
// time-out.
struct Watchdog {
    Watchdog() { alarm(20); }
    ~Watchdog() { alarm(0); }
};

std::unique_ptr<TAsyncTimer> Started(FakeGui& gui, std::uint16_t interval,
                                     std::function<void()> handler) {
    auto timer = std::make_unique<TAsyncTimer>(gui);
    timer->SetOnTimer(std::move(handler));
    timer->SetInterval(interval);
    timer->SetEnabled(true);
    return timer;
}

TEST(AsyncTimerTest, IntervalZeroTicksNothingAndPeriodsRestartOnEnabling) {
    FakeGui gui;
    TAsyncTimer timer(gui);
    EXPECT_FALSE(timer.Enabled());
    EXPECT_EQ(timer.Interval(), 1000);
    EXPECT_EQ(timer.Priority(), ThreadPriority::Normal);
    timer.SetOnTimer(gui.Tick());
    timer.SetInterval(0);
    timer.SetEnabled(true);
    gui.PumpFor(milliseconds(100));
    EXPECT_EQ(gui.posted, 0);

    // Giving it an interval starts it, a full interval on; so does enabling it again, and a shorter
    // interval set during a long period does not cut that period.
    const auto expect_next_tick_after = [&](milliseconds least, auto&& change) {
        const int before = gui.count();
        const auto started = Clock::now();
        change();
        ASSERT_TRUE(gui.PumpUntil([&] { return gui.count() > before; }));
        EXPECT_GE(gui.ticks[before] - started, least);
    };
    expect_next_tick_after(milliseconds(60), [&] { timer.SetInterval(60); });
    gui.PumpFor(milliseconds(30));
    expect_next_tick_after(milliseconds(60), [&] {
        timer.SetEnabled(false);
        timer.SetEnabled(true);
    });
    expect_next_tick_after(milliseconds(250), [&] {
        timer.SetEnabled(false);
        timer.SetInterval(250);
        timer.SetEnabled(true);
        gui.PumpFor(milliseconds(40));
        timer.SetInterval(5);
    });
    // The short period follows: twenty more ticks in half the time the long one needs.
    const int after = gui.count();
    EXPECT_TRUE(gui.PumpUntil([&] { return gui.count() > after + 20; }, milliseconds(2500)));
    EXPECT_FALSE(gui.off_thread);
}

TEST(AsyncTimerTest, SlowHandlerStretchesThePeriodAndPriorityReachesTheThread) {
    FakeGui gui;
    int ticks = 0;
    const auto timer = Started(gui, 1, [&] {
        ++ticks;
        std::this_thread::sleep_for(milliseconds(15));
    });
    ASSERT_TRUE(gui.PumpUntil([&] { return ticks >= 10; }));
    EXPECT_EQ(gui.max_outstanding, 1);

    const int base = getpriority(PRIO_PROCESS, 0);
    if (base > NiceValueOf(ThreadPriority::Lower)) {
        GTEST_SKIP() << "already running below that priority";
    }
    timer->SetThreadPriority(ThreadPriority::Lower);
    EXPECT_EQ(timer->Priority(), ThreadPriority::Lower);
    ASSERT_TRUE(gui.PumpUntil([&] { return ticks >= 12; }));
    EXPECT_EQ(gui.poster_nice, NiceValueOf(ThreadPriority::Lower));
    EXPECT_EQ(getpriority(PRIO_PROCESS, 0), base) << "the GUI thread's priority changed";
}

TEST(AsyncTimerTest, TickArrivingAfterDisableIsDropped) {
    FakeGui gui;
    const auto timer = Started(gui, 5, gui.Tick());
    ASSERT_TRUE(gui.WaitForPost());
    timer->SetEnabled(false);
    gui.PumpFor(milliseconds(60));
    EXPECT_EQ(gui.count(), 0);
    EXPECT_EQ(gui.posted, 1) << "a disabled timer went on ticking";

    // Switched off and on again while a tick is on its way: that tick is still dropped and the next
    // one comes a full interval after the switch (the timer thread was released).
    timer->SetInterval(80);
    timer->SetEnabled(true);
    ASSERT_TRUE(gui.WaitForPost());
    timer->SetEnabled(false);
    timer->SetEnabled(true);
    const auto switched_at = Clock::now();
    ASSERT_TRUE(gui.PumpUntil([&] { return gui.count() > 0; }));
    EXPECT_GE(gui.ticks[0] - switched_at, milliseconds(80));
}

TEST(AsyncTimerTest, DestructionNeverWaitsForTheGuiThreadNorCallsTheHandlerAgain) {
    FakeGui gui;
    int ticks = 0;
    const auto count = [&] { ++ticks; };
    {
        // A tick is in the GUI queue, its thread waiting for it, and the GUI thread is the one
        // destroying the timer.
        Watchdog watchdog;  // outlives the timer
        const auto timer = Started(gui, 2, count);
        ASSERT_TRUE(gui.WaitForPost());
    }
    gui.PumpFor(milliseconds(20));  // the stale tick runs into a dead timer
    EXPECT_EQ(ticks, 0);

    // A slow handler: destroying after it returns calls it no more.
    auto slow = Started(gui, 1, [&] {
        ++ticks;
        std::this_thread::sleep_for(milliseconds(30));
    });
    ASSERT_TRUE(gui.PumpUntil([&] { return ticks >= 1; }));
    {
        Watchdog watchdog;
        slow.reset();
    }
    const int after = ticks;
    gui.PumpFor(milliseconds(60));
    EXPECT_EQ(ticks, after);

    // The handler may destroy its own timer.
    std::unique_ptr<TAsyncTimer> timer;
    timer = Started(gui, 3, [&] {
        ++ticks;
        Watchdog watchdog;
        timer.reset();
    });
    EXPECT_TRUE(gui.PumpUntil([&] { return timer == nullptr; }));
    gui.PumpFor(milliseconds(30));
    EXPECT_EQ(ticks, after + 1);
}

// Many timers switched, retuned, destroyed and recreated at random while ticking: no tick reaches a
// disabled timer's handler, none runs off the GUI thread, nothing deadlocks.
TEST(AsyncTimerTest, StressSwitchingAndDestroyingWhileTicking) {
    FakeGui gui;
    constexpr int kTimers = 6;
    std::vector<std::unique_ptr<TAsyncTimer>> timers(kTimers);
    std::vector<int> ticks(kTimers, 0);
    bool tick_while_disabled = false;
    const auto make = [&](int i) {
        timers[i] = Started(gui, 1, [&, i, mark = gui.Tick()] {
            ++ticks[i];
            tick_while_disabled |= !timers[i] || !timers[i]->Enabled();
            mark();
        });
    };
    for (int i = 0; i < kTimers; ++i) {
        make(i);
    }
    std::mt19937 random(12);
    Watchdog watchdog;
    for (int round = 0; round < 400; ++round) {
        const int i = static_cast<int>(random() % kTimers);
        const auto action = random() % 5;
        if (action == 1) {
            timers[i]->SetInterval(static_cast<std::uint16_t>(random() % 4));
        } else {
            if (action == 2) {
                make(i);
            }
            // Toggle, recreate in either state, or enable.
            timers[i]->SetEnabled(action == 0 ? !timers[i]->Enabled()
                                              : action > 2 || random() % 2 == 0);
        }
        gui.PumpFor(milliseconds(random() % 3));
    }
    for (auto& timer : timers) {
        timer->SetInterval(1);
        timer->SetEnabled(true);
    }
    EXPECT_TRUE(gui.PumpUntil(
        [&] { return std::all_of(ticks.begin(), ticks.end(), [](int t) { return t > 0; }); }));
    timers.clear();
    gui.PumpFor(milliseconds(10));
    EXPECT_FALSE(tick_while_disabled);
    EXPECT_FALSE(gui.off_thread);
}

}  // namespace
}  // namespace velmora
