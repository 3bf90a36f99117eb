// Move generation and flips with AVX2.
// Per-build code: see fast_search_impl.h.
#pragma once

#ifndef VELMORA_FAST_VARIANT
#error "define VELMORA_FAST_VARIANT before including the fast search's per-build headers"
#endif

#include "engine/bitboard_ops.h"
#include "engine/bitboard_tables.h"

namespace velmora::VELMORA_FAST_VARIANT {

#if defined(__AVX2__)
// The same two operations four directions at a time. On 10 x 10 each 128-bit lane holds a
// whole board, so one register carries two directions.
namespace avx2 {

[[gnu::always_inline]] inline __m256i Broadcast(U128 x) {
    const auto low = static_cast<long long>(static_cast<std::uint64_t>(x));
    const auto high = static_cast<long long>(static_cast<std::uint64_t>(x >> 64));
    return _mm256_set_epi64x(high, low, high, low);
}

[[gnu::always_inline]] inline std::uint64_t OrLanes64(__m256i x) {
    const __m128i half = _mm_or_si128(_mm256_castsi256_si128(x), _mm256_extracti128_si256(x, 1));
    return static_cast<std::uint64_t>(_mm_cvtsi128_si64(half) | _mm_extract_epi64(half, 1));
}

[[gnu::always_inline]] inline U128 OrLanes128(__m256i x) {
    const __m128i half = _mm_or_si128(_mm256_castsi256_si128(x), _mm256_extracti128_si256(x, 1));
    return U128{static_cast<std::uint64_t>(_mm_extract_epi64(half, 1))} << 64 |
           static_cast<std::uint64_t>(_mm_cvtsi128_si64(half));
}

// Each 128-bit lane shifted by its own k (0 < k < 64, in both of its elements); rk is 64 - k.
[[gnu::always_inline]] inline __m256i Shl128(__m256i x, __m256i k, __m256i rk) {
    return _mm256_or_si256(_mm256_sllv_epi64(x, k),
                           _mm256_srlv_epi64(_mm256_bslli_epi128(x, 8), rk));
}
[[gnu::always_inline]] inline __m256i Shr128(__m256i x, __m256i k, __m256i rk) {
    return _mm256_or_si256(_mm256_srlv_epi64(x, k),
                           _mm256_sllv_epi64(_mm256_bsrli_epi128(x, 8), rk));
}

// All ones in a 128-bit lane that is zero.
[[gnu::always_inline]] inline __m256i ZeroLanes128(__m256i x) {
    const __m256i zero = _mm256_cmpeq_epi64(x, _mm256_setzero_si256());
    return _mm256_and_si256(zero, _mm256_shuffle_epi32(zero, 0x4E));
}

[[gnu::always_inline]] inline std::uint64_t Moves8(std::uint64_t p, std::uint64_t o) {
    const __m256i k = _mm256_set_epi64x(9, 8, 7, 1);
    const __m256i k2 = _mm256_add_epi64(k, k);
    const auto inner = static_cast<long long>(0x7E7E7E7E7E7E7E7EULL);
    const __m256i m = _mm256_and_si256(_mm256_set1_epi64x(static_cast<long long>(o)),
                                       _mm256_set_epi64x(inner, -1, inner, inner));
    const __m256i pp = _mm256_set1_epi64x(static_cast<long long>(p));
    __m256i up = _mm256_and_si256(m, _mm256_sllv_epi64(pp, k));
    __m256i down = _mm256_and_si256(m, _mm256_srlv_epi64(pp, k));
    up = _mm256_or_si256(up, _mm256_and_si256(m, _mm256_sllv_epi64(up, k)));
    down = _mm256_or_si256(down, _mm256_and_si256(m, _mm256_srlv_epi64(down, k)));
    const __m256i pairUp = _mm256_and_si256(m, _mm256_sllv_epi64(m, k));
    const __m256i pairDown = _mm256_srlv_epi64(pairUp, k);
    for (int i = 0; i < 2; ++i) {
        up = _mm256_or_si256(up, _mm256_and_si256(pairUp, _mm256_sllv_epi64(up, k2)));
        down = _mm256_or_si256(down, _mm256_and_si256(pairDown, _mm256_srlv_epi64(down, k2)));
    }
    const __m256i moves = _mm256_or_si256(_mm256_sllv_epi64(up, k), _mm256_srlv_epi64(down, k));
    return OrLanes64(moves) & ~(p | o);
}

// Two directions per register: steps (1, 10) and (11, 12).
[[gnu::always_inline]] inline __m256i MovesAlong10(__m256i pp, __m256i m, __m256i k, __m256i rk,
                                                   __m256i k2, __m256i rk2) {
    __m256i up = _mm256_and_si256(m, Shl128(pp, k, rk));
    __m256i down = _mm256_and_si256(m, Shr128(pp, k, rk));
    up = _mm256_or_si256(up, _mm256_and_si256(m, Shl128(up, k, rk)));
    down = _mm256_or_si256(down, _mm256_and_si256(m, Shr128(down, k, rk)));
    const __m256i pairUp = _mm256_and_si256(m, Shl128(m, k, rk));
    const __m256i pairDown = Shr128(pairUp, k, rk);
    for (int i = 0; i < 3; ++i) {
        up = _mm256_or_si256(up, _mm256_and_si256(pairUp, Shl128(up, k2, rk2)));
        down = _mm256_or_si256(down, _mm256_and_si256(pairDown, Shr128(down, k2, rk2)));
    }
    return _mm256_or_si256(Shl128(up, k, rk), Shr128(down, k, rk));
}

[[gnu::always_inline]] inline U128 Moves10(U128 p, U128 o) {
    const __m256i pp = Broadcast(p);
    const __m256i m = Broadcast(o);
    const auto counts = [](long long a, long long b) { return _mm256_set_epi64x(b, b, a, a); };
    const __m256i moves = _mm256_or_si256(
        MovesAlong10(pp, m, counts(1, 10), counts(63, 54), counts(2, 20), counts(62, 44)),
        MovesAlong10(pp, m, counts(11, 12), counts(53, 52), counts(22, 24), counts(42, 40)));
    constexpr U128 kBoard = BoardMask<10>();
    return OrLanes128(moves) & ~(p | o) & kBoard;
}

// Flips with the position's registers set up once for every move tried from it.
class Flipper8 {
  public:
    Flipper8(std::uint64_t p, std::uint64_t o)
        : pp_(_mm256_set1_epi64x(static_cast<long long>(p))),
          oo_(_mm256_set1_epi64x(static_cast<long long>(o))) {}

