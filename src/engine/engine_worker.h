#pragma once

#include <atomic>
#include <functional>
#include <thread>

#include "engine/board.h"
#include "engine/search.h"
#include "engine/search_settings.h"

namespace velmora {

// What one search works on. The position is a copy, so the worker never touches the game's
// own state however long it runs.
struct EngineRequest {
    Board board{};
    int size = 8;
    int sideToMove = White;
    SearchSettings settings;
    EngineKind engine = kGameEngine;
};

// Runs one search at a time on a thread of its own, one step below normal priority.
// The object lives as long as the window; each search gets a fresh thread. The stop flag
// belongs to this object, not to the thread, and the thread is always joined before a new
// one starts or this object goes, so a stop request can never reach a finished thread.
// All members are called from one thread (the GUI thread); only the notifier runs on the
// worker.
class EngineWorker {
  public:
    EngineWorker() = default;
    // Stops a running search and waits for it.
    ~EngineWorker();
    EngineWorker(const EngineWorker&) = delete;
    EngineWorker& operator=(const EngineWorker&) = delete;

    // Starts a search. Refused (false) while the previous one is still running.
    bool Start(const EngineRequest& request);
    // True from Start until the search has ended and left its result.
    bool Busy() const { return busy_.load(std::memory_order_acquire); }
    // Asks a running search to unwind; it then answers NoMove. Harmless when idle.
    void RequestStop() { stop_.store(true, std::memory_order_relaxed); }
    // Blocks until the worker thread has ended; returns at once when there is none.
    void Wait();
    // The last search's answer; read it once Busy() is false.
    const SearchResult& Result() const { return result_; }

    // Runs on the worker thread right after Busy() turns false, before the thread ends, so
    // Wait() returns only after it. A GUI uses it to wake its wait; set it while idle.
    void SetFinishedNotifier(std::function<void()> notifier) { notifier_ = std::move(notifier); }

  private:
    void Run(const EngineRequest& request, const std::function<void()>& notifier);

    std::thread thread_;
    std::atomic<bool> busy_{false};
    std::atomic<bool> stop_{false};
    SearchResult result_;
    std::function<void()> notifier_;
};

}  // namespace velmora
