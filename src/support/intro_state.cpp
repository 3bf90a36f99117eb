#include "support/intro_state.h"

#include <algorithm>

namespace velmora {

namespace {

constexpr std::int32_t kMaxSpeed = 80;
constexpr std::int32_t kMinZoom = 1 << 23;  // 0.5
constexpr std::int32_t kMaxZoom = 1 << 25;  // 2.0
constexpr int kScrollMargin = 440;

// The texture position wraps round like the texture itself.
std::int32_t WrappingAdd(std::int32_t a, std::int32_t b) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(a) + static_cast<std::uint32_t>(b));
}

std::int32_t WrapObjectAngle(std::int32_t angle) {
    return angle > 2047 ? angle - 2048 : angle;
}

}  // namespace

std::int32_t NextSwingLimit(std::mt19937& random) {
    return 150 + static_cast<std::int32_t>(random() % 100);
}

IntroState InitialIntroState(std::mt19937& random) {
    IntroState state;
    state.swingLimit = NextSwingLimit(random);
    return state;
}

void AdvanceIntroState(IntroState& s, int textWidth, std::mt19937& random) {
    // 1-4. The background turns, slides and zooms with the swing.
    s.speed = std::clamp(s.swing, -kMaxSpeed, kMaxSpeed);
    s.backAngle = (s.backAngle + s.speed) & 32767;
    s.backU = WrappingAdd(s.backU, s.speed * (1 << 18));
    s.backV = WrappingAdd(s.backV, s.speed * (1 << 18));
    if ((s.backZoom > kMinZoom && s.speed < 0) || (s.backZoom < kMaxZoom && s.speed > 0)) {
        s.backZoom += s.speed * (1 << 9);
    }
    // 5-6. The swing turns round at a new random limit.
    if ((s.direction > 0 && s.swing > s.swingLimit) ||
        (s.direction < 0 && s.swing < -s.swingLimit)) {
        s.swingLimit = NextSwingLimit(random);
        s.direction = -s.direction;
    }
    s.swing += s.direction;
    // 7. The scroller.
    if (++s.scrollPos > textWidth + kScrollMargin) {
        s.scrollPos = 0;
    }
    // 8. The object spins.
    ++s.spin;
    s.tiltX = WrapObjectAngle(s.tiltX);
    s.tiltY = WrapObjectAngle(s.tiltY);
    s.spin = WrapObjectAngle(s.spin);
}

}  // namespace velmora
