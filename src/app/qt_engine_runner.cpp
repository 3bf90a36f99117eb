#include "app/qt_engine_runner.h"

#include "app/busy_cursor.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

namespace velmora {

QtEngineRunner::QtEngineRunner(GameSession& session, EngineObserver* observer)
    : session_(session), observer_(observer) {
    // Runs on the worker thread: only post the wake-up to the GUI thread.
    worker_.SetFinishedNotifier([this] {
        QMetaObject::invokeMethod(
            qApp,
            [this] {
                if (loop_) {
                    loop_->quit();
                }
            },
            Qt::QueuedConnection);
    });
}

QtEngineRunner::~QtEngineRunner() {
    worker_.RequestStop();
    worker_.Wait();
}

bool QtEngineRunner::Busy() const {
    return computing_ || worker_.Busy();
}

void QtEngineRunner::Pump() {
    QEventLoop loop;
    loop_ = &loop;
    // A safety net in case a wake-up is swallowed by a nested loop.
    QTimer::singleShot(100, &loop, &QEventLoop::quit);
    if (worker_.Busy()) {
        loop.exec();
    }
    loop_ = nullptr;
}

int QtEngineRunner::ComputeMove() {
    const Settings& settings = session_.settings;
    const SearchSettings search{settings.level, settings.noviceLevel, settings.advancedEngine};
    const BusyCursor hourglass;
    computing_ = true;
    const int answer = velmora::ComputeMove(
        worker_, session_.position, search, [this] { Pump(); }, observer_);
    computing_ = false;
    return answer;
}

void QtEngineRunner::WaitUntil(const std::function<bool()>& done) {
    while (!done()) {
        QEventLoop loop;
        QTimer::singleShot(5, &loop, &QEventLoop::quit);
        loop.exec();
    }
}

}  // namespace velmora
