// The exact endgame solver over the fast search's bitboards.
// Per-build code: see fast_search_impl.h.
#pragma once

#ifndef VELMORA_FAST_VARIANT
#error "define VELMORA_FAST_VARIANT before including the fast search's per-build headers"
#endif

#include <atomic>
#include <cstdint>

#include "engine/bitboard_moves.h"
#include "engine/bitboard_ops.h"
#include "engine/bitboard_tables.h"
#include "engine/endgame_solver.h"
#include "engine/endgame_table.h"

namespace velmora::VELMORA_FAST_VARIANT {

// Negamax with alpha-beta on the final disc difference (empty squares count for nobody).
// The root closes in on the value with null-window tests. Far from the end: transposition
// table with a look-up of the children before searching them, principal variation search and
// fastest-first order (the move that leaves the opponent the fewest replies first). Near the
// end the order follows region parity: moves into a quadrant with an odd number of empties
// first, since whoever plays last in a region tends to keep it. (Ordering by a shallow search
// with the game's evaluation was tried near the root: it cost more nodes than it saved.)
template <int Size>
class ExactSolver {
  public:
    using Bits = typename BitLayout<Size>::Bits;
    using Tables = BitboardTables<Size>;

    ExactSolver(const Tables& tables, SolverTable<Size>& table, const std::atomic<bool>& stop)
        : t_(tables), table_(table), stop_(stop) {}

    SolveResult Run(Bits p, Bits o) {
        SolveResult result;
        const int empties = Popcount(~(p | o) & kBoard);
        int bestBit = -1;
        const int value = empties > kParityEmpties
                              ? ZeroWindowRoot(p, o, empties, &bestBit)
                              : Search(p, o, -kInfinity, kInfinity, false, empties);
        result.stopped = Stopped();
        if (!result.stopped) {
            result.value = value;
            if (bestBit < 0 && empties <= kParityEmpties) {
                bestBit = BestBitByTrial(p, o, value, empties);
            }
            result.move = bestBit < 0 ? NoMove : t_.squareOfBit[static_cast<std::size_t>(bestBit)];
        }
        result.nodes = nodes_;
        return result;
    }

  private:
    static constexpr Bits kBoard = BoardMask<Size>();
    static constexpr int kInfinity = 127;
    // Up to this many empties the order is by parity alone, and the empties are tried one by
    // one instead of generating the moves.
    static constexpr int kParityEmpties = 5;
    // From this many empties on, positions go through the transposition table.
    static constexpr int kTableEmpties = 8;
    // From this many empties on, the children are looked up before any is searched.
    static constexpr int kEtcEmpties = 10;
    // Stable discs are counted only where the bound they give could cut.
    static constexpr int kStabilityAlpha = 0;
    static constexpr int kMaxMoves = Size == 8 ? 40 : 64;

    struct Candidate {
        Bits flips;
        int bit;
        int score;
    };

    static constexpr Bits CornerMask() {
        constexpr int w = BitLayout<Size>::kWidth;
        return Bits{1} | Bits{1} << (Size - 1) | Bits{1} << ((Size - 1) * w) |
               Bits{1} << ((Size - 1) * w + Size - 1);
    }

    // The four quadrants, for region parity.
    static constexpr Bits Quadrant(int q) {
        constexpr int w = BitLayout<Size>::kWidth;
        constexpr int half = Size / 2;
        Bits mask = 0;
        for (int row = 0; row < half; ++row) {
            for (int column = 0; column < half; ++column) {
                const int r = row + (q / 2) * half;
                const int c = column + (q % 2) * half;
                mask |= Bits{1} << (r * w + c);
            }
        }
        return mask;
    }

    bool Stopped() const { return stop_.load(std::memory_order_relaxed); }

    // Every line of the board in one direction (rows, columns, and both diagonals).
    struct Lines {
        Bits masks[2 * Size] = {};
        int count = 0;
    };
    static constexpr Lines LinesAlong(int dc, int dr) {
        constexpr int w = BitLayout<Size>::kWidth;
        Lines lines;
        for (int row = 0; row < Size; ++row) {
            for (int column = 0; column < Size; ++column) {
                // A line starts where the step back leaves the board.
                const int pc = column - dc;
                const int pr = row - dr;
                if (pc >= 0 && pc < Size && pr >= 0 && pr < Size) {
                    continue;
                }
                Bits mask = 0;
                for (int c = column, r = row; c >= 0 && c < Size && r >= 0 && r < Size;
                     c += dc, r += dr) {
                    mask |= Bits{1} << (r * w + c);
                }
                lines.masks[lines.count++] = mask;
            }
        }
        return lines;
    }