    [[gnu::always_inline]] std::uint64_t operator()(const BitboardTables<8>& t, int sq) const {
        const auto* rays =
            reinterpret_cast<const __m256i*>(t.rays[static_cast<std::size_t>(sq)].data());
        // Towards higher bits: flip what lies below the lowest stopper, if that is P's.
        const __m256i upRay = _mm256_loadu_si256(rays);
        const __m256i upStop = _mm256_andnot_si256(oo_, upRay);
        const __m256i dec = _mm256_sub_epi64(upStop, _mm256_set1_epi64x(1));
        const __m256i below = _mm256_andnot_si256(upStop, dec);
        const __m256i first = _mm256_andnot_si256(dec, upStop);
        const __m256i upMiss =
            _mm256_cmpeq_epi64(_mm256_and_si256(first, pp_), _mm256_setzero_si256());
        const __m256i up = _mm256_andnot_si256(upMiss, _mm256_and_si256(below, upRay));
        // Towards lower bits: smear the stoppers down their direction; what the smear leaves
        // of the ray lies above the highest stopper.
        const __m256i k = _mm256_set_epi64x(9, 8, 7, 1);
        const __m256i downRay = _mm256_loadu_si256(rays + 1);
        const __m256i downStop = _mm256_andnot_si256(oo_, downRay);
        __m256i smear = _mm256_or_si256(downStop, _mm256_srlv_epi64(downStop, k));
        smear = _mm256_or_si256(smear, _mm256_srlv_epi64(smear, _mm256_add_epi64(k, k)));
        smear = _mm256_or_si256(smear, _mm256_srlv_epi64(smear, _mm256_slli_epi64(k, 2)));
        const __m256i highest = _mm256_andnot_si256(_mm256_srlv_epi64(smear, k), downStop);
        const __m256i downMiss =
            _mm256_cmpeq_epi64(_mm256_and_si256(highest, pp_), _mm256_setzero_si256());
        const __m256i down = _mm256_andnot_si256(downMiss, _mm256_andnot_si256(smear, downRay));
        return OrLanes64(_mm256_or_si256(up, down));
    }

