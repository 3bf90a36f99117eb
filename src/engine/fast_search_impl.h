// The bitboard search, compiled once per instruction-set variant: each including file defines
// VELMORA_FAST_VARIANT, the namespace its copy lives in, so the copies never mix at link time.
// No include guard on purpose.
#ifndef VELMORA_FAST_VARIANT
#error "define VELMORA_FAST_VARIANT before including engine/fast_search_impl.h"
#endif

#if defined(__BMI__) || defined(__AVX2__) || defined(__AVX512F__)
// GCC 12's AVX-512 intrinsics pass an undefined placeholder operand that its own
// -Wmaybe-uninitialized then reports wherever they are inlined; the warnings point into the
// header, so silencing them around the include is enough.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#pragma GCC diagnostic ignored "-Wuninitialized"
#include <immintrin.h>
#pragma GCC diagnostic pop
#endif

#include <atomic>
#include <bit>
#include <cstdint>

#include "engine/bitboard_tables.h"
#include "engine/search_settings.h"

namespace velmora::VELMORA_FAST_VARIANT {

using U128 = unsigned __int128;

inline int Popcount(std::uint64_t x) {
    return std::popcount(x);
}
inline int Popcount(U128 x) {
    return std::popcount(static_cast<std::uint64_t>(x)) +
           std::popcount(static_cast<std::uint64_t>(x >> 64));
}

// 64 (128) for an empty set. TZCNT gives that without a branch.
inline int LowestIndex(std::uint64_t x) {
#if defined(__BMI__)
    return static_cast<int>(_tzcnt_u64(x));
#else
    return std::countr_zero(x);
#endif
}
inline int LowestIndex(U128 x) {
    const auto low = static_cast<std::uint64_t>(x);
    const int high = 64 + LowestIndex(static_cast<std::uint64_t>(x >> 64));
    return low != 0 ? LowestIndex(low) : high;
}

// The moves of P along one line direction, both ways: runs of O (m, with wrapping squares
// removed) that P closes on one side, grown by one square twice, then by two.
template <int K, int Doublings, typename Bits>
[[gnu::always_inline]] inline Bits MovesAlong(Bits p, Bits m) {
    Bits up = m & (p << K);
    Bits down = m & (p >> K);
    up |= m & (up << K);
    down |= m & (down >> K);
    const Bits pairUp = m & (m << K);
    const Bits pairDown = pairUp >> K;
    for (int i = 0; i < Doublings; ++i) {
        up |= pairUp & (up << (2 * K));
        down |= pairDown & (down >> (2 * K));
    }
    return (up << K) | (down >> K);
}

// Squares where P may play against O, in all directions at once.
template <int Size>
[[gnu::always_inline]] inline typename BitLayout<Size>::Bits MovesScalar(
    typename BitLayout<Size>::Bits p, typename BitLayout<Size>::Bits o) {
    using Bits = typename BitLayout<Size>::Bits;
    constexpr int kWidth = BitLayout<Size>::kWidth;
    // Longest run: 6 on 8 x 8, 8 on 10 x 10.
    constexpr int kDoublings = Size == 8 ? 2 : 3;
    // On 8 x 8 a sideways run must not wrap from one row into the next; on 10 x 10 the spare
    // column stops it.
    const Bits sideways = Size == 8 ? o & Bits{0x7E7E7E7E7E7E7E7EULL} : o;
    const Bits moves =
        (MovesAlong<1, kDoublings>(p, sideways) | MovesAlong<kWidth - 1, kDoublings>(p, sideways)) |
        (MovesAlong<kWidth, kDoublings>(p, o) | MovesAlong<kWidth + 1, kDoublings>(p, sideways));
    constexpr Bits kBoard = BoardMask<Size>();
    return moves & ~(p | o) & kBoard;
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

// The discs of O that P's move on bit sq turns over. Per direction: the first square beyond
// the run of O discs must hold P.
template <int Size>
[[gnu::always_inline]] inline typename BitLayout<Size>::Bits FlipsScalar(
    const BitboardTables<Size>& t, int sq, typename BitLayout<Size>::Bits p,
    typename BitLayout<Size>::Bits o) {
    using Bits = typename BitLayout<Size>::Bits;
    const auto s = static_cast<std::size_t>(sq);
    const Bits notO = ~o;
    // Towards higher bits the first stopper is the lowest one; flip what lies below it.
    const auto up = [&](std::size_t d) {
        const Bits ray = t.rays[s][d];
        const Bits stopper = ray & notO;
        const Bits first = stopper & (0 - stopper);
        return (first - 1) & ray & (0 - static_cast<Bits>((first & p) != 0));
    };
    // Towards lower bits it is the highest one; flip what lies above it. An empty stopper set
    // gives bit 0, which counts only if it is on the ray (and then it is not O's).
    const auto down = [&](std::size_t d) {
        const Bits ray = t.rays[s][d];
        const Bits first = HighestBitOrOne(ray & notO) & ray;
        return ray & (0 - (first << 1)) & (0 - static_cast<Bits>((first & p) != 0));
    };
    return (up(0) | up(1)) | (up(2) | up(3)) | (down(4) | down(5)) | (down(6) | down(7));
}

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

[[gnu::always_inline]] inline std::uint64_t Flips8(const BitboardTables<8>& t, int sq,
                                                   std::uint64_t p, std::uint64_t o) {
    const auto* rays =
        reinterpret_cast<const __m256i*>(t.rays[static_cast<std::size_t>(sq)].data());
    const __m256i pp = _mm256_set1_epi64x(static_cast<long long>(p));
    const __m256i oo = _mm256_set1_epi64x(static_cast<long long>(o));
    // Towards higher bits: flip what lies below the lowest stopper, if that is P's.
    const __m256i upRay = _mm256_loadu_si256(rays);
    const __m256i upStop = _mm256_andnot_si256(oo, upRay);
    const __m256i dec = _mm256_sub_epi64(upStop, _mm256_set1_epi64x(1));
    const __m256i below = _mm256_andnot_si256(upStop, dec);
    const __m256i first = _mm256_andnot_si256(dec, upStop);
    const __m256i upMiss = _mm256_cmpeq_epi64(_mm256_and_si256(first, pp), _mm256_setzero_si256());
    const __m256i up = _mm256_andnot_si256(upMiss, _mm256_and_si256(below, upRay));
    // Towards lower bits: smear the stoppers down their direction; what the smear leaves of
    // the ray lies above the highest stopper.
    const __m256i k = _mm256_set_epi64x(9, 8, 7, 1);
    const __m256i downRay = _mm256_loadu_si256(rays + 1);
    const __m256i downStop = _mm256_andnot_si256(oo, downRay);
    __m256i smear = _mm256_or_si256(downStop, _mm256_srlv_epi64(downStop, k));
    smear = _mm256_or_si256(smear, _mm256_srlv_epi64(smear, _mm256_add_epi64(k, k)));
    smear = _mm256_or_si256(smear, _mm256_srlv_epi64(smear, _mm256_slli_epi64(k, 2)));
    const __m256i highest = _mm256_andnot_si256(_mm256_srlv_epi64(smear, k), downStop);
    const __m256i downMiss =
        _mm256_cmpeq_epi64(_mm256_and_si256(highest, pp), _mm256_setzero_si256());
    const __m256i down = _mm256_andnot_si256(downMiss, _mm256_andnot_si256(smear, downRay));
    return OrLanes64(_mm256_or_si256(up, down));
}

[[gnu::always_inline]] inline __m256i FlipsUp10(__m256i ray, __m256i pp, __m256i oo) {
    const __m256i stop = _mm256_andnot_si256(oo, ray);
    // stop - 1 per 128-bit lane: the high element borrows when the low one is zero.
    const __m256i lowOnes = _mm256_set_epi64x(0, -1, 0, -1);
    const __m256i borrow = _mm256_bslli_epi128(_mm256_cmpeq_epi64(stop, _mm256_setzero_si256()), 8);
    const __m256i dec = _mm256_add_epi64(_mm256_add_epi64(stop, lowOnes), borrow);
    const __m256i below = _mm256_andnot_si256(stop, dec);
    const __m256i first = _mm256_andnot_si256(dec, stop);
    const __m256i miss = ZeroLanes128(_mm256_and_si256(first, pp));
    return _mm256_andnot_si256(miss, _mm256_and_si256(below, ray));
}

[[gnu::always_inline]] inline __m256i FlipsDown10(__m256i ray, __m256i pp, __m256i oo, long long a,
                                                  long long b) {
    const auto counts = [](long long x, long long y) { return _mm256_set_epi64x(y, y, x, x); };
    const __m256i k = counts(a, b);
    const __m256i rk = counts(64 - a, 64 - b);
    const __m256i stop = _mm256_andnot_si256(oo, ray);
    // Smear 1, 2, 4 and 2 more steps: up to nine squares, the longest ray.
    __m256i smear = _mm256_or_si256(stop, Shr128(stop, k, rk));
    const __m256i k2 = counts(2 * a, 2 * b);
    const __m256i rk2 = counts(64 - 2 * a, 64 - 2 * b);
    smear = _mm256_or_si256(smear, Shr128(smear, k2, rk2));
    smear =
        _mm256_or_si256(smear, Shr128(smear, counts(4 * a, 4 * b), counts(64 - 4 * a, 64 - 4 * b)));
    smear = _mm256_or_si256(smear, Shr128(smear, k2, rk2));
    const __m256i highest = _mm256_andnot_si256(Shr128(smear, k, rk), stop);
    const __m256i miss = ZeroLanes128(_mm256_and_si256(highest, pp));
    return _mm256_andnot_si256(miss, _mm256_andnot_si256(smear, ray));
}

[[gnu::always_inline]] inline U128 Flips10(const BitboardTables<10>& t, int sq, U128 p, U128 o) {
    const auto* rays =
        reinterpret_cast<const __m256i*>(t.rays[static_cast<std::size_t>(sq)].data());
    const __m256i pp = Broadcast(p);
    const __m256i oo = Broadcast(o);
    const __m256i up = _mm256_or_si256(FlipsUp10(_mm256_loadu_si256(rays), pp, oo),
                                       FlipsUp10(_mm256_loadu_si256(rays + 1), pp, oo));
    // Downward steps in ray order: 1, 10 and 11, 12.
    const __m256i down = _mm256_or_si256(FlipsDown10(_mm256_loadu_si256(rays + 2), pp, oo, 1, 10),
                                         FlipsDown10(_mm256_loadu_si256(rays + 3), pp, oo, 11, 12));
    return OrLanes128(_mm256_or_si256(up, down));
}

}  // namespace avx2
#endif

#if defined(__AVX512F__) && defined(__AVX512BW__) && defined(__AVX512VBMI2__)
// 10 x 10 with all four directions in one register, a whole board per 128-bit lane.
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

// Both elements of every 128-bit lane in which a & b is not zero.
[[gnu::always_inline]] inline __mmask8 NonZeroLanes(__m512i a, __m512i b) {
    const unsigned bits = _mm512_test_epi64_mask(a, b);
    return static_cast<__mmask8>(bits | (bits >> 1 & 0x55U) | (bits & 0x55U) << 1);
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

[[gnu::always_inline]] inline U128 Flips10(const BitboardTables<10>& t, int sq, U128 p, U128 o) {
    const auto* rays =
        reinterpret_cast<const __m512i*>(t.rays[static_cast<std::size_t>(sq)].data());
    const __m512i pp = Broadcast(p);
    const __m512i oo = Broadcast(o);
    // Towards higher bits: flip what lies below the lowest stopper, if that is P's.
    const __m512i upRay = _mm512_loadu_si512(rays);
    const __m512i upStop = _mm512_andnot_si512(oo, upRay);
    const __m512i lowOnes = _mm512_set_epi64(0, -1, 0, -1, 0, -1, 0, -1);
    const __mmask8 zero = _mm512_testn_epi64_mask(upStop, upStop);
    const auto borrow = static_cast<__mmask8>((zero & 0x55U) << 1);
    __m512i dec = _mm512_add_epi64(upStop, lowOnes);
    dec = _mm512_mask_add_epi64(dec, borrow, dec, _mm512_set1_epi64(-1));
    const __m512i below = _mm512_andnot_si512(upStop, dec);
    const __m512i first = _mm512_andnot_si512(dec, upStop);
    const __m512i up = _mm512_maskz_and_epi64(NonZeroLanes(first, pp), below, upRay);
    // Towards lower bits: smear the stoppers 1, 2, 4 and 2 more steps down their direction;
    // what is left of the ray lies above the highest stopper.
    const __m512i k = Steps(1);
    const __m512i k2 = Steps(2);
    const __m512i downRay = _mm512_loadu_si512(rays + 1);
    const __m512i downStop = _mm512_andnot_si512(oo, downRay);
    __m512i smear = _mm512_or_si512(downStop, Shr128(downStop, k));
    smear = _mm512_or_si512(smear, Shr128(smear, k2));
    smear = _mm512_or_si512(smear, Shr128(smear, Steps(4)));
    smear = _mm512_or_si512(smear, Shr128(smear, k2));
    const __m512i highest = _mm512_andnot_si512(Shr128(smear, k), downStop);
    const __m512i down = _mm512_maskz_andnot_epi64(NonZeroLanes(highest, pp), smear, downRay);
    return OrLanes128(_mm512_or_si512(up, down));
}

}  // namespace avx512
#endif

template <int Size>
[[gnu::always_inline]] inline typename BitLayout<Size>::Bits Moves(
    typename BitLayout<Size>::Bits p, typename BitLayout<Size>::Bits o) {
#if defined(__AVX512F__) && defined(__AVX512BW__) && defined(__AVX512VBMI2__)
    if constexpr (Size == 8) {
        return avx2::Moves8(p, o);
    } else {
        return avx512::Moves10(p, o);
    }
#elif defined(__AVX2__)
    if constexpr (Size == 8) {
        return avx2::Moves8(p, o);
    } else {
        return avx2::Moves10(p, o);
    }
#else
    return MovesScalar<Size>(p, o);
#endif
}

template <int Size>
[[gnu::always_inline]] inline typename BitLayout<Size>::Bits Flips(
    const BitboardTables<Size>& t, int sq, typename BitLayout<Size>::Bits p,
    typename BitLayout<Size>::Bits o) {
#if defined(__AVX512F__) && defined(__AVX512BW__) && defined(__AVX512VBMI2__)
    if constexpr (Size == 8) {
        return avx2::Flips8(t, sq, p, o);
    } else {
        return avx512::Flips10(t, sq, p, o);
    }
#elif defined(__AVX2__)
    if constexpr (Size == 8) {
        return avx2::Flips8(t, sq, p, o);
    } else {
        return avx2::Flips10(t, sq, p, o);
    }
#else
    return FlipsScalar<Size>(t, sq, p, o);
#endif
}

// Negamax with alpha-beta, node for node the same tree as the literal search: the same move
// order, tie rule, pass rule and leaf scores, the same Search calls counted. Leaves are scored
// incrementally: each node carries its weight difference in the table of its corner state,
// and, while no corner is taken, in the corner table as well, ready for the first corner.
template <int Size, bool Advanced, bool Novice>
class FastSearcher {
  public:
    using Bits = typename BitLayout<Size>::Bits;
    using OrderBits = typename BitLayout<Size>::OrderBits;
    using Tables = BitboardTables<Size>;

