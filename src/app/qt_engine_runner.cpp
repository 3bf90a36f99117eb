#include "app/qt_engine_runner.h"

#include "app/busy_cursor.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>
#include <utility>

namespace velmora {

QtEngineRunner::QtEngineRunner(GameSession& session, EngineObserver* observer)
    : session_(session), observer_(observer), waker_(std::make_unique<QObject>()) {
    // Runs on the worker thread: only post the wake-up to the GUI thread.
    worker_.SetFinishedNotifier([this] {
        QMetaObject::invokeMethod(
            waker_.get(),
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
    return computing_ > 0 || worker_.Busy();
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
    ++computing_;
    int answer = NoMove;
    if (const auto immediate = BeginComputeMove(worker_, session_.position, search, observer_)) {
        answer = *immediate;
    } else {
        if (auto action = std::exchange(duringSearch_, nullptr)) {
            action();
        }
        while (worker_.Busy()) {
            Pump();
        }
        answer = FinishComputeMove(worker_, observer_);
    }
    --computing_;
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
