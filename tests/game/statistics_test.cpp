#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>
#include <vector>

#include "game/statistics.h"

namespace velmora {
namespace {

// Where a counted game lands in the stored 640 bytes: little-endian counters, block by board size
// and algorithm, then level (novice is level 0), then games, wins, losses, draws.
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
        s.boardSize = size;
        s.advancedEngine = advanced;
        s.noviceLevel = levelIndex == 0;
        s.level = std::max(levelIndex, 1);
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
}

// Indices out of range change nothing and read as zero (the stored value's own length is checked
// on disk by the store).
TEST(StatisticsTest, IndicesOutOfRangeStayOutOfTheTable) {
    std::vector<std::uint8_t> bytes(640, 1);
    StatisticsTable table = StatisticsTable::FromBytes(bytes);
    const StatisticsTable before = table;
    table.ClearBlock(4);
    table.ClearLevel(0, 10);
    table.RecordResult(-1, 0, GameResult::Win);
    table.RecordResult(0, 10, GameResult::Win);
    EXPECT_EQ(table, before);
    EXPECT_EQ(table.Counter(0, 10, 0), 0u);
}

}  // namespace
}  // namespace velmora
