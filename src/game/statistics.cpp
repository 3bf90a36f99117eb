#include "game/statistics.h"

#include <algorithm>

namespace velmora {

namespace {

bool InRange(int block, int level) {
    return block >= 0 && block < StatisticsTable::kBlocks && level >= 0 &&
           level < StatisticsTable::kLevels;
}

}  // namespace

std::uint32_t StatisticsTable::Counter(int block, int level, int counter) const {
    if (!InRange(block, level) || counter < 0 || counter >= kCounters) {
        return 0;
    }
    return counters_[ByteOffset(block, level, counter) / 4];
}

std::uint32_t& StatisticsTable::At(int block, int level, int counter) {
    return counters_[ByteOffset(block, level, counter) / 4];
}

LevelCounters StatisticsTable::Level(int block, int level) const {
    return {Counter(block, level, kGamesCounter), Counter(block, level, kWinsCounter),
            Counter(block, level, kLossesCounter), Counter(block, level, kDrawsCounter)};
}

LevelCounters StatisticsTable::Totals(int block) const {
    LevelCounters totals;
    for (int level = 0; level < kLevels; ++level) {
        const LevelCounters one = Level(block, level);
        totals.games += one.games;
        totals.wins += one.wins;
        totals.losses += one.losses;
        totals.draws += one.draws;
    }
    return totals;
}

int StatisticsTable::YourLevel(int block) const {
    for (int level = kLevels - 1; level > 0; --level) {
        if (Counter(block, level, kWinsCounter) > Counter(block, level, kLossesCounter)) {
            return level;
        }
    }
    return 0;
}

void StatisticsTable::RecordResult(int block, int level, GameResult result) {
    if (!InRange(block, level)) {
        return;
    }
    ++At(block, level, kGamesCounter);
    switch (result) {
        case GameResult::Draw:
            ++At(block, level, kDrawsCounter);
            break;
        case GameResult::Win:
            ++At(block, level, kWinsCounter);
            break;
        case GameResult::Loss:
            ++At(block, level, kLossesCounter);
            break;
    }
}

void StatisticsTable::ClearLevel(int block, int level) {
    if (!InRange(block, level)) {
        return;
    }
    for (int counter = 0; counter < kCounters; ++counter) {
        At(block, level, counter) = 0;
    }
}

void StatisticsTable::ClearBlock(int block) {
    for (int level = 0; level < kLevels; ++level) {
        ClearLevel(block, level);
    }
}

StatisticsTable::Bytes StatisticsTable::ToBytes() const {
    Bytes bytes{};
    for (std::size_t i = 0; i < counters_.size(); ++i) {
        for (std::size_t b = 0; b < 4; ++b) {
            bytes[i * 4 + b] = static_cast<std::uint8_t>(counters_[i] >> (8 * b));
        }
    }
    return bytes;
}

StatisticsTable StatisticsTable::FromBytes(std::span<const std::uint8_t> bytes) {
    StatisticsTable table;
    if (bytes.size() > kBytes) {
        return table;
    }
    Bytes padded{};
    std::copy(bytes.begin(), bytes.end(), padded.begin());
    for (std::size_t i = 0; i < table.counters_.size(); ++i) {
        std::uint32_t value = 0;
        for (std::size_t b = 0; b < 4; ++b) {
            value |= static_cast<std::uint32_t>(padded[i * 4 + b]) << (8 * b);
        }
        table.counters_[i] = value;
    }
    return table;
}

void RecordResult(StatisticsTable& table, const Settings& settings, GameResult result) {
    table.RecordResult(StatisticsTable::BlockIndex(settings), settings.LevelIndex(), result);
}

}  // namespace velmora