    FastSearcher(const Tables& tables, int depth, const std::atomic<bool>& stop)
        : t_(tables), depth_(depth), stop_(&stop) {}

    SearchResult Run(Bits p, Bits o, unsigned corners) {
        SearchResult result;
        nodes_ = 1;
        int rootReturn = 0;
        if (!Stopped()) {
            const Scores scores{WeightDiff(p, o, t_.weights[corners].data()),
                                WeightDiff(p, o, t_.cornerBase.data())};
            rootReturn = Node(p, o, scores, corners, true, kSearchWindow, -kSearchWindow, 0);
        }
        result.stopped = Stopped();
        result.move = result.stopped || bestRootBit_ < 0
                          ? NoMove
                          : t_.squareOfBit[static_cast<std::size_t>(bestRootBit_)];
        result.value = -rootReturn;
        result.nodes = nodes_;
        return result;
    }

  private:
    // Weight differences from the side to move's point of view: in the table of the corner
    // state, and in the corner table for no corner taken (kept only while that is the state).
    struct Scores {
        int diff;
        int base;
    };

    bool Stopped() const { return stop_->load(std::memory_order_relaxed); }

    // A 128-bit shift by a variable count costs a branch; a table does not.
    Bits SquareBit(int sq) const {
        if constexpr (Size == 8) {
            return Bits{1} << sq;
        } else {
            return t_.squareBit[static_cast<std::size_t>(sq)];
        }
    }

