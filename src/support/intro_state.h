#pragma once

#include <cstdint>
#include <random>

namespace velmora {

// The eight values a frame is drawn from.
struct IntroFrameState {
    std::int32_t backAngle;
    std::int32_t scrollPos;
    std::int32_t backZoom;
    std::int32_t backU;
    std::int32_t backV;
    std::int32_t tiltX;
    std::int32_t tiltY;
    std::int32_t spin;

    bool operator==(const IntroFrameState&) const = default;
};

// The animation clock's whole state. Angles of the object are 2048ths of a turn, the
// background's 32768ths; zoom and texture position are 8.24 fixed point.
struct IntroState {
    std::int32_t direction = 1;
    std::int32_t swing = 0;
    std::int32_t speed = 0;
    std::int32_t swingLimit = 150;
    std::int32_t backAngle = 0;
    std::int32_t scrollPos = 0;
    std::int32_t backZoom = 1 << 24;
    std::int32_t backU = 0;
    std::int32_t backV = 0;
    std::int32_t tiltX = 1536;
    std::int32_t tiltY = 40;
    std::int32_t spin = 0;

    IntroFrameState Frame() const {
        return {backAngle, scrollPos, backZoom, backU, backV, tiltX, tiltY, spin};
    }
};

// Where the swing turns round next: 150 plus 0 to 99.
std::int32_t NextSwingLimit(std::mt19937& random);

IntroState InitialIntroState(std::mt19937& random);

// One 20 ms tick. textWidth is the scroller text's width; the scroller starts again once
// the text has left the picture.
void AdvanceIntroState(IntroState& state, int textWidth, std::mt19937& random);

}  // namespace velmora
