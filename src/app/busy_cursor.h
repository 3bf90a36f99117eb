#pragma once

#include <QCursor>
#include <QGuiApplication>

namespace velmora {

// The hourglass over all of the program's windows for the life of the object, so every way
// out of the wait (an answer, a stopped search, an exception) brings the pointer back.
class BusyCursor {
  public:
    BusyCursor() { QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor)); }
    ~BusyCursor() { QGuiApplication::restoreOverrideCursor(); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};

}  // namespace velmora
