// A move set turned into move-order rank space, so that moves are tried in the player-facing
// order by scanning bits from the lowest.
// Per-build code: see fast_search_impl.h.
#pragma once

#ifndef VELMORA_FAST_VARIANT
#error "define VELMORA_FAST_VARIANT before including the fast search's per-build headers"
#endif

#include <cstdint>

#include "engine/bitboard_ops.h"
#include "engine/bitboard_tables.h"

namespace velmora::VELMORA_FAST_VARIANT {

#if defined(__AVX512BITALG__) && defined(__AVX512BW__)
// One bit gather per 64 ranks and source half: each byte of the index names the bit, within
// its 64-bit half, that holds its rank.
[[gnu::always_inline]] inline std::uint64_t GatherRanks(std::uint64_t source,
                                                        const std::uint8_t* index) {
    const __m512i bits = _mm512_set1_epi64(static_cast<long long>(source));
    return _cvtmask64_u64(_mm512_bitshuffle_epi64_mask(bits, _mm512_loadu_si512(index)));
}
#endif

template <int Size>
[[gnu::always_inline]] inline typename BitLayout<Size>::OrderBits MoveRanks(
    const BitboardTables<Size>& t, typename BitLayout<Size>::Bits moves) {
#if defined(__AVX512BITALG__) && defined(__AVX512BW__)
    if constexpr (Size == 8) {
        return GatherRanks(moves, t.rankGatherIndex[0].data()) & t.ranksFromHalf[0][0];
    } else {
        const auto low = static_cast<std::uint64_t>(moves);
        const auto high = static_cast<std::uint64_t>(moves >> 64);
        std::uint64_t words[2];
        for (std::size_t w = 0; w < 2; ++w) {
            const std::uint8_t* index = t.rankGatherIndex[w].data();
            words[w] = (GatherRanks(low, index) & t.ranksFromHalf[w][0]) |
                       (GatherRanks(high, index) & t.ranksFromHalf[w][1]);
        }
        return typename BitLayout<Size>::OrderBits{words[1]} << 64 | words[0];
    }
#else
    if constexpr (Size == 8) {
        // Eight independent lookups, one per byte.
        const auto& table = t.orderOfByte;
        return (table[0][moves & 0xFF] | table[1][moves >> 8 & 0xFF]) |
               (table[2][moves >> 16 & 0xFF] | table[3][moves >> 24 & 0xFF]) |
               (table[4][moves >> 32 & 0xFF] | table[5][moves >> 40 & 0xFF]) |
               (table[6][moves >> 48 & 0xFF] | table[7][moves >> 56]);
    } else {
        // Bit by bit, each 64-bit half with two unconditional steps (an empty half reads the
        // zero entry).
        std::uint64_t words[2] = {0, 0};
        for (std::size_t half = 0; half < 2; ++half) {
            const auto& table = t.rankWordsOfBit[half];
            auto part = static_cast<std::uint64_t>(moves >> (64 * half));
            const auto add = [&](std::uint64_t x) {
                const auto& entry = table[static_cast<std::size_t>(LowestIndex(x))];
                words[0] |= entry[0];
                words[1] |= entry[1];
            };
            add(part);
            part &= part - 1;
            add(part);
            part &= part - 1;
            for (; part != 0; part &= part - 1) {
                add(part);
            }
        }
        return typename BitLayout<Size>::OrderBits{words[1]} << 64 | words[0];
    }
#endif
}

}  // namespace velmora::VELMORA_FAST_VARIANT