    static Bits FullLines(const Lines& lines, Bits filled) {
        Bits full = 0;
        for (int i = 0; i < lines.count; ++i) {
            full |= (filled & lines.masks[i]) == lines.masks[i] ? lines.masks[i] : Bits{0};
        }
        return full;
    }

    // Discs of x that can never be turned: those whose four lines are all full, and runs
    // along an edge from a corner x holds.
    static Bits StableDiscs(Bits x, Bits filled) {
        Bits stable = x & FullLines(kRows, filled) & FullLines(kColumns, filled) &
                      FullLines(kDiagonals, filled) & FullLines(kAntiDiagonals, filled);
        constexpr int w = BitLayout<Size>::kWidth;
        constexpr int corners[4][3] = {{0, 1, w},
                                       {Size - 1, -1, w},
                                       {(Size - 1) * w, 1, -w},
                                       {(Size - 1) * w + Size - 1, -1, -w}};
        for (const auto& corner : corners) {
            if ((x & (Bits{1} << corner[0])) == 0) {
                continue;
            }
            for (int d = 1; d < 3; ++d) {
                for (int i = 0, bit = corner[0]; i < Size && (x & (Bits{1} << bit)) != 0;
                     ++i, bit += corner[d]) {
                    stable |= Bits{1} << bit;
                }
            }
        }
        return stable;
    }

    Bits SquareBit(int bit) const {
        if constexpr (Size == 8) {
            return Bits{1} << bit;
        } else {
            return t_.squareBit[static_cast<std::size_t>(bit)];
        }
    }

    static int Final(Bits p, Bits o) { return Popcount(p) - Popcount(o); }

    // One empty square left: whoever can play it does; otherwise the game ends as it stands.
    int LastSquare(Bits p, Bits o) {
        ++nodes_;
        const Bits empty = ~(p | o) & kBoard;
        const int bit = static_cast<int>(LowestIndex(empty));
        const Bits mine = Flipper<Size>(p, o)(t_, bit);
        if (mine != 0) {
            return Final(p | mine | empty, o ^ mine);
        }
        const Bits theirs = Flipper<Size>(o, p)(t_, bit);
        if (theirs != 0) {
            return Final(p ^ theirs, o | theirs | empty);
        }
        return Final(p, o);
    }

    int Search(Bits p, Bits o, int alpha, int beta, bool passed, int empties) {
        if (empties > kParityEmpties) {
            return Deep(p, o, alpha, beta, passed, empties, nullptr);
        }
        if (empties == 1) {
            return LastSquare(p, o);
        }
        if (empties == 0) {
            ++nodes_;
            return Final(p, o);
        }
        return Tail(p, o, alpha, beta, passed, empties);
    }

    // After a pass by the side to move: the game ends if the opponent cannot move either.
    int Pass(Bits p, Bits o, int alpha, int beta, bool passed, int empties) {
        if (passed) {
            return Final(p, o);
        }
        return -Search(o, p, -beta, -alpha, true, empties);
    }

    // Quadrants holding an odd number of empties.
    static Bits OddRegions(Bits empty) {
        Bits odd = 0;
        for (int q = 0; q < 4; ++q) {
            if ((Popcount(empty & kQuadrants[q]) & 1) != 0) {
                odd |= kQuadrants[q];
            }
        }
        return odd;
    }

    // The last few empties: each is tried directly, cheaper than generating the moves.
    int Tail(Bits p, Bits o, int alpha, int beta, bool passed, int empties) {
        ++nodes_;
        const Bits empty = ~(p | o) & kBoard;
        const Bits odd = OddRegions(empty);
        const Flipper<Size> flipper(p, o);
        int best = -kInfinity;
        bool moved = false;
        for (const Bits part : {empty & odd, empty & ~odd}) {
            for (Bits m = part; m != 0; m &= m - 1) {
                const int bit = static_cast<int>(LowestIndex(m));
                const Bits flips = flipper(t_, bit);
                if (flips == 0) {
                    continue;
                }
                moved = true;
                const Bits mover = o ^ flips;
                const Bits other = p | flips | SquareBit(bit);
                const int v = empties == 2 ? -LastSquare(mover, other)
                                           : -Tail(mover, other, -beta, -alpha, false, empties - 1);
                if (v > best) {
                    best = v;
                    if (v > alpha) {
                        alpha = v;
                        if (alpha >= beta) {
                            return best;
                        }
                    }
                }
            }
        }
        if (!moved) {
            return passed ? Final(p, o) : -Tail(o, p, -beta, -alpha, true, empties);
        }
        return best;
    }

