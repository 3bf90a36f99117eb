#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "support/intro_glyphs.h"
#include "support/intro_layers.h"
#include "support/intro_mesh.h"
#include "support/intro_object.h"
#include "support/intro_resources.h"
#include "support/intro_state.h"

namespace velmora {

// Draws intro frames: the background, the object's tint, the front image and the
// scroller, into a kIntroWidth x kIntroHeight frame of 0x00RRGGBB pixels, bottom row first.
// A frame depends on the state it is drawn from and nothing else.
class IntroRenderer {
  public:
    explicit IntroRenderer(const IntroResources& resources);

    void Render(const IntroFrameState& state);

    std::span<const std::uint32_t> Frame() const { return frame_; }
    const IntroLayers& Layers() const { return layers_; }
    // The scroller text's width in pixels, which sets the scroller's period.
    int TextWidth() const { return textWidth_; }
    bool HasObject() const { return !mesh_.faces.empty(); }

  private:
    IntroMesh mesh_;
    IntroGlyphTable glyphs_;
    std::vector<std::uint8_t> font_;       // blank shifted to 0
    std::vector<std::uint8_t> frontBase_;  // clear shifted to 0
    std::vector<std::uint8_t> front_;      // frontBase_ with this frame's scroller
    std::vector<std::uint8_t> texture_;
    std::vector<std::uint8_t> text_;
    int textWidth_;
    IntroLayers layers_;
    std::vector<IntroProjected> projected_;
    std::vector<std::uint32_t> frame_;
};

}  // namespace velmora