    // Flipped sets are small: a few unconditional steps (an empty set reads the zero weight
    // past the end) keep the loop's exit branch away from most of them.
    static int WeightSum64(std::uint64_t x, const std::int32_t* w) {
        int sum = w[LowestIndex(x)];
        x &= x - 1;
        sum += w[LowestIndex(x)];
        x &= x - 1;
        sum += w[LowestIndex(x)];
        x &= x - 1;
        while (x != 0) {
            sum += w[LowestIndex(x)];
            x &= x - 1;
        }
        return sum;
    }

    // w is a HalfWeights table.
    static int WeightSum(Bits x, const std::int32_t* w) {
        if constexpr (Size == 8) {
            return WeightSum64(x, w);
        } else {
            return WeightSum64(static_cast<std::uint64_t>(x), w) +
                   WeightSum64(static_cast<std::uint64_t>(x >> 64), w + 65);
        }
    }

    static int WeightDiff(Bits mine, Bits theirs, const std::int32_t* w) {
        int sum = 0;
        for (; mine != 0; mine &= mine - 1) {
            sum += w[LowestIndex(mine)];
        }
        for (; theirs != 0; theirs &= theirs - 1) {
            sum -= w[LowestIndex(theirs)];
        }
        return sum;
    }

    // What taking corner k adds to mine's weight difference.
    int CornerGain(std::size_t k, Bits mine, Bits theirs) const {
        return Tables::kEdgeGain *
                   (Popcount(mine & t_.cornerEdges[k]) - Popcount(theirs & t_.cornerEdges[k])) +
               Tables::kDiagonalGain * (Popcount(mine & t_.cornerDiagonals[k]) -
                                        Popcount(theirs & t_.cornerDiagonals[k]));
    }

