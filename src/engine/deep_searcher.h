// The deep search: the literal search's move and value from a much smaller tree.
// Per-build code: see fast_search_impl.h.
#pragma once

#ifndef VELMORA_FAST_VARIANT
#error "define VELMORA_FAST_VARIANT before including the fast search's per-build headers"
#endif

#include <array>
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <system_error>
#include <thread>
#include <utility>
#include <vector>

#include "engine/deep_table.h"
#include "engine/fast_searcher.h"

namespace velmora::VELMORA_FAST_VARIANT {

// Above every value a search at depth 2 or more can reach: leaves score at most 32000 plus
// the disc margin, or the weight and mobility sums, far below it.
constexpr int kDeepInfinity = 32767;
// Below this many plies left, ordering moves costs more than it saves.
constexpr int kOrderDepth = 3;
// Nodes with this many plies left or more go into the table.
constexpr int kTableMin = 3;
// Below this many plies left, looking up the move a shallower search found costs more than
// it saves.
constexpr int kHintMin = 3;
// The weight of the opponent's reply count in the order of moves.
constexpr int kMobilityWeight = 4;

// Alpha-beta with fail-soft bounds, a transposition table and move ordering. Every value it
// returns is the exact minimax value of the literal search's depth-limited tree when it lies
// inside the window, and otherwise a bound on the far side of the window; which tree it
// walks, and in which order, changes only the work. Leaves are scored by the fast search's
// code, so they are the literal search's scores.
template <int Size, bool Advanced, bool Novice>
class DeepSearcher : public FastSearcher<Size, Advanced, Novice> {
    using Base = FastSearcher<Size, Advanced, Novice>;

  public:
    using Bits = typename Base::Bits;
    using Tables = typename Base::Tables;
    using typename Base::Scores;

    // A root move and the position it leads to.
    struct Child {
        int bit;
        Bits mover;
        Bits other;
        Scores scores;  // the mover's
        unsigned corners;
    };

    DeepSearcher(const Tables& t, int depth, const std::atomic<bool>& stop, DeepTable<Size>& table)
        : Base(t, depth, stop), table_(table) {}

    // p's moves in the fixed move order, each played.
    std::vector<Child> RootChildren(Bits p, Bits o, unsigned corners) const {
        const Tables& t = this->t_;
        const Scores s{Base::WeightDiff(p, o, t.weights[corners].data()),
                       Base::WeightDiff(p, o, t.cornerBase.data())};
        std::vector<Child> children;
        const auto order = MoveRanks<Size>(t, Moves<Size>(p, o) & t.moveOrderMask);
        const Flipper<Size> flipper(p, o);
        for (int rank = 0; rank < BitLayout<Size>::kBits; ++rank) {
            if (((order >> rank) & 1) == 0) {
                continue;
            }
            const int sq = t.bitOfRank[static_cast<std::size_t>(rank)];
            const Bits flips = flipper(t, sq);
            const Bits mover = p | flips | this->SquareBit(sq);
            const Bits other = o ^ flips;
            const unsigned childCorners = corners | t.cornerFlag[static_cast<std::size_t>(sq)];
            children.push_back(
                {sq, mover, other,
                 this->template Play<true>(s, corners, childCorners, sq, flips, mover, other),
                 childCorners});
        }
        return children;
    }

    // The value of a root child from the root mover's side, with plies left after it.
    int ChildValue(const Child& c, int alpha, int beta, int plies) {
        if (plies == 0) {
            return Base::Evaluate(c.mover, c.other, c.scores.diff);
        }
        return -Search(c.other, c.mover, Scores{-c.scores.diff, -c.scores.base}, c.corners, false,
                       -beta, -alpha, plies);
    }

    // The index and value of the best child at a shallower depth, trying first the one given:
    // only to order the real search and to guess its value.
    std::pair<std::size_t, int> BestChildAt(const std::vector<Child>& children, std::size_t first,
                                            int plies) {
        int best = -kDeepInfinity;
        std::size_t bestIndex = first;
        for (std::size_t n = 0; n < children.size() && !Stopped(); ++n) {
            const std::size_t i = n == 0 ? first : n <= first ? n - 1 : n;
            int v = 0;
            if (n == 0) {
                v = ChildValue(children[i], -kDeepInfinity, kDeepInfinity, plies);
            } else {
                v = ChildValue(children[i], best, best + 1, plies);
                if (v > best) {
                    v = ChildValue(children[i], best, kDeepInfinity, plies);
                }
            }
            if (v > best) {
                best = v;
                bestIndex = i;
            }
        }
        return {bestIndex, best};
    }

