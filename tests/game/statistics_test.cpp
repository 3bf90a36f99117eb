#include <gtest/gtest.h>

#include "game/statistics.h"

namespace velmora {
namespace {

std::uint32_t LittleEndianAt(const StatisticsTable::Bytes& bytes, std::size_t offset) {
    return static_cast<std::uint32_t>(bytes[offset]) | bytes[offset + 1] << 8 |
           bytes[offset + 2] << 16 | static_cast<std::uint32_t>(bytes[offset + 3]) << 24;
}

TEST(StatisticsTest, CountersSitAtTheirByteOffsets) {
    static_assert(StatisticsTable::kBytes == 640);
    EXPECT_EQ(StatisticsTable::ByteOffset(0, 0, 0), 0u);
    EXPECT_EQ(StatisticsTable::ByteOffset(0, 0, 3), 12u);
    EXPECT_EQ(StatisticsTable::ByteOffset(0, 1, 0), 16u);
    EXPECT_EQ(StatisticsTable::ByteOffset(1, 0, 0), 160u);
    EXPECT_EQ(StatisticsTable::ByteOffset(3, 9, 3), 636u);

    // Block 3 (10 x 10 advanced), level 7: two wins, a loss and a draw.
    Settings s;
    s.boardSize = 10;
    s.advancedEngine = true;
    s.level = 7;
    s.noviceLevel = false;
    StatisticsTable table;
    RecordResult(table, s, GameResult::Win);
    RecordResult(table, s, GameResult::Win);
    RecordResult(table, s, GameResult::Loss);
    RecordResult(table, s, GameResult::Draw);
    const StatisticsTable::Bytes bytes = table.ToBytes();
    const std::size_t base = ((3 * 10 + 7) * 4) * 4;
    EXPECT_EQ(base, 592u);
    EXPECT_EQ(LittleEndianAt(bytes, base + 0), 4u);
    EXPECT_EQ(LittleEndianAt(bytes, base + 4), 2u);
    EXPECT_EQ(LittleEndianAt(bytes, base + 8), 1u);
    EXPECT_EQ(LittleEndianAt(bytes, base + 12), 1u);
    int nonZero = 0;
    for (const std::uint8_t b : bytes) {
        nonZero += b != 0;
    }
    EXPECT_EQ(nonZero, 4);
    EXPECT_EQ(StatisticsTable::FromBytes(bytes), table);
}

TEST(StatisticsTest, BlocksAndLevelsFollowTheSettings) {
    EXPECT_EQ(StatisticsTable::BlockIndex(8, false), 0);
    EXPECT_EQ(StatisticsTable::BlockIndex(8, true), 1);
    EXPECT_EQ(StatisticsTable::BlockIndex(10, false), 2);
    EXPECT_EQ(StatisticsTable::BlockIndex(10, true), 3);

    // Novice and level 1 both play at Level 1 but are counted apart.
    Settings novice;
    Settings one;
    one.noviceLevel = false;
    StatisticsTable table;
    RecordResult(table, novice, GameResult::Loss);
    RecordResult(table, one, GameResult::Draw);
    EXPECT_EQ(table.Level(0, 0), (LevelCounters{1, 0, 1, 0}));
    EXPECT_EQ(table.Level(0, 1), (LevelCounters{1, 0, 0, 1}));
    EXPECT_EQ(table.Totals(0), (LevelCounters{2, 0, 1, 1}));
    EXPECT_EQ(table.Totals(1), LevelCounters{});
}

TEST(StatisticsTest, YourLevelIsTheHighestLevelWithMoreWinsThanLosses) {
    StatisticsTable table;
    EXPECT_EQ(table.YourLevel(0), 0);
    auto play = [&](int block, int level, int wins, int losses) {
        for (int i = 0; i < wins; ++i) {
            table.RecordResult(block, level, GameResult::Win);
        }
        for (int i = 0; i < losses; ++i) {
            table.RecordResult(block, level, GameResult::Loss);
        }
    };
    play(0, 2, 10, 0);
    play(0, 6, 3, 3);  // a tie does not count
    EXPECT_EQ(table.YourLevel(0), 2);
    play(0, 5, 4, 3);  // one more win counts, though level 2 has more wins
    EXPECT_EQ(table.YourLevel(0), 5);
    play(0, 9, 0, 1);
    table.RecordResult(0, 9, GameResult::Draw);
    EXPECT_EQ(table.YourLevel(0), 5);
    EXPECT_EQ(table.YourLevel(1), 0);
    play(1, 0, 1, 0);
    EXPECT_EQ(table.YourLevel(1), 0);
}

TEST(StatisticsTest, ClearingALevelOrABlockLeavesTheRest) {
    StatisticsTable table;
    for (int block = 0; block < 4; ++block) {
        for (int level = 0; level < 10; ++level) {
            table.RecordResult(block, level, GameResult::Win);
        }
    }
    table.ClearLevel(2, 4);
    EXPECT_EQ(table.Level(2, 4), LevelCounters{});
    EXPECT_EQ(table.Level(2, 3), (LevelCounters{1, 1, 0, 0}));
    EXPECT_EQ(table.Level(3, 4), (LevelCounters{1, 1, 0, 0}));
    EXPECT_EQ(table.Totals(2).games, 9u);

    table.ClearBlock(3);
    EXPECT_EQ(table.Totals(3), LevelCounters{});
    EXPECT_EQ(table.Totals(0).games, 10u);
    EXPECT_EQ(table.Totals(1).games, 10u);
    EXPECT_EQ(table.Totals(2).games, 9u);

    // Out-of-range indices change nothing and read as zero.
    const StatisticsTable before = table;
    table.ClearBlock(4);
    table.ClearLevel(0, 10);
    table.RecordResult(-1, 0, GameResult::Win);
    table.RecordResult(0, 10, GameResult::Win);
    EXPECT_EQ(table, before);
    EXPECT_EQ(table.Counter(0, 10, 0), 0u);
}

TEST(StatisticsTest, StoredValuesFillOnlyTheirLength) {
    StatisticsTable table;
    table.RecordResult(0, 0, GameResult::Win);
    table.RecordResult(3, 9, GameResult::Draw);
    const StatisticsTable::Bytes bytes = table.ToBytes();

    const StatisticsTable shorter = StatisticsTable::FromBytes(std::span(bytes).first(8));
    EXPECT_EQ(shorter.Level(0, 0), (LevelCounters{1, 1, 0, 0}));
    EXPECT_EQ(shorter.Level(3, 9), LevelCounters{});

    // A partial counter takes the bytes it has.
    const std::uint8_t partial[] = {0x34, 0x12, 0, 0, 0x05};
    EXPECT_EQ(StatisticsTable::FromBytes(partial).Counter(0, 0, 1), 5u);
    EXPECT_EQ(StatisticsTable::FromBytes(partial).Counter(0, 0, 0), 0x1234u);

    std::vector<std::uint8_t> longer(bytes.begin(), bytes.end());
    longer.push_back(0);
    EXPECT_EQ(StatisticsTable::FromBytes(longer), StatisticsTable{});
    EXPECT_EQ(StatisticsTable::FromBytes({}), StatisticsTable{});
}

}  // namespace
}  // namespace velmora