    // The mover's scores after p plays sq turning flips over, and the new corner state.
    template <bool NeedBase>
    Scores Play(const Scores& s, unsigned corners, unsigned childCorners, int sq, Bits flips,
                Bits mover, Bits other) const {
        const auto q = static_cast<std::size_t>(sq);
        if (childCorners == corners) {
            Scores child{s.diff + t_.weights[corners][q] +
                             2 * WeightSum(flips, t_.halfWeights[corners].data()),
                         0};
            if (NeedBase && corners == 0) {
                child.base =
                    s.base + t_.cornerBase[q] + 2 * WeightSum(flips, t_.halfCornerBase.data());
            }
            return child;
        }
        // A corner move: from the corner table with the new corner's neighbours revalued.
        const bool first = corners == 0;
        const int before = first ? s.base : s.diff;
        const int placed = first ? t_.cornerBase[q] : t_.weights[corners][q];
        const int turned =
            WeightSum(flips, first ? t_.halfCornerBase.data() : t_.halfWeights[corners].data());
        const auto k = static_cast<std::size_t>(std::countr_zero(childCorners ^ corners));
        return {before + placed + 2 * turned + CornerGain(k, mover, other), 0};
    }

    // Evaluate(board, mover, other) with mover's weight difference already known.
    static int Evaluate(Bits mover, Bits other, int diff) {
        int value = kWinScore;
        if (other != 0) {
            value = diff;
            if constexpr (Advanced) {
                value += Popcount(Moves<Size>(mover, other));
            }
        }
        if constexpr (Novice) {
            return kWinScore - value;
        }
        return value;
    }

