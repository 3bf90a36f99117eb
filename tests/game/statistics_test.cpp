#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "game/statistics.h"

namespace velmora {
namespace {

// Where a counted game lands in the stored 640 bytes: little-endian counters, block by board size
// and algorithm, then level (novice is level 0), then games, wins, losses, draws.
TEST(StatisticsTest, ResultsLandInTheStoredBytesOfTheirBlockAndLevel) {
    struct Case {
        int size;
        bool advanced;
        int levelIndex;  // 0 is novice
        GameResult result;
        std::size_t games, counter;  // byte offsets of the games and the result counter
    };
    for (const Case& c :
         {Case{8, false, 0, GameResult::Loss, 0, 8}, Case{8, false, 1, GameResult::Draw, 16, 28},
          Case{8, true, 9, GameResult::Win, 304, 308},
          Case{10, false, 5, GameResult::Loss, 400, 408},
          Case{10, true, 7, GameResult::Draw, 592, 604}}) {
        SCOPED_TRACE(c.games);
        Settings s;
        s.boardSize = c.size;
        s.advancedEngine = c.advanced;
        s.noviceLevel = c.levelIndex == 0;
        s.level = std::max(c.levelIndex, 1);
        StatisticsTable table;
        for (int i = 0; i < 258; ++i) {
            RecordResult(table, s, c.result);
        }
        const StatisticsTable::Bytes bytes = table.ToBytes();
        std::vector<std::uint8_t> expected(640, 0);
        expected[c.games] = expected[c.counter] = 2;  // 258 = 0x0102
        expected[c.games + 1] = expected[c.counter + 1] = 1;
        EXPECT_EQ(std::vector<std::uint8_t>(bytes.begin(), bytes.end()), expected);
        EXPECT_EQ(StatisticsTable::FromBytes(bytes), table);
    }
}

// A shorter stored value fills only its length, a partial counter the bytes it has; a longer one is
// no table of ours. Indices out of range change nothing and read as zero.
TEST(StatisticsTest, StoredValuesFillOnlyTheirLengthAndIndicesStayInTheTable) {
    const std::uint8_t partial[] = {0x34, 0x12, 0, 0, 0x05};
    EXPECT_EQ(StatisticsTable::FromBytes(partial).Level(0, 0), (LevelCounters{0x1234, 5, 0, 0}));
    std::vector<std::uint8_t> bytes(641, 1);
    EXPECT_EQ(StatisticsTable::FromBytes(bytes), StatisticsTable{});
    bytes.pop_back();
    StatisticsTable table = StatisticsTable::FromBytes(bytes);
    const std::uint64_t all = 10 * 0x01010101ull;  // every counter of a block, summed
    EXPECT_EQ(table.Totals(3), (LevelCounters{all, all, all, all}));
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
