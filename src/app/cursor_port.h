#pragma once

#include <QPoint>
#include <memory>

namespace velmora {

// The mouse pointer, which the hint and the arrow keys place on a square. Some platforms
// (Wayland) do not let a program move it; the window then moves its board cursor itself.
class CursorPort {
  public:
    virtual ~CursorPort() = default;
    // Moves the pointer to a screen position; false when the pointer did not get there.
    virtual bool MoveTo(const QPoint& global) = 0;
};

// The platform's pointer: refuses at once on Wayland, elsewhere moves it and checks where
// it stands afterwards.
std::unique_ptr<CursorPort> CreatePlatformCursorPort();

}  // namespace velmora
