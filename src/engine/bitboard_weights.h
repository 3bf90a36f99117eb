// The sum of a set's square weights, with AVX-512 where it is available.
// Per-build code: see fast_search_impl.h.
#pragma once

#ifndef VELMORA_FAST_VARIANT
#error "define VELMORA_FAST_VARIANT before including the fast search's per-build headers"
#endif

#include <cstdint>

#include "engine/bitboard_ops.h"

namespace velmora::VELMORA_FAST_VARIANT {

#if defined(__AVX512BW__)
#define VELMORA_BYTE_WEIGHTS 1
// bytes holds one signed weight per bit. The set's weights are picked by a masked load, summed
// in pairs and fours by multiplying with ones, then across the register: a few instructions
// however many bits are set, and no branch.
template <typename Bits>
[[gnu::always_inline]] inline int ByteWeightSum(Bits x, const std::int8_t* bytes) {
    __m512i picked = _mm512_maskz_loadu_epi8(static_cast<__mmask64>(x), bytes);
    if constexpr (sizeof(Bits) > 8) {
        // Weights of turnable squares are small, so two of them still fit a byte.
        picked = _mm512_add_epi8(
            picked, _mm512_maskz_loadu_epi8(
                        static_cast<__mmask64>(static_cast<std::uint64_t>(x >> 64)), bytes + 64));
    }
    const __m512i pairs = _mm512_maddubs_epi16(_mm512_set1_epi8(1), picked);
    const __m512i quads = _mm512_madd_epi16(pairs, _mm512_set1_epi16(1));
    const __m256i half =
        _mm256_add_epi32(_mm512_castsi512_si256(quads), _mm512_extracti64x4_epi64(quads, 1));
    __m128i sum = _mm_add_epi32(_mm256_castsi256_si128(half), _mm256_extracti128_si256(half, 1));
    sum = _mm_add_epi32(sum, _mm_shuffle_epi32(sum, 0x4E));
    sum = _mm_add_epi32(sum, _mm_shuffle_epi32(sum, 0xB1));
    return _mm_cvtsi128_si32(sum);
}
#endif

}  // namespace velmora::VELMORA_FAST_VARIANT
