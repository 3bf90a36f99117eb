#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>
#include <vector>

#include "game/statistics.h"

namespace velmora {
namespace {

// Where a counted game lands in the stored 640 bytes (little-endian counters, block by size and
// algorithm, level, then games, wins, losses, draws), and that indices out of range land nowhere.
TEST(StatisticsTest, ResultsLandInTheStoredBytesOfTheirBlockAndLevel) {
    // Size, advanced, level (0 is novice), result, byte offsets of the games and the result
    // counter.
    using Case = std::tuple<int, bool, int, GameResult, std::size_t, std::size_t>;
    for (const auto& [size, advanced, levelIndex, result, games, counter] :
         {Case{8, false, 0, GameResult::Loss, 0, 8}, Case{8, false, 1, GameResult::Draw, 16, 28},
          Case{8, true, 9, GameResult::Win, 304, 308},
          Case{10, false, 5, GameResult::Loss, 400, 408},
          Case{10, true, 7, GameResult::Draw, 592, 604}}) {
        SCOPED_TRACE(games);
        Settings s;
        s.boardSize = size, s.advancedEngine = advanced;
        s.level = std::max(levelIndex, 1), s.noviceLevel = levelIndex == 0;
        StatisticsTable table;
        for (int i = 0; i < 258; ++i) {
            RecordResult(table, s, result);
        }
        const StatisticsTable::Bytes bytes = table.ToBytes();
        std::vector<std::uint8_t> expected(640, 0);
        expected[games] = expected[counter] = 2;  // 258 = 0x0102
        expected[games + 1] = expected[counter + 1] = 1;
        EXPECT_EQ(std::vector<std::uint8_t>(bytes.begin(), bytes.end()), expected);
        EXPECT_EQ(StatisticsTable::FromBytes(bytes), table);
    }
    StatisticsTable all = StatisticsTable::FromBytes(std::vector<std::uint8_t>(640, 1));
    const StatisticsTable before = all;  // indices out of range change nothing
    all.ClearBlock(4);
    all.ClearLevel(0, 10);
    all.RecordResult(-1, 0, GameResult::Win);
    all.RecordResult(0, 10, GameResult::Win);
    EXPECT_EQ(all, before);
    EXPECT_EQ(all.Counter(0, 10, 0), 0u);
}

TEST(StatisticsTest, YourLevelIsTheHighestLevelWonMoreThanLost) {
    using Results = std::vector<std::tuple<int, int, int>>;  // level, wins, losses
    for (const auto& [results, expected] :
         {std::pair{Results{}, 0}, std::pair{Results{{1, 1, 0}}, 1},
          std::pair{Results{{2, 9, 0}, {6, 3, 3}}, 2}, std::pair{Results{{2, 9, 0}, {6, 4, 3}}, 6},
          std::pair{Results{{9, 1, 0}, {3, 5, 0}}, 9}}) {
        StatisticsTable table;
        for (const auto& [level, wins, losses] : results) {
            for (int i = 0; i < wins + losses; ++i) {
                table.RecordResult(1, level, i < wins ? GameResult::Win : GameResult::Loss);
            }
        }
        EXPECT_EQ(table.YourLevel(1), expected);
        EXPECT_EQ(table.YourLevel(0), 0);
    }
}

}  // namespace
}  // namespace velmora