  private:
    __m256i pp_;
    __m256i oo_;
};

[[gnu::always_inline]] inline __m256i FlipsUp10(__m256i ray, __m256i pp, __m256i oo) {
    const __m256i stop = _mm256_andnot_si256(oo, ray);
    // stop - 1 per 128-bit lane: the low element adds -1, the high one adds -1 (borrows) when
    // the low one is zero. One byte shift places both.
    const __m256i zero = _mm256_cmpeq_epi64(stop, _mm256_setzero_si256());
    const __m256i dec = _mm256_add_epi64(stop, _mm256_alignr_epi8(zero, _mm256_set1_epi64x(-1), 8));
    const __m256i below = _mm256_andnot_si256(stop, dec);
    const __m256i first = _mm256_andnot_si256(dec, stop);
    const __m256i miss = ZeroLanes128(_mm256_and_si256(first, pp));
    return _mm256_andnot_si256(miss, _mm256_and_si256(below, ray));
}

// Every 128-bit lane with its bit order reversed: bit i goes to bit 127 - i.
[[gnu::always_inline]] inline __m256i Mirror128(__m256i x) {
    const __m256i reverse = _mm256_setr_epi8(15, 14, 13, 12, 11, 10, 9, 8, 7, 6, 5, 4, 3, 2, 1, 0,
                                             15, 14, 13, 12, 11, 10, 9, 8, 7, 6, 5, 4, 3, 2, 1, 0);
#if defined(__GFNI__)
    const __m256i reverseBits = _mm256_set1_epi64x(static_cast<long long>(0x8040201008040201ULL));
    const __m256i bytes = _mm256_gf2p8affine_epi64_epi8(x, reverseBits, 0);
#else
    const __m256i nibble = _mm256_set1_epi8(0x0F);
    // Reversed 4-bit values, placed in the high nibble and in the low one.
    const __m256i high = _mm256_setr_epi8(
        0x00, 0x80, 0x40, 0xC0, 0x20, 0xA0, 0x60, 0xE0, 0x10, 0x90, 0x50, 0xD0, 0x30, 0xB0, 0x70,
        static_cast<char>(0xF0), 0x00, 0x80, 0x40, 0xC0, 0x20, 0xA0, 0x60, 0xE0, 0x10, 0x90, 0x50,
        0xD0, 0x30, 0xB0, 0x70, static_cast<char>(0xF0));
    const __m256i low = _mm256_setr_epi8(0x0, 0x8, 0x4, 0xC, 0x2, 0xA, 0x6, 0xE, 0x1, 0x9, 0x5, 0xD,
                                         0x3, 0xB, 0x7, 0xF, 0x0, 0x8, 0x4, 0xC, 0x2, 0xA, 0x6, 0xE,
                                         0x1, 0x9, 0x5, 0xD, 0x3, 0xB, 0x7, 0xF);
    const __m256i bytes = _mm256_or_si256(
        _mm256_shuffle_epi8(high, _mm256_and_si256(x, nibble)),
        _mm256_shuffle_epi8(low, _mm256_and_si256(_mm256_srli_epi16(x, 4), nibble)));
#endif
    return _mm256_shuffle_epi8(bytes, reverse);
}

class Flipper10 {
  public:
    // The downward rays mirrored run upward: three bit reversals cost less than finding the
    // highest stopper of each.
    Flipper10(U128 p, U128 o)
        : pp_(Broadcast(p)), oo_(Broadcast(o)), mp_(Mirror128(pp_)), mo_(Mirror128(oo_)) {}

    [[gnu::always_inline]] U128 operator()(const BitboardTables<10>& t, int sq) const {
        const auto s = static_cast<std::size_t>(sq);
        const auto* rays = reinterpret_cast<const __m256i*>(t.rays[s].data());
        const auto* mirroredRays = reinterpret_cast<const __m256i*>(t.mirroredDownRays[s].data());
        const __m256i up = _mm256_or_si256(FlipsUp10(_mm256_loadu_si256(rays), pp_, oo_),
                                           FlipsUp10(_mm256_loadu_si256(rays + 1), pp_, oo_));
        const __m256i down =
            _mm256_or_si256(FlipsUp10(_mm256_loadu_si256(mirroredRays), mp_, mo_),
                            FlipsUp10(_mm256_loadu_si256(mirroredRays + 1), mp_, mo_));
        return OrLanes128(_mm256_or_si256(up, Mirror128(down)));
    }

  private:
    __m256i pp_;
    __m256i oo_;
    __m256i mp_;
    __m256i mo_;
};

}  // namespace avx2
#endif

}  // namespace velmora::VELMORA_FAST_VARIANT
