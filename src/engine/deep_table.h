#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>

#include "engine/bitboard_tables.h"

namespace velmora {

// The deep search's memory of positions it has searched: plain data, shared by the threads
// of one search, filled and read by the per-build search code (deep_searcher.h).
//
// An entry is keyed on everything the value of a node with a move to make depends on: both
// sides' discs (the corner state follows from them) and the plies left. Whether the node was
// reached by a pass only matters at a node without a move or at the last ply, and those are
// never stored. The settings and the side to move's identity do not vary within one search.
template <int Size>
struct DeepEntry {
    using Bits = typename BitLayout<Size>::Bits;
    Bits mover = 0;  // the side to move
    Bits other = 0;
    std::int16_t lower = 0;  // the value lies in lower .. upper
    std::int16_t upper = 0;
    std::uint16_t generation = 0;  // 0: empty
    std::uint8_t depth = 0;
    std::int8_t move = -1;  // the best bit found, for move ordering
};

template <int Size>
struct alignas(64) DeepBucket {
    // The first entry keeps the deeper search, the second takes whatever comes.
    DeepEntry<Size> entries[2];
    std::atomic<std::uint8_t> lock{0};
};

template <int Size>
struct DeepTable {
    std::size_t bucketMask = 0;
    std::unique_ptr<DeepBucket<Size>[]> buckets;
    // Best moves by position alone (any depth), only for ordering: a 24-bit check above the
    // bit of the move. A wrong hint costs time, never a wrong value.
    std::size_t hintMask = 0;
    std::unique_ptr<std::atomic<std::uint32_t>[]> hints;
    std::uint16_t generation = 0;
};

// A table for one search, from a small pool (searches running at once get different tables).
// Each lease starts a new generation, so nothing from an earlier search is read.
template <int Size>
class DeepTableLease {
  public:
    DeepTableLease();
    ~DeepTableLease();
    DeepTableLease(const DeepTableLease&) = delete;
    DeepTableLease& operator=(const DeepTableLease&) = delete;

    DeepTable<Size>& operator*() const { return *table_; }

  private:
    DeepTable<Size>* table_;
};

extern template class DeepTableLease<8>;
extern template class DeepTableLease<10>;

}  // namespace velmora
