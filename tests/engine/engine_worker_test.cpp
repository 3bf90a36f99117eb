#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <atomic>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "engine/compute_move.h"
#include "engine/engine_worker.h"
#include "engine/literal_search.h"
#include "engine/notation.h"
#include "engine/rules.h"

namespace velmora {
namespace {

// A position of several seconds at level 9 for either engine's worst case.
Board LongSearchBoard() {
    return *BoardFromText(10,
                          "++++++++++++++w++++++++++ww++++wbbwwww++wwwbbw++++++wwbwb++++wwbbw+++"
                          "+++wbbw+++++++w+w+++++++++w++++");
}

class RecordingObserver : public EngineObserver {
  public:
    void SetThinkingCommandsEnabled(bool enabled) override {
        events.push_back(enabled ? "enable" : "disable");
    }
    void FixedOpeningMoveGiven() override { events.push_back("opening"); }
    std::vector<std::string> events;
};

TEST(ComputeMoveTest, NewGameOpensWithTheFixedSquareWithoutSearching) {
    for (const int size : {8, 10}) {
        for (int level = 0; level <= 9; ++level) {
            for (const bool advanced : {false, true}) {
                for (const EngineKind engine : {EngineKind::Literal, EngineKind::Fast}) {
                    EngineWorker worker;
                    GamePosition position;
                    position.Reset(size);
                    RecordingObserver observer;
                    int pumped = 0;
                    const int move = ComputeMove(
                        worker, position, SearchSettings::FromShownLevel(level, advanced),
                        [&] { ++pumped; }, &observer, engine);
                    EXPECT_EQ(SquareName(size, move), size == 8 ? "E6" : "D5");
                    EXPECT_EQ(pumped, 0);
                    EXPECT_FALSE(worker.Busy());
                    EXPECT_EQ(worker.Result().nodes, 0u);  // No search ran.
                    EXPECT_EQ(observer.events,
                              (std::vector<std::string>{"disable", "opening", "enable"}));
                }
            }
        }
    }
}

// A searched position: the start without the opening flag (the human moved first, or a
// loaded match), a long search stopped from inside the wait, and a forced pass.
TEST(ComputeMoveTest, SearchesAnswerAsTheLiteralSearchAndStopsAnswerNoMove) {
    for (const int size : {8, 10}) {
        GamePosition position;
        position.Reset(size);
        position.openingPending = false;
        const SearchSettings settings{4, false, true};
        EngineWorker worker;
        RecordingObserver observer;
        bool busyWhilePumping = true;
        const int move = ComputeMove(
            worker, position, settings,
            [&] {
                busyWhilePumping = busyWhilePumping && worker.Busy();
                worker.Wait();
            },
            &observer);
        const SearchResult expected = LiteralSearch(size, position.board, White, settings, nullptr);
        // The game's search answers as the literal one does; its node count is its own.
        EXPECT_EQ(move, expected.move);
        EXPECT_EQ(worker.Result().value, expected.value);
        EXPECT_FALSE(worker.Result().stopped);
        EXPECT_TRUE(busyWhilePumping);
        EXPECT_EQ(observer.events, (std::vector<std::string>{"disable", "enable"}));
    }
    for (const EngineKind engine : {EngineKind::Literal, EngineKind::Fast}) {
        GamePosition position;
        position.Reset(10);
        position.openingPending = false;
        position.board = LongSearchBoard();
        position.sideToMove = Black;
        EngineWorker worker;
        RecordingObserver observer;
        int pumped = 0;
        const int move = ComputeMove(
            worker, position, {9, false, false},
            [&] {
                // The window's close or a new network game arrives while the computer thinks.
                if (++pumped == 3) {
                    worker.RequestStop();
                }
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            },
            &observer, engine);
        EXPECT_EQ(move, NoMove);
        EXPECT_TRUE(worker.Result().stopped);
        EXPECT_GE(pumped, 3);
        EXPECT_EQ(observer.events, (std::vector<std::string>{"disable", "enable"}));
    }
    GamePosition stuck;
    stuck.Reset(8);
    stuck.openingPending = false;
    stuck.board = *BoardFromText(8, std::string(62, '+') + "wb");
    EngineWorker worker;
    EXPECT_EQ(ComputeMove(worker, stuck, {9, false, false}, BlockingPump(worker)), NoMove);
}

TEST(EngineWorkerTest, BusyNotifierPriorityAndOneSearchAtATime) {
    EngineWorker worker;
    std::atomic<int> notified{0};
    std::atomic<bool> idleWhenNotified{false};
    std::atomic<int> workerNice{-100};
    worker.SetFinishedNotifier([&] {
        idleWhenNotified = !worker.Busy();
        errno = 0;
        workerNice = getpriority(PRIO_PROCESS, static_cast<id_t>(gettid()));
        ++notified;
    });
    EngineRequest request;
    request.size = 10;
    request.board = LongSearchBoard();
    request.sideToMove = Black;
    request.settings = {9, false, false};
    ASSERT_TRUE(worker.Start(request));
    EXPECT_TRUE(worker.Busy());
    EXPECT_FALSE(worker.Start(request));  // Refused while the first one runs.
    // So is a second computer turn, without touching the first one's locked commands.
    RecordingObserver observer;
    GamePosition second;
    second.Reset(8);
    second.openingPending = false;
    EXPECT_EQ(BeginComputeMove(worker, second, request.settings, &observer), NoMove);
    EXPECT_TRUE(observer.events.empty());
    worker.RequestStop();
    worker.Wait();
    EXPECT_FALSE(worker.Busy());
    EXPECT_EQ(notified, 1);
    EXPECT_TRUE(idleWhenNotified);
    const int processNice = getpriority(PRIO_PROCESS, 0);
    EXPECT_EQ(workerNice, processNice < 19 ? processNice + 1 : processNice);

    // A stop left over from the previous search does not reach the next one.
    request.size = 8;
    InitBoard(request.board, 8);
    request.sideToMove = White;
    request.settings = {3, false, false};
    ASSERT_TRUE(worker.Start(request));
    worker.Wait();
    EXPECT_FALSE(worker.Result().stopped);
    EXPECT_EQ(worker.Result().move,
              LiteralSearch(8, request.board, White, request.settings, {}).move);
    EXPECT_EQ(notified, 2);
}

// A stop request may arrive just as the worker finishes; it must neither crash nor leave a
// half answer. Run under the sanitizers to catch the use of a finished worker.
TEST(EngineWorkerTest, StopRacingAFinishingWorker) {
    Board start;
    InitBoard(start, 8);
    int stoppedCount = 0;
    int answeredCount = 0;
    for (int i = 0; i < 400; ++i) {
        auto worker = std::make_unique<EngineWorker>();
        EngineRequest request;
        request.board = start;
        request.settings = {1 + i % 3, false, (i & 1) != 0};
        request.engine = (i & 2) != 0   ? EngineKind::Literal
                         : (i & 4) != 0 ? EngineKind::Fast
                                        : EngineKind::Deep;
        ASSERT_TRUE(worker->Start(request));
        // Spin a varying while so the stop lands before, during and after the search.
        for (int spin = 0; spin < (i % 50) * 20; ++spin) {
            std::this_thread::yield();
        }
        worker->RequestStop();
        if (i % 4 == 0) {
            worker.reset();  // Closing the window right after the stop.
            continue;
        }
        while (worker->Busy()) {
            std::this_thread::yield();
        }
        const SearchResult& result = worker->Result();
        if (result.stopped) {
            EXPECT_EQ(result.move, NoMove);
            ++stoppedCount;
        } else {
            EXPECT_TRUE(result.move == 53 || result.move == 46 || result.move == 35 ||
                        result.move == 64)
                << result.move;
            ++answeredCount;
        }
    }
    EXPECT_EQ(stoppedCount + answeredCount, 300);
}

}  // namespace
}  // namespace velmora
