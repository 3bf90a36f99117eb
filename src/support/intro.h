#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>

#include "support/intro_renderer.h"
#include "support/intro_resources.h"
#include "support/intro_thread.h"

namespace velmora {

// The about box's animation: its renderer and the thread that drives it. A window
// creates it with IntroStart, calls IntroRender from a short timer, and shows Frame()
// (kIntroWidth x kIntroHeight, 0x00RRGGBB, bottom row first) when it paints.
class Intro {
  public:
    Intro(const IntroResources& resources, std::uint32_t seed);

    // Renders a frame from the thread's state if the state moved on since the last one;
    // true when a new frame was rendered.
    bool Render();
    // The same from a given state, for callers that drive the state themselves.
    bool RenderIfChanged(const IntroFrameState& state);

    std::span<const std::uint32_t> Frame() const { return renderer_.Frame(); }

  private:
    IntroRenderer renderer_;
    std::optional<IntroFrameState> lastState_;
    IntroThread thread_;
};

// Prepares the intro from its resources and starts its thread.
std::unique_ptr<Intro> IntroStart(const IntroResources& resources);

// On each timer tick: renders a new frame when the state has changed; true if it did, and
// the window should then repaint.
bool IntroRender(Intro& intro);

// Stops the thread and frees the intro; the pointer becomes empty.
void IntroStop(std::unique_ptr<Intro>& intro);

}  // namespace velmora
