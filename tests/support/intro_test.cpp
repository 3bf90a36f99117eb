#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "intro_test_resources.h"
#include "support/intro.h"

namespace velmora {
namespace {

TEST(IntroTest, RendersOnlyWhenTheStateChanged) {
    Intro intro(intro_test::Resources(), 1);
    const IntroFrameState first{1, 2, 1 << 24, 0, 0, 1536, 40, 3};
    IntroFrameState second = first;
    second.backV += 1;
    EXPECT_TRUE(intro.RenderIfChanged(first));
    const std::vector<std::uint32_t> frame(intro.Frame().begin(), intro.Frame().end());
    EXPECT_FALSE(intro.RenderIfChanged(first));
    EXPECT_TRUE(intro.RenderIfChanged(second));
    EXPECT_TRUE(intro.RenderIfChanged(first));
    EXPECT_TRUE(std::equal(frame.begin(), frame.end(), intro.Frame().begin()));
}

TEST(IntroTest, StartRenderStop) {
    std::unique_ptr<Intro> intro = IntroStart(intro_test::Resources());
    ASSERT_NE(intro, nullptr);
    EXPECT_EQ(intro->Frame().size(), static_cast<std::size_t>(kIntroWidth * kIntroHeight));
    // The thread moves the state on, so the timer's calls keep finding new frames.
    int rendered = 0;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (rendered < 4 && std::chrono::steady_clock::now() < deadline) {
        rendered += IntroRender(*intro);
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    EXPECT_EQ(rendered, 4);
    IntroStop(intro);
    EXPECT_EQ(intro, nullptr);
}

}  // namespace
}  // namespace velmora
