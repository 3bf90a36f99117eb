// The fast search's entry points, compiled once per instruction-set build: each including file
// defines VELMORA_FAST_VARIANT, the namespace its copy lives in, so the copies (each built with
// its own compiler flags) never mix at link time. The headers it pulls in follow the same rule.
#pragma once

#ifndef VELMORA_FAST_VARIANT
#error "define VELMORA_FAST_VARIANT before including the fast search's per-build headers"
#endif

#include <atomic>
#include <cstdint>

#include "engine/bitboard_moves.h"
#include "engine/bitboard_ops.h"
#include "engine/bitboard_tables.h"
#include "engine/deep_searcher.h"
#include "engine/fast_searcher.h"
#include "engine/search_settings.h"

namespace velmora::VELMORA_FAST_VARIANT {

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
SearchResult DeepSearchVariant(const Board& board, int sideToMove, const SearchSettings& settings,
                               const std::atomic<bool>* stop, int threads) {
    const int depth = settings.Depth();
    // Deeper novice searches (no level makes them) can pass the root window inside the tree,
    // where only the literal tree's own cut-offs decide: the fast search walks that tree.
    if (settings.novice && depth > 1) {
        return FastSearchVariant<Size>(board, sideToMove, settings, stop);
    }
    static const std::atomic<bool> kNeverStop{false};
    const std::atomic<bool>& stopFlag = stop != nullptr ? *stop : kNeverStop;
    const BitboardTables<Size>& t = GetBitboardTables<Size>();
    const auto p = SideBits<Size>(board, sideToMove);
    const auto o = SideBits<Size>(board, Opponent(sideToMove));
    const unsigned corners = TakenCorners<Size>(p | o);
    if (settings.novice) {
        return settings.advanced
                   ? DeepRun<Size, true, true>(t, p, o, corners, depth, stopFlag, threads)
                   : DeepRun<Size, false, true>(t, p, o, corners, depth, stopFlag, threads);
    }
    return settings.advanced
               ? DeepRun<Size, true, false>(t, p, o, corners, depth, stopFlag, threads)
               : DeepRun<Size, false, false>(t, p, o, corners, depth, stopFlag, threads);
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
    const Flipper<Size> flipper(p, o);
    for (; moves != 0; moves &= moves - 1) {
        const int sq = LowestIndex(moves);
        const Bits flips = flipper(t, sq);
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
template SearchResult DeepSearchVariant<8>(const Board&, int, const SearchSettings&,
                                           const std::atomic<bool>*, int);
template SearchResult DeepSearchVariant<10>(const Board&, int, const SearchSettings&,
                                            const std::atomic<bool>*, int);
template std::uint64_t FastPerftVariant<8>(const Board&, int, int);
template std::uint64_t FastPerftVariant<10>(const Board&, int, int);

}  // namespace velmora::VELMORA_FAST_VARIANT
