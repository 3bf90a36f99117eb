#pragma once

#include <functional>

namespace velmora {

// Gets work onto the GUI thread. Post returns at once; the task runs later on the GUI
// thread, in order, or never if the GUI side is shutting down. The async timer builds its
// synchronous hand-over on top of this, so a dispatcher need not block or wait.
class TickDispatcher {
  public:
    virtual ~TickDispatcher() = default;
    virtual void Post(std::function<void()> task) = 0;
};

}  // namespace velmora
