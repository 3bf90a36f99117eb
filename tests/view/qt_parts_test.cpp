#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QThread>
#include <atomic>
#include <memory>
#include <set>
#include <tuple>
#include <vector>

#include "../support/intro_test_resources.h"
#include "support/async_timer.h"
#include "support/packed_resource.h"
#include "view/board_widget.h"
#include "view/intro_widget.h"
#include "view/qt_tick_dispatcher.h"
#include "view/resource_unpacker.h"
#include "view_rig.h"

// The view's Qt parts: the board and intro widgets, the timer's dispatcher, resource files.

namespace velmora {
namespace {

using testing::BackPixel;
using testing::RunEventsUntil;
using testing::ViewRig;

QRgb Opaque(std::uint32_t pixel) {
    return 0xFF000000u | pixel;
}

// The widget's sunken frame: pixels of it and the palette colours they must have.
void ExpectEdges(QWidget& widget,
                 const std::vector<std::tuple<int, int, QPalette::ColorRole>>& at) {
    const QImage shot = widget.grab().toImage();
    for (const auto& [x, y, role] : at) {
        EXPECT_EQ(shot.pixel(x, y), widget.palette().color(role).rgb()) << x << "," << y;
    }
}

TEST(BoardWidget, ShowsTheBackBufferUprightInsideASunkenFrameAndKeepsABlittedCursor) {
    testing::EnsureApp();
    ViewRig rig(10);
    BoardWidget widget(rig.holder, rig.renderer);
    EXPECT_EQ(widget.size(), QSize(534, 534));
    widget.RepaintBoard();
    const QImage& screen = widget.Screen();
    ASSERT_EQ(screen.size(), QSize(530, 530));
    for (const auto& [px, py] : {std::pair{0, 0}, {529, 0}, {0, 529}, {300, 100}, {20, 20}}) {
        EXPECT_EQ(screen.pixel(px, py), Opaque(BackPixel(rig.holder, px, py)));
    }
    EXPECT_EQ(widget.grab().toImage().pixel(2 + 300, 2 + 100),
              Opaque(BackPixel(rig.holder, 300, 100)));
    ExpectEdges(widget, {{0, 10, QPalette::Dark},
                         {10, 533, QPalette::Light},
                         {1, 10, QPalette::Shadow},
                         {532, 10, QPalette::Midlight}});

    rig.renderer.SetPresenter(&widget);
    rig.PointAt(3, 6);
    rig.animator.CursorStep();
    const int x = 20 + 3 * 49 + 1;
    const int y = 20 + 6 * 49 + 1;
    // Square (3, 6) is odd: its outer frame is the second frame colour, almost solid, on the
    // screen though no longer in the back buffer.
    EXPECT_EQ(screen.pixel(x, y), Opaque(PixelOf(207, 147, 72)));
    EXPECT_NE(screen.pixel(x, y), Opaque(BackPixel(rig.holder, x, y)));
    // A full repaint takes the cursor away until the next tick.
    widget.RepaintBoard();
    EXPECT_EQ(widget.Screen().pixel(x, y), Opaque(BackPixel(rig.holder, x, y)));
}

TEST(IntroWidgetTest, ShowsTheFrameInsideASunkenBorderWithNewFramesOnlyWhileVisible) {
    testing::EnsureApp();
    IntroWidget widget(intro_test::Resources());
    EXPECT_EQ(widget.size(), QSize(382, 262));
    ExpectEdges(widget, {{0, 100, QPalette::Dark},
                         {200, 0, QPalette::Dark},
                         {381, 100, QPalette::Light},
                         {200, 261, QPalette::Light}});
    const QImage shot = widget.grab().toImage();
    const QImage first = widget.Screen().copy();
    for (const auto& [x, y] : {std::pair{0, 0}, {379, 259}, {190, 130}, {10, 250}}) {
        EXPECT_EQ(shot.pixel(1 + x, 1 + y), first.pixel(x, y)) << x << " " << y;
    }
    // The front image's clear top rows show the textured background, not a blank.
    std::set<QRgb> colours;
    for (int x = 0; x < first.width(); ++x) {
        colours.insert(first.pixel(x, 5));
    }
    EXPECT_GT(colours.size(), 10u);
    // Hidden: the intro's clock runs on, but timer ticks draw nothing.
    RunEventsUntil([] { return false; }, 150);
    EXPECT_EQ(widget.Screen(), first);
    widget.show();
    EXPECT_TRUE(RunEventsUntil([&] { return widget.Screen() != first; }, 10000));
    const QImage second = widget.Screen().copy();
    EXPECT_TRUE(RunEventsUntil([&] { return widget.Screen() != second; }, 10000));
}

TEST(AsyncTimerQtTest, TicksRunOnTheGuiThreadInNestedLoopsAndQueuedTasksDieWithTheDispatcher) {
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

    // Tasks left in the queue die with their dispatcher.
    std::atomic<int> ran = 0;
    {
        QtTickDispatcher dying;
        dying.Post([&] { ++ran; });
    }
    RunEventsUntil([] { return false; }, 20);
    EXPECT_EQ(ran, 0);
    dispatcher.Post([&] { ++ran; });
    EXPECT_TRUE(RunEventsUntil([&] { return ran == 1; }));
}

TEST(ResourceUnpackerTest, UnpacksAPackedFileAndRefusesAMissingOne) {
    QTemporaryDir dir;
    const std::vector<std::uint8_t> data(56400, 0x5A);
    const std::vector<std::uint8_t> packed = PackResource(data);
    QFile file(dir.filePath("packed.lzh"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(reinterpret_cast<const char*>(packed.data()), qint64(packed.size()));
    file.close();
    EXPECT_EQ(UnpackResource(file.fileName()), data);
    EXPECT_FALSE(UnpackResource(dir.filePath("absent.lzh")).has_value());
}

}  // namespace
}  // namespace velmora
