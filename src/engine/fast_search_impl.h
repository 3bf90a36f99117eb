// The bitboard search, compiled once per instruction-set variant: each including file defines
// VELMORA_FAST_VARIANT, the namespace its copy lives in, so the copies never mix at link time.
// No include guard on purpose.
#ifndef VELMORA_FAST_VARIANT
#error "define VELMORA_FAST_VARIANT before including engine/fast_search_impl.h"
#endif

#include <atomic>
#include <bit>
#include <cstdint>
#if defined(__BMI__)
#include <immintrin.h>
#endif

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

inline int LowestIndex(std::uint64_t x) {
    return std::countr_zero(x);
}
inline int LowestIndex(U128 x) {
    const auto low = static_cast<std::uint64_t>(x);
    return low != 0 ? std::countr_zero(low)
                    : 64 + std::countr_zero(static_cast<std::uint64_t>(x >> 64));
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
[[gnu::always_inline]] inline typename BitLayout<Size>::Bits Moves(
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
[[gnu::always_inline]] inline typename BitLayout<Size>::Bits Flips(
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

    // Flipped sets are small: four unconditional steps (an empty set reads the zero weight
    // past the end) keep the loop's exit branch away from most of them.
    static int WeightSum(Bits x, const std::int32_t* w) {
        int sum = w[LowestIndex(x)];
        x &= x - 1;
        sum += w[LowestIndex(x)];
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
            const std::int32_t* w = t_.weights[corners].data();
            Scores child{s.diff + w[q] + 2 * WeightSum(flips, w), 0};
            if (NeedBase && corners == 0) {
                const std::int32_t* b = t_.cornerBase.data();
                child.base = s.base + b[q] + 2 * WeightSum(flips, b);
            }
            return child;
        }
        // A corner move: from the corner table with the new corner's neighbours revalued.
        const std::int32_t* w = corners == 0 ? t_.cornerBase.data() : t_.weights[corners].data();
        const int before = corners == 0 ? s.base : s.diff;
        const auto k = static_cast<std::size_t>(std::countr_zero(childCorners ^ corners));
        return {before + w[q] + 2 * WeightSum(flips, w) + CornerGain(k, mover, other), 0};
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

    // The move set in move-order rank space, four bits at a time (an empty set lands on the
    // spare rank, cleared at the end).
    OrderBits ToOrder(Bits moves) const {
        OrderBits order = 0;
        const auto* rank = t_.rankOfBit.data();
        do {
            order |= OrderBits{1} << rank[LowestIndex(moves)];
            moves &= moves - 1;
            order |= OrderBits{1} << rank[LowestIndex(moves)];
            moves &= moves - 1;
            order |= OrderBits{1} << rank[LowestIndex(moves)];
            moves &= moves - 1;
            order |= OrderBits{1} << rank[LowestIndex(moves)];
            moves &= moves - 1;
        } while (moves != 0);
        return order & ~(OrderBits{1} << Tables::kSpareRank);
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
        for (OrderBits order = ToOrder(moves); order != 0; order &= order - 1) {
            const int sq = t_.bitOfRank[static_cast<std::size_t>(LowestIndex(order))];
            ++nodes_;
            int v = 0;
            if (!Stopped()) {
                const Bits flips = Flips<Size>(t_, sq, p, o);
                const Bits mover = p | flips | (Bits{1} << sq);
                const Bits other = o ^ flips;
                const unsigned childCorners = corners | t_.cornerFlag[static_cast<std::size_t>(sq)];
                if (leaves) {
                    v = Evaluate(
                        mover, other,
                        Play<false>(s, corners, childCorners, sq, flips, mover, other).diff);
                } else {
                    const Scores m = Play<true>(s, corners, childCorners, sq, flips, mover, other);
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
