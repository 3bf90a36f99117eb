// The bitboard search itself.
// Per-build code: see fast_search_impl.h.
#pragma once

#ifndef VELMORA_FAST_VARIANT
#error "define VELMORA_FAST_VARIANT before including the fast search's per-build headers"
#endif

#include <atomic>
#include <bit>
#include <cstdint>

#include "engine/bitboard_moves.h"
#include "engine/bitboard_ops.h"
#include "engine/bitboard_ranks.h"
#include "engine/bitboard_tables.h"
#include "engine/bitboard_weights.h"
#include "engine/search_settings.h"

namespace velmora::VELMORA_FAST_VARIANT {

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

  protected:
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

    // w is a HalfWeights table, bytes the same weights one byte each.
    static int WeightSum(Bits x, [[maybe_unused]] const std::int32_t* w,
                         [[maybe_unused]] const std::int8_t* bytes) {
#if defined(VELMORA_BYTE_WEIGHTS)
        return ByteWeightSum(x, bytes);
#endif
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
    [[gnu::always_inline]] Scores Play(const Scores& s, unsigned corners, unsigned childCorners,
                                       int sq, Bits flips, Bits mover, Bits other) const {
        const auto q = static_cast<std::size_t>(sq);
        if (childCorners == corners) {
            Scores child{s.diff + t_.weights[corners][q] +
                             2 * WeightSum(flips, t_.halfWeights[corners].data(),
                                           t_.byteWeights[corners].data()),
                         0};
            if (NeedBase && corners == 0) {
                child.base =
                    s.base + t_.cornerBase[q] +
                    2 * WeightSum(flips, t_.halfCornerBase.data(), t_.byteCornerBase.data());
            }
            return child;
        }
        // A corner move: from the corner table with the new corner's neighbours revalued.
        const bool first = corners == 0;
        const int before = first ? s.base : s.diff;
        const int placed = first ? t_.cornerBase[q] : t_.weights[corners][q];
        const int turned =
            first
                ? WeightSum(flips, t_.halfCornerBase.data(), t_.byteCornerBase.data())
                : WeightSum(flips, t_.halfWeights[corners].data(), t_.byteWeights[corners].data());
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

    // A leaf's Evaluate as far as its parent can tell: the leaf is compared with best and beta
    // only, and a value at or above beta is not used beyond the cutoff it causes (except at the
    // root, where it is the search's value). So the mobility count, the costly part, is left
    // out whenever a bound on it settles both comparisons.
    static int LeafValue(Bits mover, Bits other, int diff, int best, int beta, int ply) {
        if constexpr (Advanced) {
            if (other == 0) {
                return Evaluate(mover, other, diff);
            }
            // Mobility lies between 0 and the number of empty squares next to other's discs.
            const Bits empty = ~(mover | other) & BoardMask<Size>();
            const auto settled = [&](int bound, int& value) {
                const int high = Novice ? kWinScore - diff : diff + bound;
                const int low = Novice ? kWinScore - diff - bound : diff;
                value = high <= best ? high : low;
                return high <= best || (low >= beta && ply > 0);
            };
            int value = 0;
            if (settled(Popcount(empty), value) ||
                settled(Popcount(NeighbourSquares<Size>(other) & empty), value)) {
                return value;
            }
        }
        return Evaluate(mover, other, diff);
    }

    static int FinalScore(Bits side, Bits other) {
        const int diff = Popcount(side) - Popcount(other);
        if constexpr (Novice) {
            return kWinScore - diff;
        }
        return diff > 0 ? diff + kWinScore : diff < 0 ? diff - kWinScore : 0;
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
        // The interior loop, with its recursion, stays out of line, so that the last ply's loop
        // (inlined here) keeps its registers.
        return ply + 1 == depth_ ? Children<true>(p, o, moves, s, corners, beta, alpha, ply)
                                 : Interior(p, o, moves, s, corners, beta, alpha, ply);
    }

  private:
    [[gnu::noinline]] int Interior(Bits p, Bits o, Bits moves, const Scores& s, unsigned corners,
                                   int beta, int alpha, int ply) {
        return Children<false>(p, o, moves, s, corners, beta, alpha, ply);
    }

    // Tries p's moves in rank order, scoring each child where it stands when Leaves.
    template <bool Leaves>
    [[gnu::always_inline]] int Children(Bits p, Bits o, Bits moves, const Scores& s,
                                        unsigned corners, int beta, int alpha, int ply) {
        int best = alpha;
        // The ranks 64 bits at a time, lowest first.
        const OrderBits order = MoveRanks<Size>(t_, moves);
        const Flipper<Size> flipper(p, o);
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
                    const Bits flips = flipper(t_, sq);
                    const Bits mover = p | flips | SquareBit(sq);
                    const Bits other = o ^ flips;
                    const unsigned childCorners =
                        corners | t_.cornerFlag[static_cast<std::size_t>(sq)];
                    if constexpr (Leaves) {
                        v = LeafValue(
                            mover, other,
                            Play<false>(s, corners, childCorners, sq, flips, mover, other).diff,
                            best, beta, ply);
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

  protected:
    const Tables& t_;
    const int depth_;
    const std::atomic<bool>* const stop_;
    std::uint64_t nodes_ = 0;

  private:
    int bestRootBit_ = -1;
};

}  // namespace velmora::VELMORA_FAST_VARIANT
