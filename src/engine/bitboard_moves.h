// Moves and flips for the instruction set this build is compiled for.
// Per-build code: see fast_search_impl.h.
#pragma once

#ifndef VELMORA_FAST_VARIANT
#error "define VELMORA_FAST_VARIANT before including the fast search's per-build headers"
#endif

#include <type_traits>

#include "engine/bitboard_moves_avx2.h"
#include "engine/bitboard_moves_avx512.h"
#include "engine/bitboard_moves_scalar.h"
#include "engine/bitboard_tables.h"

namespace velmora::VELMORA_FAST_VARIANT {

template <int Size>
[[gnu::always_inline]] inline typename BitLayout<Size>::Bits Moves(
    typename BitLayout<Size>::Bits p, typename BitLayout<Size>::Bits o) {
#if defined(VELMORA_AVX512_MOVES)
    if constexpr (Size == 10) {
        return avx512::Moves10(p, o);
    }
#endif
#if defined(__AVX2__)
    if constexpr (Size == 8) {
        return avx2::Moves8(p, o);
    } else {
        return avx2::Moves10(p, o);
    }
#else
    return MovesScalar<Size>(p, o);
#endif
}

// Flipper<Size>(p, o)(t, sq): the discs of O that P's move on bit sq turns over. Built once
// per position, it keeps what every move tried from there shares.
#if defined(__AVX2__)
template <int Size>
using Flipper = std::conditional_t<Size == 8, avx2::Flipper8, avx2::Flipper10>;
#else
template <int Size>
using Flipper = FlipperScalar<Size>;
#endif

}  // namespace velmora::VELMORA_FAST_VARIANT