    // The opponent's replies after each move, fewest first; corners count double because
    // giving one away costs most. The table's move goes first of all.
    int OrderMoves(Bits p, Bits o, Bits moves, int tableBit, Candidate* list) {
        const Flipper<Size> flipper(p, o);
        const Bits odd = OddRegions(~(p | o) & kBoard);
        int n = 0;
        for (Bits m = moves; m != 0; m &= m - 1) {
            const int bit = static_cast<int>(LowestIndex(m));
            const Bits flips = flipper(t_, bit);
            const Bits mover = o ^ flips;
            const Bits other = p | flips | SquareBit(bit);
            const Bits replies = Moves<Size>(mover, other);
            int score = 0;
            if (bit == tableBit) {
                score = -1000000;
            } else {
                // Potential mobility: the empties next to our discs are where the opponent
                // may find replies later.
                const Bits empty = ~(mover | other) & kBoard;
                score = 16 * (Popcount(replies) + Popcount(replies & kCorners)) +
                        2 * Popcount(NeighbourSquares<Size>(other) & empty) -
                        ((SquareBit(bit) & kCorners) != 0 ? 8 : 0) -
                        ((SquareBit(bit) & odd) != 0 ? 4 : 0);
            }
            // Insertion keeps the list sorted; it is short.
            int i = n++;
            while (i > 0 && list[i - 1].score > score) {
                list[i] = list[i - 1];
                --i;
            }
            list[i] = Candidate{flips, bit, score};
        }
        return n;
    }

    int Deep(Bits p, Bits o, int alpha, int beta, bool passed, int empties, int* bestBitOut) {
        ++nodes_;
        if (Stopped()) {
            return 0;
        }
        const bool useTable = empties >= kTableEmpties;
        const SolverEntry<Size>* entry = useTable ? table_.Find(p, o) : nullptr;
        int tableBit = -1;
        int lower = -kInfinity;
        int upper = kInfinity;
        if (entry != nullptr) {
            lower = entry->lower;
            upper = entry->upper;
            tableBit = entry->bestBit;
            // The root wants its move as well as its value, so it always searches.
            if (bestBitOut == nullptr) {
                if (lower >= beta || lower == upper) {
                    return lower;
                }
                if (upper <= alpha) {
                    return upper;
                }
                alpha = alpha > lower ? alpha : lower;
                beta = beta < upper ? beta : upper;
            }
        }
        // The opponent's stable discs bound what the side to move can reach.
        if (bestBitOut == nullptr && alpha >= kSquares - 2 * Popcount(o) &&
            alpha >= kStabilityAlpha) {
            const int ceiling = kSquares - 2 * Popcount(StableDiscs(o, p | o));
            if (ceiling <= alpha) {
                return ceiling;
            }
        }
        const Bits moves = Moves<Size>(p, o);
        if (moves == 0) {
            return Pass(p, o, alpha, beta, passed, empties);
        }
        Candidate list[kMaxMoves];
        const int n = OrderMoves(p, o, moves, tableBit, list);
        // A child the table already knows to be bad enough for the opponent cuts at once.
        if (empties >= kEtcEmpties && bestBitOut == nullptr) {
            for (int i = 0; i < n; ++i) {
                const SolverEntry<Size>* child =
                    table_.Find(o ^ list[i].flips, p | list[i].flips | SquareBit(list[i].bit));
                if (child != nullptr && -child->upper >= beta) {
                    return -child->upper;
                }
            }
        }
        const int alphaIn = alpha;
        int best = -kInfinity;
        int bestBit = list[0].bit;
        for (int i = 0; i < n; ++i) {
            const Candidate& c = list[i];
            const Bits mover = o ^ c.flips;
            const Bits other = p | c.flips | SquareBit(c.bit);
            int v = 0;
            if (i == 0) {
                v = -Search(mover, other, -beta, -alpha, false, empties - 1);
            } else {
                v = -Search(mover, other, -alpha - 1, -alpha, false, empties - 1);
                if (v > alpha && v < beta) {
                    v = -Search(mover, other, -beta, -alpha, false, empties - 1);
                }
            }
            if (v > best) {
                best = v;
                bestBit = c.bit;
                if (v > alpha) {
                    alpha = v;
                    if (alpha >= beta) {
                        break;
                    }
                }
            }
        }
        if (Stopped()) {
            return 0;
        }
        if (bestBitOut != nullptr) {
            *bestBitOut = bestBit;
        }
        if (!useTable) {
            return best;
        }
        // Bounds from this search, narrowed by what the entry already knew of this position.
        SolverEntry<Size> stored{p,
                                 o,
                                 static_cast<std::int8_t>(lower),
                                 static_cast<std::int8_t>(upper),
                                 static_cast<std::int8_t>(bestBit),
                                 static_cast<std::uint8_t>(empties)};
        if (best <= alphaIn) {
            stored.upper = static_cast<std::int8_t>(best);
        } else if (best >= beta) {
            stored.lower = static_cast<std::int8_t>(best);
        } else {
            stored.lower = stored.upper = static_cast<std::int8_t>(best);
        }
        table_.Store(stored);
        return best;
    }

