#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QThread>
#include <QTimer>
#include <atomic>
#include <memory>
#include <thread>

#include "support/async_timer.h"
#include "view/qt_tick_dispatcher.h"

namespace velmora {
namespace {

using namespace std::chrono_literals;

// One application object for the whole test program, whichever test comes first.
void EnsureApplication() {
    if (QCoreApplication::instance() == nullptr) {
        static int argc = 1;
        static char name[] = "test_view";
        static char* argv[] = {name, nullptr};
        new QApplication(argc, argv);  // lives until the process ends
    }
}

// Runs the event loop until `done` holds, checking every few milliseconds; false on time-out.
template <typename Pred>
bool RunEventsUntil(Pred done, int limit_ms = 5000) {
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > limit_ms) {
            return false;
        }
        QEventLoop loop;
        QTimer::singleShot(2, &loop, &QEventLoop::quit);
        loop.exec();
    }
    return true;
}

TEST(AsyncTimerQtTest, TicksRunOnTheGuiThreadThroughTheEventLoop) {
    EnsureApplication();
    QtTickDispatcher dispatcher;
    TAsyncTimer timer(dispatcher);
    int ticks = 0;
    bool off_gui_thread = false;
    timer.SetOnTimer([&] {
        ++ticks;
        off_gui_thread |= QThread::currentThread() != QCoreApplication::instance()->thread();
    });
    timer.SetInterval(5);
    timer.SetEnabled(true);
    EXPECT_TRUE(RunEventsUntil([&] { return ticks >= 5; }));
    EXPECT_FALSE(off_gui_thread);
}

// Counts what the timer thread hands over.
class CountingDispatcher : public TickDispatcher {
  public:
    void Post(std::function<void()> task) override {
        ++posted;
        qt.Post(std::move(task));
    }
    std::atomic<int> posted = 0;
    QtTickDispatcher qt;
};

TEST(AsyncTimerQtTest, DestroyingWhileATickIsQueuedDoesNotDeadlock) {
    EnsureApplication();
    CountingDispatcher dispatcher;
    int ticks = 0;
    {
        TAsyncTimer timer(dispatcher);
        timer.SetOnTimer([&] { ++ticks; });
        timer.SetInterval(1);
        timer.SetEnabled(true);
        // Keep the GUI thread busy so the tick waits in its queue, then destroy.
        while (dispatcher.posted == 0) {
            std::this_thread::sleep_for(1ms);
        }
    }
    RunEventsUntil([] { return false; }, 30);
    EXPECT_EQ(ticks, 0);
}

TEST(AsyncTimerQtTest, HandlerMayDestroyItsTimerAndNestedLoopsStillTick) {
    EnsureApplication();
    QtTickDispatcher dispatcher;
    auto outer = std::make_unique<TAsyncTimer>(dispatcher);
    auto inner = std::make_unique<TAsyncTimer>(dispatcher);
    int inner_ticks = 0;
    int outer_ticks = 0;
    inner->SetOnTimer([&] { ++inner_ticks; });
    inner->SetInterval(2);
    // The outer handler waits in a local event loop, as the game does while the engine
    // thinks; the other timer keeps ticking meanwhile. Then it destroys its own timer.
    outer->SetOnTimer([&] {
        ++outer_ticks;
        inner->SetEnabled(true);
        RunEventsUntil([&] { return inner_ticks >= 3; });
        outer.reset();
    });
    outer->SetInterval(2);
    outer->SetEnabled(true);
    EXPECT_TRUE(RunEventsUntil([&] { return outer == nullptr; }));
    EXPECT_GE(inner_ticks, 3);
    inner.reset();
    RunEventsUntil([] { return false; }, 20);
    EXPECT_EQ(outer_ticks, 1);
}

TEST(AsyncTimerQtTest, TasksLeftInTheQueueDieWithTheDispatcher) {
    EnsureApplication();
    std::atomic<int> ran = 0;
    {
        QtTickDispatcher dispatcher;
        dispatcher.Post([&] { ++ran; });
    }
    RunEventsUntil([] { return false; }, 20);
    EXPECT_EQ(ran, 0);
    QtTickDispatcher dispatcher;
    dispatcher.Post([&] { ++ran; });
    EXPECT_TRUE(RunEventsUntil([&] { return ran == 1; }));
}

}  // namespace
}  // namespace velmora
