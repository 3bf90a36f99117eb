// The endgame solver's transposition table: bounds on the exact disc difference of
// positions already searched, and the move that was best or cut off there.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "engine/bitboard_tables.h"

namespace velmora {

template <int Size>
struct SolverEntry {
    using Bits = typename BitLayout<Size>::Bits;
    Bits mover = 0;
    Bits other = 0;
    // Bounds from the mover's side; disc differences fit a byte on both sizes.
    std::int8_t lower = -127;
    std::int8_t upper = 127;
    std::int8_t bestBit = -1;
    std::uint8_t empties = 0;
};

template <int Size>
class SolverTable {
  public:
    using Bits = typename BitLayout<Size>::Bits;
    using Entry = SolverEntry<Size>;

    // The entry count is rounded down to a power of two.
    explicit SolverTable(std::size_t bytes) {
        std::size_t count = 2;
        while (count * 2 * sizeof(Entry) <= bytes) {
            count *= 2;
        }
        entries_.resize(count);
        mask_ = count - 1;
    }

    void Clear() { std::fill(entries_.begin(), entries_.end(), Entry{}); }

    // Two entries per position: the first keeps the deeper of the positions that meet
    // there, the second the latest.
    Entry* Find(Bits mover, Bits other) {
        Entry* pair = &entries_[Hash(mover, other) & mask_ & ~std::size_t{1}];
        for (int i = 0; i < 2; ++i) {
            if (pair[i].mover == mover && pair[i].other == other) {
                return &pair[i];
            }
        }
        return nullptr;
    }
    void Store(const Entry& entry) {
        Entry* pair = &entries_[Hash(entry.mover, entry.other) & mask_ & ~std::size_t{1}];
        if (pair[0].mover == entry.mover && pair[0].other == entry.other) {
            pair[0] = entry;
        } else if (entry.empties >= pair[0].empties) {
            if (!(pair[1].mover == entry.mover && pair[1].other == entry.other)) {
                pair[1] = pair[0];
            }
            pair[0] = entry;
        } else {
            pair[1] = entry;
        }
    }

  private:
    static std::uint64_t Mix(std::uint64_t x) {
        x ^= x >> 31;
        x *= 0x7FB5D329728EA185ULL;
        x ^= x >> 27;
        x *= 0x81DADEF4BC2DD44DULL;
        return x ^ (x >> 33);
    }
    static std::size_t Hash(Bits mover, Bits other) {
        std::uint64_t h = Mix(static_cast<std::uint64_t>(mover) +
                              0x9E3779B97F4A7C15ULL * Mix(static_cast<std::uint64_t>(other)));
        if constexpr (Size == 10) {
            h ^= Mix(static_cast<std::uint64_t>(mover >> 64) ^
                     Mix(static_cast<std::uint64_t>(other >> 64) + 1));
        }
        return static_cast<std::size_t>(h);
    }

    std::vector<Entry> entries_;
    std::size_t mask_ = 0;
};

}  // namespace velmora