    // The root by null-window tests that close in on the value (each test's fail-soft bound
    // is the next guess); with the table they cost much less than one full-window search.
    // The test that raised the lower bound to the value found a move worth it.
    int ZeroWindowRoot(Bits p, Bits o, int empties, int* bestBit) {
        int lower = -kInfinity;
        int upper = kInfinity;
        int guess = 0;
        while (lower < upper && !Stopped()) {
            const int beta = guess == lower ? guess + 1 : guess;
            int bit = -1;
            const int v = Deep(p, o, beta - 1, beta, false, empties, &bit);
            if (v < beta) {
                upper = v;
            } else {
                lower = v;
                *bestBit = bit;
            }
            guess = v;
        }
        return lower;
    }

    // For a root too small for the table: the first move whose child has the root's value.
    int BestBitByTrial(Bits p, Bits o, int value, int empties) {
        const Flipper<Size> flipper(p, o);
        for (Bits m = Moves<Size>(p, o); m != 0; m &= m - 1) {
            const int bit = static_cast<int>(LowestIndex(m));
            const Bits flips = flipper(t_, bit);
            if (-Search(o ^ flips, p | flips | SquareBit(bit), -kInfinity, kInfinity, false,
                        empties - 1) == value) {
                return bit;
            }
        }
        return -1;
    }

    static constexpr Bits kCorners = CornerMask();
    static constexpr Lines kRows = LinesAlong(1, 0);
    static constexpr Lines kColumns = LinesAlong(0, 1);
    static constexpr Lines kDiagonals = LinesAlong(1, 1);
    static constexpr Lines kAntiDiagonals = LinesAlong(-1, 1);
    static constexpr int kSquares = Size * Size;
    static constexpr Bits kQuadrants[4] = {Quadrant(0), Quadrant(1), Quadrant(2), Quadrant(3)};

    const Tables& t_;
    SolverTable<Size>& table_;
    const std::atomic<bool>& stop_;
    std::uint64_t nodes_ = 0;
};

template <int Size>
typename BitLayout<Size>::Bits SolverSideBits(const Board& board, int side) {
    const BitboardTables<Size>& t = GetBitboardTables<Size>();
    typename BitLayout<Size>::Bits bits = 0;
    for (const int square : SquareList(Size)) {
        if (board[static_cast<std::size_t>(square)] == side) {
            bits |= t.squareBit[static_cast<std::size_t>(
                t.bitOfSquare[static_cast<std::size_t>(square)])];
        }
    }
    return bits;
}

template <int Size>
SolveResult SolveVariant(SolverTable<Size>& table, const Board& board, int sideToMove,
                         const std::atomic<bool>* stop) {
    static const std::atomic<bool> kNeverStop{false};
    return ExactSolver<Size>(GetBitboardTables<Size>(), table, stop != nullptr ? *stop : kNeverStop)
        .Run(SolverSideBits<Size>(board, sideToMove),
             SolverSideBits<Size>(board, Opponent(sideToMove)));
}

template SolveResult SolveVariant<8>(SolverTable<8>&, const Board&, int, const std::atomic<bool>*);
template SolveResult SolveVariant<10>(SolverTable<10>&, const Board&, int,
                                      const std::atomic<bool>*);

}  // namespace velmora::VELMORA_FAST_VARIANT
