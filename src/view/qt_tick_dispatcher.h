#pragma once

#include <QObject>

#include "support/tick_dispatcher.h"

namespace velmora {

// Delivers async-timer ticks through the Qt event loop of the thread that creates it (the
// GUI thread). Tasks still queued when it is destroyed are dropped; it must outlive the
// timers that use it.
class QtTickDispatcher : public TickDispatcher {
  public:
    QtTickDispatcher() = default;
    void Post(std::function<void()> task) override;

  private:
    QObject receiver_;  // lives on the creating thread; queued calls run there
};

}  // namespace velmora
