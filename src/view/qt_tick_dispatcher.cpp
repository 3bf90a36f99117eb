#include "view/qt_tick_dispatcher.h"

#include <QMetaObject>
#include <utility>

namespace velmora {

void QtTickDispatcher::Post(std::function<void()> task) {
    // Posting a queued call is thread-safe; it never blocks the timer thread.
    QMetaObject::invokeMethod(&receiver_, std::move(task), Qt::QueuedConnection);
}

}  // namespace velmora
