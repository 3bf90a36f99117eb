#include <gtest/gtest.h>

#include <chrono>
#include <limits>
#include <thread>

#include "support/intro_state.h"
#include "support/intro_thread.h"

namespace velmora {
namespace {

constexpr int kWidth = 1000;

TEST(IntroStateTest, StartsAtRestWithARandomSwingLimit) {
    std::mt19937 random(7);
    for (int i = 0; i < 200; ++i) {
        const IntroState s = InitialIntroState(random);
        EXPECT_GE(s.swingLimit, 150);
        EXPECT_LE(s.swingLimit, 249);
        EXPECT_EQ(s.Frame(), (IntroFrameState{0, 0, 1 << 24, 0, 0, 1536, 40, 0}));
        EXPECT_EQ(s.direction, 1);
        EXPECT_EQ(s.swing, 0);
        EXPECT_EQ(s.speed, 0);
    }
}

TEST(IntroStateTest, BackgroundMovesWithTheClampedSwing) {
    std::mt19937 random(1);
    IntroState s;
    s.swing = 120;
    s.swingLimit = 200;
    s.backAngle = 32700;
    AdvanceIntroState(s, kWidth, random);
    EXPECT_EQ(s.speed, 80);
    EXPECT_EQ(s.backAngle, (32700 + 80) % 32768);
    EXPECT_EQ(s.backU, 80 << 18);
    EXPECT_EQ(s.backV, 80 << 18);
    EXPECT_EQ(s.backZoom, (1 << 24) + 80 * 512);
    EXPECT_EQ(s.swing, 121);

    // Turning back: the angle stays within the turn and the zoom shrinks.
    s.swing = -30;
    s.direction = -1;
    s.backAngle = 10;
    AdvanceIntroState(s, kWidth, random);
    EXPECT_EQ(s.speed, -30);
    EXPECT_EQ(s.backAngle, 32768 - 20);
    EXPECT_EQ(s.backZoom, (1 << 24) + 80 * 512 - 30 * 512);
    EXPECT_EQ(s.swing, -31);
}

TEST(IntroStateTest, ZoomStopsAtItsBoundsAndTexturePositionWraps) {
    std::mt19937 random(1);
    IntroState s;
    s.swingLimit = 1000;
    s.swing = 50;
    s.backZoom = 1 << 25;
    s.backU = std::numeric_limits<std::int32_t>::max();
    AdvanceIntroState(s, kWidth, random);
    EXPECT_EQ(s.backZoom, 1 << 25);
    EXPECT_LT(s.backU, 0);  // wrapped round, as the texture does
    EXPECT_EQ(static_cast<std::uint32_t>(s.backU),
              static_cast<std::uint32_t>(std::numeric_limits<std::int32_t>::max()) + (50u << 18));

    s.swing = -50;
    s.backZoom = 1 << 23;
    AdvanceIntroState(s, kWidth, random);
    EXPECT_EQ(s.backZoom, 1 << 23);
    s.backZoom = (1 << 23) + 1;
    AdvanceIntroState(s, kWidth, random);
    EXPECT_EQ(s.backZoom, (1 << 23) + 1 - 49 * 512);
}

TEST(IntroStateTest, SwingTurnsRoundPastItsLimit) {
    std::mt19937 random(3);
    IntroState s = InitialIntroState(random);
    int turns = 0;
    int peak = 0;
    for (int tick = 0; tick < 5000; ++tick) {
        const int direction = s.direction;
        const int limit = s.swingLimit;
        AdvanceIntroState(s, kWidth, random);
        peak = std::max(peak, std::abs(s.swing));
        if (s.direction != direction) {
            ++turns;
            // It turns on the tick after passing the limit, one step back inside.
            EXPECT_EQ(s.swing, direction * (limit + 1) - direction);
            EXPECT_GE(s.swingLimit, 150);
            EXPECT_LE(s.swingLimit, 249);
        }
        EXPECT_LE(std::abs(s.speed), 80);
    }
    EXPECT_GE(turns, 5);
    EXPECT_LE(peak, 250);
}

TEST(IntroStateTest, ScrollerRestartsAfterWidthPlus440Ticks) {
    std::mt19937 random(5);
    IntroState s = InitialIntroState(random);
    for (int tick = 1; tick <= kWidth + 440; ++tick) {
        AdvanceIntroState(s, kWidth, random);
        ASSERT_EQ(s.scrollPos, tick);
    }
    AdvanceIntroState(s, kWidth, random);
    EXPECT_EQ(s.scrollPos, 0);
    AdvanceIntroState(s, kWidth, random);
    EXPECT_EQ(s.scrollPos, 1);
}

TEST(IntroStateTest, ObjectSpinsRoundAFullTurnWhileTiltsStay) {
    std::mt19937 random(5);
    IntroState s = InitialIntroState(random);
    s.spin = 2046;
    AdvanceIntroState(s, kWidth, random);
    EXPECT_EQ(s.spin, 2047);
    AdvanceIntroState(s, kWidth, random);
    EXPECT_EQ(s.spin, 0);
    EXPECT_EQ(s.tiltX, 1536);
    EXPECT_EQ(s.tiltY, 40);
    s.tiltX = 2050;
    AdvanceIntroState(s, kWidth, random);
    EXPECT_EQ(s.tiltX, 2);
}

TEST(IntroThreadTest, TicksAndHandsOutConsistentSnapshotsUntilStopped) {
    // Spin and scroller position move together on every tick, so a torn copy would show
    // them apart.
    IntroThread thread(100000, 11);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    IntroFrameState seen{};
    int snapshots = 0;
    do {
        seen = thread.Snapshot();
        ASSERT_EQ(seen.spin, seen.scrollPos % 2048);
        ++snapshots;
    } while (seen.scrollPos < 4 && std::chrono::steady_clock::now() < deadline);
    EXPECT_GE(seen.scrollPos, 4);
    EXPECT_GT(snapshots, 4);

    thread.Stop();
    const IntroFrameState stopped = thread.Snapshot();
    std::this_thread::sleep_for(std::chrono::milliseconds(60));
    EXPECT_EQ(thread.Snapshot(), stopped);
    thread.Stop();  // a second stop is harmless
}

}  // namespace
}  // namespace velmora
