#include "support/intro.h"

#include <random>

namespace velmora {

Intro::Intro(const IntroResources& resources, std::uint32_t seed)
    : renderer_(resources), thread_(renderer_.TextWidth(), seed) {}

bool Intro::Render() {
    return RenderIfChanged(thread_.Snapshot());
}

bool Intro::RenderIfChanged(const IntroFrameState& state) {
    if (lastState_ == state) {
        return false;
    }
    lastState_ = state;
    renderer_.Render(state);
    return true;
}

std::unique_ptr<Intro> IntroStart(const IntroResources& resources) {
    return std::make_unique<Intro>(resources, std::random_device{}());
}

bool IntroRender(Intro& intro) {
    return intro.Render();
}

void IntroStop(std::unique_ptr<Intro>& intro) {
    intro.reset();
}

}  // namespace velmora
