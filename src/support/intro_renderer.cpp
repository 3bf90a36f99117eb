#include "support/intro_renderer.h"

#include <algorithm>

#include "support/intro_background.h"
#include "support/intro_blend.h"
#include "support/intro_scroller.h"
#include "support/intro_text.h"

namespace velmora {

namespace {

std::vector<std::uint8_t> Sized(const std::vector<std::uint8_t>& data, int size,
                                std::uint8_t fill) {
    std::vector<std::uint8_t> result(data.begin(),
                                     data.begin() + std::min<std::size_t>(data.size(), size));
    result.resize(size, fill);
    return result;
}

// Blank (255) becomes 0, so that a zero byte means "leave the pixel alone".
std::vector<std::uint8_t> Shifted(std::vector<std::uint8_t> data) {
    for (std::uint8_t& value : data) {
        ++value;
    }
    return data;
}

}  // namespace

IntroRenderer::IntroRenderer(const IntroResources& resources)
    : mesh_(LoadIntroMesh(resources.mesh).value_or(IntroMesh{})),
      glyphs_(FindIntroGlyphs(Sized(resources.font, kIntroFontBytes, 255))),
      font_(Shifted(Sized(resources.font, kIntroFontBytes, 255))),
      frontBase_(Shifted(Sized(resources.front, kIntroFrontBytes, 255))),
      front_(frontBase_),
      texture_(Sized(resources.texture, kIntroTextureBytes, 0)),
      text_(IntroGlyphNumbers(IntroScrollerText())),
      textWidth_(IntroTextWidth(text_, glyphs_)),
      frame_(kIntroWidth * kIntroHeight) {}

void IntroRenderer::Render(const IntroFrameState& state) {
    // 1-2. Scroller and edge fade, over the band as the front image holds it, so that
    // the fade applies once however many frames are drawn.
    constexpr int kBandStart = kIntroFadeFirstRow * kIntroWidth;
    constexpr int kBandEnd = (kIntroFadeLastRow + 1) * kIntroWidth;
    std::copy(frontBase_.begin() + kBandStart, frontBase_.begin() + kBandEnd,
              front_.begin() + kBandStart);
    DrawIntroScroller(font_, glyphs_, text_, state.scrollPos, front_);
    FadeIntroEdges(front_);
    // 3-4. The object into the shade and depth layers.
    layers_.Clear();
    DrawIntroObject(mesh_, {state.tiltX, state.tiltY, state.spin}, projected_, layers_);
    // 5. Background.
    DrawIntroBackground(texture_, {state.backAngle, state.backZoom, state.backU, state.backV},
                        frame_);
    // 6. Tints.
    BlendIntroShade(layers_.shade, frame_);
    BlendIntroFront(front_, frame_);
}

}  // namespace velmora
