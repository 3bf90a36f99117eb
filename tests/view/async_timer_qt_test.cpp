#include <gtest/gtest.h>

#include <QThread>
#include <atomic>
#include <memory>

#include "support/async_timer.h"
#include "view/qt_tick_dispatcher.h"
#include "view_rig.h"

namespace velmora {
namespace {

using testing::RunEventsUntil;

TEST(AsyncTimerQtTest, TicksRunOnTheGuiThreadEvenInNestedLoopsAndMayDestroyTheirTimer) {
    testing::EnsureApp();
    QtTickDispatcher dispatcher;
    auto outer = std::make_unique<TAsyncTimer>(dispatcher);
    TAsyncTimer inner(dispatcher);
    int innerTicks = 0;
    int outerTicks = 0;
    bool offGuiThread = false;
    inner.SetOnTimer([&] {
        ++innerTicks;
        offGuiThread |= QThread::currentThread() != QCoreApplication::instance()->thread();
    });
    inner.SetInterval(2);
    // The outer handler waits in a local event loop, as the game does while the engine
    // thinks; the other timer keeps ticking meanwhile. Then it destroys its own timer.
    outer->SetOnTimer([&] {
        ++outerTicks;
        inner.SetEnabled(true);
        RunEventsUntil([&] { return innerTicks >= 5; });
        outer.reset();
    });
    outer->SetInterval(2);
    outer->SetEnabled(true);
    EXPECT_TRUE(RunEventsUntil([&] { return outer == nullptr; }));
    EXPECT_GE(innerTicks, 5);
    EXPECT_FALSE(offGuiThread);
    RunEventsUntil([] { return false; }, 20);
    EXPECT_EQ(outerTicks, 1);
}

TEST(AsyncTimerQtTest, TasksLeftInTheQueueDieWithTheDispatcher) {
    testing::EnsureApp();
    std::atomic<int> ran = 0;
    {
        QtTickDispatcher dying;
        dying.Post([&] { ++ran; });
    }
    RunEventsUntil([] { return false; }, 20);
    EXPECT_EQ(ran, 0);
    QtTickDispatcher dispatcher;
    dispatcher.Post([&] { ++ran; });
    EXPECT_TRUE(RunEventsUntil([&] { return ran == 1; }));
}

}  // namespace
}  // namespace velmora
