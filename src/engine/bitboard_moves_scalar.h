// Move generation and flips with plain integer operations.
// Per-build code: see fast_search_impl.h.
#pragma once

#ifndef VELMORA_FAST_VARIANT
#error "define VELMORA_FAST_VARIANT before including the fast search's per-build headers"
#endif

#include "engine/bitboard_ops.h"
#include "engine/bitboard_tables.h"

namespace velmora::VELMORA_FAST_VARIANT {

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

// Every square next to a square of x, in any of the eight directions, along with x itself
// and, on 8 x 8, a few squares past the side edges.
template <int Size>
[[gnu::always_inline]] inline typename BitLayout<Size>::Bits NeighbourSquares(
    typename BitLayout<Size>::Bits x) {
    constexpr int kWidth = BitLayout<Size>::kWidth;
    const auto column = x | (x << kWidth) | (x >> kWidth);
    return column | (column << 1) | (column >> 1);
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

template <int Size>
class FlipperScalar {
  public:
    using Bits = typename BitLayout<Size>::Bits;
    FlipperScalar(Bits p, Bits o) : p_(p), o_(o) {}
    [[gnu::always_inline]] Bits operator()(const BitboardTables<Size>& t, int sq) const {
        return FlipsScalar<Size>(t, sq, p_, o_);
    }

  private:
    Bits p_;
    Bits o_;
};

}  // namespace velmora::VELMORA_FAST_VARIANT