    bool Stopped() const { return Base::Stopped(); }
    std::uint64_t Nodes() const { return this->nodes_; }
    static int FinalScore(Bits side, Bits other) { return Base::FinalScore(side, other); }

  private:
    using OrderBits = typename Base::OrderBits;

    // A node from p's side (p to move, o having moved or passed into it), plies left.
    int Search(Bits p, Bits o, const Scores& s, unsigned corners, bool passed, int alpha, int beta,
               int plies) {
        ++this->nodes_;
        if (Stopped()) {
            return 0;
        }
        if (plies >= kTableMin) {
            // The table entry is likely far away in memory: fetch it while the moves are found.
            __builtin_prefetch(&BucketOf(p, o, plies));
        }
        const Bits moves = Moves<Size>(p, o) & this->t_.moveOrderMask;
        // A pass into the last ply.
        if (plies == 0) {
            return -(moves != 0 ? Base::Evaluate(o, p, -s.diff) : Base::FinalScore(o, p));
        }
        if (moves == 0) {
            // Two passes in a row end the game; one pass costs a ply.
            if (passed) {
                return -Base::FinalScore(o, p);
            }
            return -Search(o, p, Scores{-s.diff, -s.base}, corners, true, -beta, -alpha, plies - 1);
        }
        if (plies == 1) {
            return LeafParent(p, o, moves, s, corners, alpha, beta);
        }
        return Interior(p, o, moves, s, corners, alpha, beta, plies);
    }

    // The children are leaves: tried in the fixed order, each scored where it stands.
    int LeafParent(Bits p, Bits o, Bits moves, const Scores& s, unsigned corners, int alpha,
                   int beta) {
        const Tables& t = this->t_;
        int best = -kDeepInfinity;
        const Flipper<Size> flipper(p, o);
        ForEachRanked(MoveRanks<Size>(t, moves), [&](int sq) {
            ++this->nodes_;
            const Bits flips = flipper(t, sq);
            const Bits mover = p | flips | this->SquareBit(sq);
            const Bits other = o ^ flips;
            const unsigned childCorners = corners | t.cornerFlag[static_cast<std::size_t>(sq)];
            const int diff =
                this->template Play<false>(s, corners, childCorners, sq, flips, mover, other).diff;
            // The leaf is only compared with the bound and beta, so a bound on its mobility
            // that settles both is as good as the count.
            const int v = Base::LeafValue(mover, other, diff, best > alpha ? best : alpha, beta, 1);
            if (v > best) {
                best = v;
            }
            return best >= beta;
        });
        return best;
    }

    // Calls f(square) for each move of the rank set in the fixed order until f says stop.
    template <typename F>
    [[gnu::always_inline]] void ForEachRanked(OrderBits order, F&& f) const {
        for (int base = 0; base < BitLayout<Size>::kBits; base += 64) {
            std::uint64_t part = 0;
            if constexpr (Size == 8) {
                part = order;
            } else {
                part = static_cast<std::uint64_t>(base == 0 ? order : order >> 64);
            }
            for (; part != 0; part &= part - 1) {
                if (f(this->t_.bitOfRank[static_cast<std::size_t>(base + LowestIndex(part))])) {
                    return;
                }
            }
        }
    }

