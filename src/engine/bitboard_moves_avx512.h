// Move generation on 10 x 10 with AVX-512 (its flips stay with AVX2, which is faster).
// Per-build code: see fast_search_impl.h.
#pragma once

#ifndef VELMORA_FAST_VARIANT
#error "define VELMORA_FAST_VARIANT before including the fast search's per-build headers"
#endif

#include "engine/bitboard_ops.h"
#include "engine/bitboard_tables.h"

namespace velmora::VELMORA_FAST_VARIANT {

#if defined(__AVX512F__) && defined(__AVX512BW__) && defined(__AVX512VBMI2__)
#define VELMORA_AVX512_MOVES 1
// 10 x 10 moves with all four directions in one register, a whole board per 128-bit lane.
namespace avx512 {

[[gnu::always_inline]] inline __m512i Broadcast(U128 x) {
    const auto low = static_cast<long long>(static_cast<std::uint64_t>(x));
    const auto high = static_cast<long long>(static_cast<std::uint64_t>(x >> 64));
    return _mm512_set_epi64(high, low, high, low, high, low, high, low);
}

[[gnu::always_inline]] inline U128 OrLanes128(__m512i x) {
    const __m256i quarter =
        _mm256_or_si256(_mm512_castsi512_si256(x), _mm512_extracti64x4_epi64(x, 1));
    const __m128i half =
        _mm_or_si128(_mm256_castsi256_si128(quarter), _mm256_extracti128_si256(quarter, 1));
    return U128{static_cast<std::uint64_t>(_mm_extract_epi64(half, 1))} << 64 |
           static_cast<std::uint64_t>(_mm_cvtsi128_si64(half));
}

// Each 128-bit lane shifted by its own k (0 < k < 64, in both of its elements).
[[gnu::always_inline]] inline __m512i Shl128(__m512i x, __m512i k) {
    return _mm512_shldv_epi64(x, _mm512_bslli_epi128(x, 8), k);
}
[[gnu::always_inline]] inline __m512i Shr128(__m512i x, __m512i k) {
    return _mm512_shrdv_epi64(x, _mm512_bsrli_epi128(x, 8), k);
}

// a | (b & c)
[[gnu::always_inline]] inline __m512i OrAnd(__m512i a, __m512i b, __m512i c) {
    return _mm512_ternarylogic_epi64(a, b, c, 0xF8);
}

// Lane steps 1, 10, 11, 12 from the lowest lane up.
inline __m512i Steps(int factor) {
    return _mm512_set_epi64(12 * factor, 12 * factor, 11 * factor, 11 * factor, 10 * factor,
                            10 * factor, factor, factor);
}

[[gnu::always_inline]] inline U128 Moves10(U128 p, U128 o) {
    const __m512i k = Steps(1);
    const __m512i k2 = Steps(2);
    const __m512i pp = Broadcast(p);
    const __m512i m = Broadcast(o);
    __m512i up = _mm512_and_si512(m, Shl128(pp, k));
    __m512i down = _mm512_and_si512(m, Shr128(pp, k));
    up = OrAnd(up, m, Shl128(up, k));
    down = OrAnd(down, m, Shr128(down, k));
    const __m512i pairUp = _mm512_and_si512(m, Shl128(m, k));
    const __m512i pairDown = Shr128(pairUp, k);
    for (int i = 0; i < 3; ++i) {
        up = OrAnd(up, pairUp, Shl128(up, k2));
        down = OrAnd(down, pairDown, Shr128(down, k2));
    }
    constexpr U128 kBoard = BoardMask<10>();
    return OrLanes128(_mm512_or_si512(Shl128(up, k), Shr128(down, k))) & ~(p | o) & kBoard;
}

}  // namespace avx512
#endif

}  // namespace velmora::VELMORA_FAST_VARIANT