    static int FinalScore(Bits side, Bits other) {
        const int diff = Popcount(side) - Popcount(other);
        if constexpr (Novice) {
            return kWinScore - diff;
        }
        return diff > 0 ? diff + kWinScore : diff < 0 ? diff - kWinScore : 0;
    }

    // The move set in move-order rank space.
    OrderBits ToOrder(Bits moves) const {
        if constexpr (Size == 8) {
            // Eight independent lookups, one per byte.
            const auto& table = t_.orderOfByte;
            return (table[0][moves & 0xFF] | table[1][moves >> 8 & 0xFF]) |
                   (table[2][moves >> 16 & 0xFF] | table[3][moves >> 24 & 0xFF]) |
                   (table[4][moves >> 32 & 0xFF] | table[5][moves >> 40 & 0xFF]) |
                   (table[6][moves >> 48 & 0xFF] | table[7][moves >> 56]);
        } else {
            // Bit by bit, each 64-bit half with two unconditional steps (an empty half reads
            // the zero entry).
            std::uint64_t words[2] = {0, 0};
            for (std::size_t half = 0; half < 2; ++half) {
                const auto& table = t_.rankWordsOfBit[half];
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
            return OrderBits{words[1]} << 64 | words[0];
        }
    }

    // A node after its move has been played: p is the side to move, o the side that moved
    // (or passed, when passed). The result is from o's point of view. The caller has counted
    // the node and polled the stop.
    int Node(Bits p, Bits o, const Scores& s, unsigned corners, bool passed, int beta, int alpha,
             int ply) {
        const Bits moves = Moves<Size>(p, o) & t_.moveOrderMask;
        // A pass into the last ply.
        if (passed && ply == depth_) {
            return moves != 0 ? Evaluate(o, p, -s.diff) : FinalScore(o, p);
        }
        int best = alpha;
        if (moves == 0) {
            // Two passes in a row end the game; one pass costs a ply.
            if (passed) {
                return FinalScore(o, p);
            }
            ++nodes_;
            const int v = Stopped() ? 0
                                    : Node(o, p, Scores{-s.diff, -s.base}, corners, true, -best,
                                           -beta, ply + 1);
            return v > best ? -v : -best;
        }
        const bool leaves = ply + 1 == depth_;
        // The ranks 64 bits at a time, lowest first.
        const OrderBits order = ToOrder(moves);
        for (int base = 0; base < BitLayout<Size>::kBits; base += 64) {
            std::uint64_t part = 0;
            if constexpr (Size == 8) {
                part = order;
            } else {
                part = static_cast<std::uint64_t>(base == 0 ? order : order >> 64);
            }
            for (; part != 0; part &= part - 1) {
                const int sq = t_.bitOfRank[static_cast<std::size_t>(base + LowestIndex(part))];
                ++nodes_;
                int v = 0;
                if (!Stopped()) {
                    const Bits flips = Flips<Size>(t_, sq, p, o);
                    const Bits mover = p | flips | SquareBit(sq);
                    const Bits other = o ^ flips;
                    const unsigned childCorners =
                        corners | t_.cornerFlag[static_cast<std::size_t>(sq)];
                    if (leaves) {
                        v = Evaluate(
                            mover, other,
                            Play<false>(s, corners, childCorners, sq, flips, mover, other).diff);
                    } else {
                        const Scores m =
                            Play<true>(s, corners, childCorners, sq, flips, mover, other);
                        v = Node(other, mover, Scores{-m.diff, -m.base}, childCorners, false, -best,
                                 -beta, ply + 1);
                    }
                }
                // Only a strictly better value replaces the best: ties keep the earlier move.
                if (ply == 0 && v > best) {
                    bestRootBit_ = sq;
                }
                best = v > best ? v : best;
                if (best >= beta) {
                    return -best;
                }
            }
        }
        return -best;
    }

    const Tables& t_;
    const int depth_;
    const std::atomic<bool>* const stop_;
    std::uint64_t nodes_ = 0;
    int bestRootBit_ = -1;
};

template <int Size>
typename BitLayout<Size>::Bits SideBits(const Board& board, int side) {
    using Bits = typename BitLayout<Size>::Bits;
    const BitboardTables<Size>& t = GetBitboardTables<Size>();
    Bits bits = 0;
    for (const int square : SquareList(Size)) {
        if (board[static_cast<std::size_t>(square)] == side) {
            bits |= Bits{1} << t.bitOfSquare[static_cast<std::size_t>(square)];
        }
    }
    return bits;
}

template <int Size>
unsigned TakenCorners(typename BitLayout<Size>::Bits occupied) {
    const BitboardTables<Size>& t = GetBitboardTables<Size>();
    unsigned corners = 0;
    for (auto x = occupied; x != 0; x &= x - 1) {
        corners |= t.cornerFlag[static_cast<std::size_t>(LowestIndex(x))];
    }
    return corners;
}

template <int Size>
SearchResult FastSearchVariant(const Board& board, int sideToMove, const SearchSettings& settings,
                               const std::atomic<bool>* stop) {
    static const std::atomic<bool> kNeverStop{false};
    const std::atomic<bool>& stopFlag = stop != nullptr ? *stop : kNeverStop;
    const BitboardTables<Size>& t = GetBitboardTables<Size>();
    const auto p = SideBits<Size>(board, sideToMove);
    const auto o = SideBits<Size>(board, Opponent(sideToMove));
    const unsigned corners = TakenCorners<Size>(p | o);
    const int depth = settings.Depth();
    if (settings.novice) {
        return settings.advanced
                   ? FastSearcher<Size, true, true>(t, depth, stopFlag).Run(p, o, corners)
                   : FastSearcher<Size, false, true>(t, depth, stopFlag).Run(p, o, corners);
    }
    return settings.advanced
               ? FastSearcher<Size, true, false>(t, depth, stopFlag).Run(p, o, corners)
               : FastSearcher<Size, false, false>(t, depth, stopFlag).Run(p, o, corners);
}

template <int Size>
std::uint64_t PerftFrom(const BitboardTables<Size>& t, typename BitLayout<Size>::Bits p,
                        typename BitLayout<Size>::Bits o, int depth) {
    using Bits = typename BitLayout<Size>::Bits;
    if (depth == 0) {
        return 1;
    }
    Bits moves = Moves<Size>(p, o) & t.moveOrderMask;
    if (moves == 0) {
        // A forced pass is a move; when neither side can move the game is over.
        if ((Moves<Size>(o, p) & t.moveOrderMask) == 0) {
            return 1;
        }
        return PerftFrom<Size>(t, o, p, depth - 1);
    }
    if (depth == 1) {
        return static_cast<std::uint64_t>(Popcount(moves));
    }
    std::uint64_t leaves = 0;
    for (; moves != 0; moves &= moves - 1) {
        const int sq = LowestIndex(moves);
        const Bits flips = Flips<Size>(t, sq, p, o);
        leaves += PerftFrom<Size>(t, o ^ flips, p | flips | (Bits{1} << sq), depth - 1);
    }
    return leaves;
}

template <int Size>
std::uint64_t FastPerftVariant(const Board& board, int sideToMove, int depth) {
    return PerftFrom<Size>(GetBitboardTables<Size>(), SideBits<Size>(board, sideToMove),
                           SideBits<Size>(board, Opponent(sideToMove)), depth);
}

template SearchResult FastSearchVariant<8>(const Board&, int, const SearchSettings&,
                                           const std::atomic<bool>*);
template SearchResult FastSearchVariant<10>(const Board&, int, const SearchSettings&,
                                            const std::atomic<bool>*);
template std::uint64_t FastPerftVariant<8>(const Board&, int, int);
template std::uint64_t FastPerftVariant<10>(const Board&, int, int);

}  // namespace velmora::VELMORA_FAST_VARIANT