    int Interior(Bits p, Bits o, Bits moves, const Scores& s, unsigned corners, int alpha, int beta,
                 int plies) {
        const Tables& t = this->t_;
        int hint = -1;
        if (plies >= kTableMin) {
            int lower = -kDeepInfinity;
            int upper = kDeepInfinity;
            if (Probe(p, o, plies, lower, upper, hint)) {
                if (lower >= beta) {
                    return lower;
                }
                if (upper <= alpha) {
                    return upper;
                }
                if (lower == upper) {
                    return lower;
                }
            }
        }
        if (hint < 0 && plies >= kHintMin) {
            hint = Hint(p, o);
        }
        if (hint >= 0 && (moves & this->SquareBit(hint)) == 0) {
            hint = -1;
        }
        int best = -kDeepInfinity;
        int bestSquare = -1;
        int a = alpha;
        int tried = 0;
        const Flipper<Size> flipper(p, o);
        // Plays sq and searches the child, the first with the full window and the others
        // with a null window first; true when done (a cut-off or a stop).
        const auto tryMove = [&](int sq, Bits flips) {
            const Bits mover = p | flips | this->SquareBit(sq);
            const Bits other = o ^ flips;
            const unsigned childCorners = corners | t.cornerFlag[static_cast<std::size_t>(sq)];
            const Scores m =
                this->template Play<true>(s, corners, childCorners, sq, flips, mover, other);
            const Scores childScores{-m.diff, -m.base};
            int v = 0;
            if (tried++ == 0) {
                v = -Search(other, mover, childScores, childCorners, false, -beta, -a, plies - 1);
            } else {
                v = -Search(other, mover, childScores, childCorners, false, -a - 1, -a, plies - 1);
                if (v > a && v < beta) {
                    v = -Search(other, mover, childScores, childCorners, false, -beta, -a,
                                plies - 1);
                }
            }
            if (v > best) {
                best = v;
                bestSquare = sq;
                a = v > a ? v : a;
            }
            return a >= beta || Stopped();
        };
        if (plies < kOrderDepth) {
            // Near the leaves ordering costs more than it saves: the remembered move, then
            // the fixed order, each move's flips found only when it is tried.
            if (hint < 0 || !tryMove(hint, flipper(t, hint))) {
                ForEachRanked(MoveRanks<Size>(t, moves),
                              [&](int sq) { return sq != hint && tryMove(sq, flipper(t, sq)); });
            }
        } else {
            // Likely best first: the remembered move, then by the mover's weights after the
            // move, less the replies left to the opponent.
            std::array<int, BitLayout<Size>::kBits> squares;
            std::array<int, BitLayout<Size>::kBits> keys;
            std::array<Bits, BitLayout<Size>::kBits> flipSets;
            std::size_t count = 0;
            ForEachRanked(MoveRanks<Size>(t, moves), [&](int sq) {
                const Bits flips = flipper(t, sq);
                int key = 1 << 20;
                if (sq != hint) {
                    const Bits mover = p | flips | this->SquareBit(sq);
                    const Bits other = o ^ flips;
                    const unsigned childCorners =
                        corners | t.cornerFlag[static_cast<std::size_t>(sq)];
                    key = this->template Play<false>(s, corners, childCorners, sq, flips, mover,
                                                     other)
                              .diff -
                          kMobilityWeight * Popcount(Moves<Size>(other, mover) & t.moveOrderMask);
                }
                squares[count] = sq;
                keys[count] = key;
                flipSets[count] = flips;
                ++count;
                return false;
            });
            for (std::size_t i = 0; i < count; ++i) {
                // Selection as we go: a cut-off usually comes before the list is sorted.
                std::size_t pick = i;
                for (std::size_t j = i + 1; j < count; ++j) {
                    pick = keys[j] > keys[pick] ? j : pick;
                }
                std::swap(squares[i], squares[pick]);
                std::swap(keys[i], keys[pick]);
                std::swap(flipSets[i], flipSets[pick]);
                if (tryMove(squares[i], flipSets[i])) {
                    break;
                }
            }
        }
        if (Stopped()) {
            return 0;
        }
        if (plies >= kTableMin) {
            Store(p, o, plies, best > alpha ? best : -kDeepInfinity,
                  best < beta ? best : kDeepInfinity, bestSquare);
        }
        return best;
    }

    static std::uint64_t PositionHash(Bits p, Bits o) {
        std::uint64_t h = 0;
        if constexpr (Size == 8) {
            h = p * 0x9E3779B97F4A7C15ULL + o * 0xC2B2AE3D27D4EB4FULL;
        } else {
            h = static_cast<std::uint64_t>(p) * 0x9E3779B97F4A7C15ULL +
                static_cast<std::uint64_t>(p >> 64) * 0xD6E8FEB86659FD93ULL +
                static_cast<std::uint64_t>(o) * 0xC2B2AE3D27D4EB4FULL +
                static_cast<std::uint64_t>(o >> 64) * 0x165667B19E3779F9ULL;
        }
        h ^= h >> 31;
        h *= 0xBF58476D1CE4E5B9ULL;
        return h ^ (h >> 29);
    }

    DeepBucket<Size>& BucketOf(Bits p, Bits o, int plies) const {
        const std::uint64_t h = PositionHash(p, o) + static_cast<std::uint64_t>(plies) * 0x9E37;
        return table_.buckets[static_cast<std::size_t>(h) & table_.bucketMask];
    }

    static void Lock(DeepBucket<Size>& b) {
        while (b.lock.exchange(1, std::memory_order_acquire) != 0) {
            while (b.lock.load(std::memory_order_relaxed) != 0) {
                std::this_thread::yield();
            }
        }
    }
    static void Unlock(DeepBucket<Size>& b) { b.lock.store(0, std::memory_order_release); }

