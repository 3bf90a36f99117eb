#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <iterator>
#include <thread>

#include "engine/deep_search.h"
#include "engine/literal_search.h"
#include "engine/notation.h"
#include "engine/random_positions.h"
#include "engine/rules.h"
#include "engine/search.h"
#include "engine/search_comparison.h"
#include "test_boards.h"

namespace velmora {
namespace {

constexpr std::size_t kScale = testing::kDifferentialScale;

// Move and value at every level 0..9, both algorithms, one thread and several: positions from
// the engine's own games (where level 9 is reached in the middle game), and from random games
// for the passes, finished games and near wipe-outs that the engine's games rarely show.
TEST(DeepSearchTest, GivesTheLiteralAnswerOnPositionsFromGames) {
    for (const int size : {8, 10}) {
        std::vector<SampledPosition> positions;
        for (const bool advanced : {false, true}) {
            const auto games =
                SampleSelfPlayPositions(size, advanced, 3, (size == 8 ? 6 : 3) / kScale + 1,
                                        static_cast<std::uint32_t>(size) + advanced);
            positions.insert(positions.end(), games.begin(), games.end());
        }
        const auto random = SampleRandomPositions(size, 24 / kScale, 77);
        positions.insert(positions.end(), random.begin(), random.end());
        const auto boards = SampleRandomBoards(size, 10 / kScale, 78);
        positions.insert(positions.end(), boards.begin(), boards.end());
        const SearchComparisonReport report =
            CompareDeepSearch(positions, {1, 3}, size == 8 ? 150000 : 60000);
        for (std::size_t i = 0; i < report.mismatches.size() && i < 5; ++i) {
            ADD_FAILURE() << DescribeMismatch(report.mismatches[i], size, true);
        }
        EXPECT_EQ(report.mismatches.size(), 0u);
        // It went deep, not just through the easy levels.
        EXPECT_GT(report.levelNineSearches, positions.size() / 3);
    }
}

// At level 0 the root keeps the first move whose value reaches the top of its window rather
// than the best one. Here every square the corner table rates above zero is Black's, so
// White's moves score past 32767 for the novice: B6 (32772) comes first in the move order,
// G9 (32781) scores more.
TEST(DeepSearchTest, NoviceRootStopsAtTheFirstValuePastTheWindow) {
    const Board board = *BoardFromText(
        10,
        "bbbbbbbbbbbb++++++bbb+bbbbbb+bb+b+b++b+bb+b+bbbb+bbwb+bbbb+bb+bbw++b+bb+bbbbbbwbbb++"
        "++++bbbbbbbbbbbb");
    const SearchSettings novice = SearchSettings::FromShownLevel(0, false);
    LiteralSearcher<10> literal;
    const SearchResult expected = literal.Run(board, White, novice);
    EXPECT_EQ(SquareName(10, expected.move), "B6");
    EXPECT_EQ(expected.value, 32772);
    Board afterG9 = board;
    MakeMove(afterG9, 10, *ParseSquare(10, "G9"), White, Black);
    EXPECT_EQ(literal.Evaluate(afterG9, White, Black), 32781);
    for (const int threads : {1, 2}) {
        const SearchResult got = DeepSearch(10, board, White, novice, nullptr, threads);
        EXPECT_EQ(got.move, expected.move);
        EXPECT_EQ(got.value, expected.value);
    }
}

std::size_t ThreadsOfThisProcess() {
    const std::filesystem::directory_iterator tasks("/proc/self/task");
    return static_cast<std::size_t>(std::distance(begin(tasks), end(tasks)));
}

// A stop answers NoMove, whenever it lands, and no helper thread outlives the search. Build
// with -fsanitize=thread to check the races between the stop and the helpers.
TEST(DeepSearchTest, StopEndsTheSearchAndItsThreads) {
    const auto positions = SampleSelfPlayPositions(10, true, 2, 4, 5);
    // Taken after the first search: a sanitizer's runtime starts a thread of its own then.
    std::size_t threadsBefore = 0;
    int stopped = 0;
    for (std::size_t i = 0; i < 24 / kScale + 4; ++i) {
        const SampledPosition& p = positions[i % positions.size()];
        std::atomic<bool> stop{i % 4 == 0};  // sometimes before it starts
        SearchResult result;
        std::thread search([&] {
            result = DeepSearch(10, p.board, p.sideToMove, {9, false, true}, &stop,
                                2 + static_cast<int>(i % 3));
        });
        std::this_thread::sleep_for(std::chrono::microseconds(500 * (i % 7)));
        stop.store(true, std::memory_order_relaxed);
        search.join();
        if (result.stopped) {
            EXPECT_EQ(result.move, NoMove);
            ++stopped;
        } else {
            EXPECT_TRUE(result.move == NoMove ? !HasLegalMove(p.board, 10, p.sideToMove)
                                              : IsLegal(p.board, 10, result.move, p.sideToMove,
                                                        Opponent(p.sideToMove)));
        }
        threadsBefore = i == 0 ? ThreadsOfThisProcess() : threadsBefore;
        // A joined thread can stay listed for a moment after it has ended.
        for (int wait = 0; wait < 400 && ThreadsOfThisProcess() > threadsBefore; ++wait) {
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        EXPECT_LE(ThreadsOfThisProcess(), threadsBefore);
    }
    EXPECT_GT(stopped, 0);
}

}  // namespace
}  // namespace velmora
