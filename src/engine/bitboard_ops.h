// Bit scans and counts on the fast search's boards.
// Per-build code: see fast_search_impl.h.
#pragma once

#ifndef VELMORA_FAST_VARIANT
#error "define VELMORA_FAST_VARIANT before including the fast search's per-build headers"
#endif

#if defined(__BMI__) || defined(__AVX2__) || defined(__AVX512F__)
// GCC 12's AVX-512 intrinsics pass an undefined placeholder operand that its own
// -Wmaybe-uninitialized then reports wherever they are inlined; the warnings point into the
// header, so silencing them around the include is enough.
#pragma GCC diagnostic push
#if !defined(__clang__)  // clang has no such warning and would warn about the name
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#endif
#pragma GCC diagnostic ignored "-Wuninitialized"
#include <immintrin.h>
#pragma GCC diagnostic pop
#endif

#include <bit>
#include <cstdint>

namespace velmora::VELMORA_FAST_VARIANT {

using U128 = unsigned __int128;

inline int Popcount(std::uint64_t x) {
    return std::popcount(x);
}
inline int Popcount(U128 x) {
    return std::popcount(static_cast<std::uint64_t>(x)) +
           std::popcount(static_cast<std::uint64_t>(x >> 64));
}

// 64 (128) for an empty set. TZCNT gives that without a branch. Unsigned, so that indexing a
// table with it needs no sign extension.
inline unsigned LowestIndex(std::uint64_t x) {
#if defined(__BMI__)
    return static_cast<unsigned>(_tzcnt_u64(x));
#else
    return static_cast<unsigned>(std::countr_zero(x));
#endif
}
inline unsigned LowestIndex(U128 x) {
    const auto low = static_cast<std::uint64_t>(x);
    const unsigned high = 64 + LowestIndex(static_cast<std::uint64_t>(x >> 64));
    return low != 0 ? LowestIndex(low) : high;
}

// The highest set bit of x | 1 alone: never zero, so no branch.
inline std::uint64_t HighestBitOrOne(std::uint64_t x) {
    return std::uint64_t{1} << (63 - __builtin_clzll(x | 1));
}
inline U128 HighestBitOrOne(U128 x) {
    const auto high = static_cast<std::uint64_t>(x >> 64);
    const auto low = static_cast<std::uint64_t>(x);
    // Both halves without a branch: which one counts depends on the position.
    const std::uint64_t useHigh = 0 - static_cast<std::uint64_t>(high != 0);
    return U128{HighestBitOrOne(high) & useHigh} << 64 | (HighestBitOrOne(low) & ~useHigh);
}

}  // namespace velmora::VELMORA_FAST_VARIANT