    bool Matches(const DeepEntry<Size>& e, Bits p, Bits o, int plies) const {
        return e.generation == table_.generation && e.depth == plies && e.mover == p &&
               e.other == o;
    }

    bool Probe(Bits p, Bits o, int plies, int& lower, int& upper, int& move) const {
        DeepBucket<Size>& b = BucketOf(p, o, plies);
        Lock(b);
        bool found = false;
        for (const DeepEntry<Size>& e : b.entries) {
            if (Matches(e, p, o, plies)) {
                lower = e.lower;
                upper = e.upper;
                move = e.move;
                found = true;
                break;
            }
        }
        Unlock(b);
        return found;
    }

    void Store(Bits p, Bits o, int plies, int lower, int upper, int move) {
        DeepBucket<Size>& b = BucketOf(p, o, plies);
        Lock(b);
        DeepEntry<Size>* slot = nullptr;
        for (DeepEntry<Size>& e : b.entries) {
            if (Matches(e, p, o, plies)) {
                // Both bounds hold: keep the tighter ones.
                lower = lower > e.lower ? lower : e.lower;
                upper = upper < e.upper ? upper : e.upper;
                slot = &e;
                break;
            }
        }
        if (slot == nullptr) {
            DeepEntry<Size>& first = b.entries[0];
            slot = first.generation != table_.generation || first.depth <= plies ? &first
                                                                                 : &b.entries[1];
        }
        *slot = {p,
                 o,
                 static_cast<std::int16_t>(lower),
                 static_cast<std::int16_t>(upper),
                 table_.generation,
                 static_cast<std::uint8_t>(plies),
                 static_cast<std::int8_t>(move)};
        Unlock(b);
        const std::uint64_t h = PositionHash(p, o);
        table_.hints[static_cast<std::size_t>(h) & table_.hintMask].store(
            static_cast<std::uint32_t>(h >> 40) << 8 | static_cast<std::uint32_t>(move & 0xFF),
            std::memory_order_relaxed);
    }

    int Hint(Bits p, Bits o) const {
        const std::uint64_t h = PositionHash(p, o);
        const std::uint32_t entry =
            table_.hints[static_cast<std::size_t>(h) & table_.hintMask].load(
                std::memory_order_relaxed);
        return entry >> 8 == static_cast<std::uint32_t>(h >> 40) && (entry & 0xFF) != 0xFF
                   ? static_cast<int>(entry & 0xFF)
                   : -1;
    }

