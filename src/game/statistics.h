#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "game/settings.h"

namespace velmora {

// How a counted game ended, from the human's side.
enum class GameResult { Draw = 0, Win = 1, Loss = 2 };

enum StatisticsCounter {
    kGamesCounter = 0,
    kWinsCounter = 1,
    kLossesCounter = 2,
    kDrawsCounter = 3
};

struct LevelCounters {
    std::uint64_t games = 0;
    std::uint64_t wins = 0;
    std::uint64_t losses = 0;
    std::uint64_t draws = 0;

    bool operator==(const LevelCounters&) const = default;
};

// Results of the games finished against the computer: 4 blocks (8 x 8 normal, 8 x 8
// advanced, 10 x 10 normal, 10 x 10 advanced) x 10 levels x 4 counters (games, wins,
// losses, draws), stored as 640 bytes of little-endian 32-bit counters in that order.
class StatisticsTable {
  public:
    static constexpr int kBlocks = 4;
    static constexpr int kLevels = 10;
    static constexpr int kCounters = 4;
    static constexpr std::size_t kBytes = kBlocks * kLevels * kCounters * 4;
    using Bytes = std::array<std::uint8_t, kBytes>;

    static int BlockIndex(int boardSize, bool advanced) {
        return 2 * (boardSize == 10 ? 1 : 0) + (advanced ? 1 : 0);
    }
    static int BlockIndex(const Settings& settings) {
        return BlockIndex(settings.boardSize, settings.advancedEngine);
    }
    static constexpr std::size_t ByteOffset(int block, int level, int counter) {
        return static_cast<std::size_t>(((block * kLevels + level) * kCounters + counter) * 4);
    }

    std::uint32_t Counter(int block, int level, int counter) const;
    LevelCounters Level(int block, int level) const;
    // Sums over the ten levels of a block.
    LevelCounters Totals(int block) const;
    // "Your level": the highest level whose wins exceed its losses, 0 when none does.
    int YourLevel(int block) const;

    void RecordResult(int block, int level, GameResult result);
    void ClearLevel(int block, int level);
    void ClearBlock(int block);

    Bytes ToBytes() const;
    // A stored value fills the zeroed table up to its own length; one longer than the
    // table is not ours to trust and leaves every counter at 0.
    static StatisticsTable FromBytes(std::span<const std::uint8_t> bytes);

    bool operator==(const StatisticsTable&) const = default;

  private:
    std::uint32_t& At(int block, int level, int counter);

    std::array<std::uint32_t, kBlocks * kLevels * kCounters> counters_{};
};

// Counts a finished game in the block and level of the present settings.
void RecordResult(StatisticsTable& table, const Settings& settings, GameResult result);

}  // namespace velmora
