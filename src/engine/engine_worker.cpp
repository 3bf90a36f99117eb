#include "engine/engine_worker.h"

#include <sys/resource.h>
#include <unistd.h>

#include <cerrno>

namespace velmora {

namespace {

// Keeps the GUI thread responsive while the search runs. Linux applies nice values per
// thread; failure (no permission, odd platform) only costs responsiveness.
void LowerThisThreadsPriority() {
    const auto tid = static_cast<id_t>(gettid());
    errno = 0;
    const int current = getpriority(PRIO_PROCESS, tid);
    if (errno == 0 && current < 19) {
        setpriority(PRIO_PROCESS, tid, current + 1);
    }
}

}  // namespace

EngineWorker::~EngineWorker() {
    RequestStop();
    Wait();
}

bool EngineWorker::Start(const EngineRequest& request) {
    if (Busy()) {
        return false;
    }
    Wait();
    stop_.store(false, std::memory_order_relaxed);
    result_ = SearchResult{};
    busy_.store(true, std::memory_order_release);
    thread_ = std::thread([this, request, notifier = notifier_] { Run(request, notifier); });
    return true;
}

void EngineWorker::Wait() {
    if (thread_.joinable()) {
        thread_.join();
    }
}

void EngineWorker::Run(const EngineRequest& request, const std::function<void()>& notifier) {
    LowerThisThreadsPriority();
    const SearchFunction search = SelectSearch(request.size, request.engine);
    result_ = search(request.board, request.sideToMove, request.settings, &stop_);
    // The result must be in place before the GUI thread can see the worker idle.
    busy_.store(false, std::memory_order_release);
    if (notifier) {
        notifier();
    }
}

}  // namespace velmora