    DeepTable<Size>& table_;
};

// One search's root: the literal search's answer from the root children's values. Its root
// keeps the first move whose value is strictly greater than the best so far, starting from
// -kSearchWindow, and stops at a value of kSearchWindow or more; so the move is the first
// in the fixed order with the greatest value, except that at depth 1 (where the children are
// leaves and novice values can pass kSearchWindow) the scan itself is replayed.
template <int Size, bool Advanced, bool Novice>
SearchResult DeepRun(const BitboardTables<Size>& t, typename BitLayout<Size>::Bits p,
                     typename BitLayout<Size>::Bits o, unsigned corners, int depth,
                     const std::atomic<bool>& stop, int threads) {
    using Searcher = DeepSearcher<Size, Advanced, Novice>;
    using Child = typename Searcher::Child;
    DeepTableLease<Size> lease;
    Searcher main(t, depth, stop, *lease);
    SearchResult result;
    const std::vector<Child> children = main.RootChildren(p, o, corners);
    std::uint64_t helperNodes = 0;
    int bestIndex = -1;
    int bestValue = -kSearchWindow;
    if (children.empty()) {
        // Neither a move nor a pass to make at the root: the game is over.
        bestValue = -Searcher::FinalScore(o, p);
    } else if (depth == 1) {
        for (std::size_t i = 0; i < children.size(); ++i) {
            const int v = main.ChildValue(children[i], 0, 0, 0);
            if (v > bestValue) {
                bestValue = v;
                bestIndex = static_cast<int>(i);
                if (v >= kSearchWindow) {
                    break;
                }
            }
        }
    } else {
        // Shallower searches pick the move most likely best, whose value then bounds the
        // tests of all the others, and guess that value (from a depth of the same parity).
        std::size_t first = 0;
        int guess = 0;
        for (int plies = 1; plies < depth - 1 && !main.Stopped(); ++plies) {
            const auto [index, value] = main.BestChildAt(children, first, plies);
            first = index;
            guess = plies == depth - 3 || plies == 1 ? value : guess;
        }

        // Every other move, in the fixed order, is tested against the best so far: an earlier
        // move must reach the best value to displace it, a later one must pass it. The tests
        // run on several threads, each against the best known when it starts (before the
        // first move's value is known, against the guess); their outcomes are taken in the
        // fixed order, so the answer is the same on any number of threads. An exact value
        // always counts; a test that failed low counts when its bound is at most the one the
        // move must pass by then, and is run again otherwise.
        struct Outcome {
            bool ready = false;
            bool exact = false;
            int value = 0;  // the exact value, or the bound the move's value is at most
        };
        std::vector<std::size_t> order;
        for (std::size_t i = 0; i < children.size(); ++i) {
            if (i != first) {
                order.push_back(i);
            }
        }
        std::vector<Outcome> outcomes(order.size());
        std::vector<std::size_t> again;
        std::mutex mutex;
        std::condition_variable changed;
        bool bounded = false;  // the first move's value is in bestValue
        bool abandoned = false;
        std::size_t next = 0;
        std::size_t resolved = 0;
        const auto threshold = [&](std::size_t i) {
            return !bounded ? guess : static_cast<int>(i) < bestIndex ? bestValue - 1 : bestValue;
        };
        // Takes the outcomes in order as far as they go; called with the mutex held.
        const auto resolve = [&] {
            for (; bounded && resolved < order.size() && outcomes[resolved].ready; ++resolved) {
                Outcome& r = outcomes[resolved];
                const auto i = static_cast<int>(order[resolved]);
                if (!r.exact && r.value > threshold(order[resolved])) {
                    r.ready = false;
                    again.push_back(resolved);
                    break;
                }
                if (r.exact && (r.value > bestValue || (r.value == bestValue && i < bestIndex))) {
                    bestValue = r.value;
                    bestIndex = i;
                }
            }
            changed.notify_all();
        };
        const auto work = [&](Searcher& searcher) {
            for (;;) {
                std::size_t k = 0;
                int bound = 0;
                {
                    std::unique_lock<std::mutex> lock(mutex);
                    changed.wait(lock, [&] {
                        return abandoned || !again.empty() || next < order.size() ||
                               (bounded && resolved == order.size());
                    });
                    if (abandoned || (again.empty() && next == order.size())) {
                        return;
                    }
                    if (!again.empty()) {
                        k = again.back();
                        again.pop_back();
                    } else {
                        k = next++;
                    }
                    bound = threshold(order[k]);
                }
                const Child& c = children[order[k]];
                int v = searcher.ChildValue(c, bound, bound + 1, depth - 1);
                if (v > bound) {
                    v = searcher.ChildValue(c, bound, kDeepInfinity, depth - 1);
                }
                const std::lock_guard<std::mutex> lock(mutex);
                if (searcher.Stopped()) {
                    abandoned = true;
                    changed.notify_all();
                    return;
                }
                outcomes[k] = {true, v > bound, v > bound ? v : bound};
                resolve();
            }
        };
        // Short searches are not worth a thread. The helpers start on the other moves while
        // this thread searches the first one.
        const int helpers = depth >= 5 && !main.Stopped()
                                ? std::min(threads - 1, static_cast<int>(order.size()))
                                : 0;
        std::vector<std::thread> pool;
        std::vector<std::uint64_t> nodes(static_cast<std::size_t>(helpers > 0 ? helpers : 0));
        for (int h = 0; h < helpers; ++h) {
            try {
                pool.emplace_back([&, h] {
                    Searcher searcher(t, depth, stop, *lease);
                    work(searcher);
                    nodes[static_cast<std::size_t>(h)] = searcher.Nodes();
                });
            } catch (const std::system_error&) {
                break;  // fewer threads, the same answer
            }
        }
        const int firstValue =
            main.ChildValue(children[first], -kDeepInfinity, kDeepInfinity, depth - 1);
        {
            const std::lock_guard<std::mutex> lock(mutex);
            bestIndex = static_cast<int>(first);
            bestValue = firstValue;
            bounded = true;
            abandoned = abandoned || main.Stopped();
            resolve();
        }
        work(main);
        for (std::thread& thread : pool) {
            thread.join();
        }
        for (const std::uint64_t n : nodes) {
            helperNodes += n;
        }
    }
    result.stopped = main.Stopped();
    result.move = result.stopped || bestIndex < 0
                      ? NoMove
                      : t.squareOfBit[static_cast<std::size_t>(
                            children[static_cast<std::size_t>(bestIndex)].bit)];
    result.value = bestValue;
    result.nodes = 1 + children.size() + main.Nodes() + helperNodes;
    return result;
}

}  // namespace velmora::VELMORA_FAST_VARIANT
