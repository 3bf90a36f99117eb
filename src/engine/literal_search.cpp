#include "engine/literal_search.h"

#include <algorithm>

#include "engine/rules.h"

namespace velmora {

template <int Size>
LiteralSearcher<Size>::LiteralSearcher()
    : openingWeights_(OpeningWeights(Size)),
      cornerWeights_(CornerWeights(Size)),
      corners_(CornerNeighbourhoods(Size)) {
    bestMove_.fill(NoMove);
}

template <int Size>
void LiteralSearcher<Size>::SetSettings(const SearchSettings& settings) {
    settings_ = settings;
    depth_ = settings.Depth();
}

template <int Size>
SearchResult LiteralSearcher<Size>::Run(const Board& board, int sideToMove,
                                        const SearchSettings& settings,
                                        const std::atomic<bool>* stop) {
    SetSettings(settings);
    stop_ = stop;
    nodes_ = 0;
    boards_[0] = board;
    bestMove_.fill(NoMove);
    const int rootValue =
        Search(NoMove, Opponent(sideToMove), sideToMove, kSearchWindow, -kSearchWindow, 0);
    SearchResult result;
    result.stopped = stop_ != nullptr && stop_->load(std::memory_order_relaxed);
    result.move = result.stopped ? NoMove : bestMove_[0];
    result.value = -rootValue;
    result.nodes = nodes_;
    return result;
}

template <int Size>
bool LiteralSearcher<Size>::CanMove(const Board& board, int player, int opponent) const {
    for (const int q : MoveOrder(Size)) {
        if (IsLegalOn<Size>(board, q, player, opponent)) {
            return true;
        }
    }
    return false;
}

template <int Size>
int LiteralSearcher<Size>::Search(int move, int mover, int toMove, int beta, int alpha, int ply) {
    ++nodes_;
    // 1. A stop request unwinds the whole tree.
    if (stop_ != nullptr && stop_->load(std::memory_order_relaxed)) {
        return 0;
    }
    // 2. Work on a copy of the parent's board.
    Board& w = boards_[static_cast<std::size_t>(ply + 1)];
    std::copy_n(boards_[static_cast<std::size_t>(ply)].begin(), kCopyCells, w.begin());
    // 3. Play the move that leads here; a leaf is scored from the mover's side.
    if (move != NoMove && ply > 0) {
        MakeMoveOn<Size>(w, move, mover, toMove);
        if (ply == depth_) {
            return Evaluate(w, mover, toMove);
        }
    }
    // 4. A pass into the last ply: the end of the game is scored by the discs.
    if (move == NoMove && ply == depth_) {
        return CanMove(w, toMove, mover) ? Evaluate(w, mover, toMove)
                                         : FinalScore(w, mover, toMove);
    }
    // 5.-6. Try every legal move in the fixed order; only a strictly better value replaces
    // the best, so ties keep the earlier move.
    int& bestMove = bestMove_[static_cast<std::size_t>(ply)];
    bestMove = NoMove;
    int best = alpha;
    int lastLegal = NoMove;
    for (const int q : MoveOrder(Size)) {
        if (!IsLegalOn<Size>(w, q, toMove, mover)) {
            continue;
        }
        lastLegal = q;
        const int v = Search(q, toMove, mover, -best, -beta, ply + 1);
        if (v > best) {
            best = v;
            bestMove = q;
            if (v >= beta) {
                return -v;
            }
        }
    }
    // 7.
    if (lastLegal != NoMove) {
        return -best;
    }
    // 8. No move: two passes in a row end the game, one pass costs a ply.
    if (move == NoMove) {
        return FinalScore(w, mover, toMove);
    }
    const int v = Search(NoMove, toMove, mover, -best, -beta, ply + 1);
    if (v > best) {
        best = v;
    }
    return -best;
}

template <int Size>
int LiteralSearcher<Size>::Evaluate(const Board& board, int side, int other) {
    // 1.-2. The squares next to a corner are weighed by that corner's state.
    bool anyCorner = false;
    for (const CornerNeighbourhood& c : corners_) {
        const bool taken = board[c.corner] != Empty;
        anyCorner = anyCorner || taken;
        const std::int32_t edge = taken ? kTakenCornerEdge : kEmptyCornerEdge;
        cornerWeights_[c.edgeA] = edge;
        cornerWeights_[c.edgeB] = edge;
        cornerWeights_[c.diagonal] = taken ? kTakenCornerDiagonal : kEmptyCornerDiagonal;
    }
    const CellWeights& weights = anyCorner ? cornerWeights_ : openingWeights_;
    // 3.
    int mine = 0;
    int theirs = 0;
    int otherCount = 0;
    for (int cell = FirstSquare(Size); cell <= LastSquare(Size); ++cell) {
        if (board[cell] == side) {
            mine += weights[cell];
        } else if (board[cell] == other) {
            theirs += weights[cell];
            ++otherCount;
        }
    }
    // 4. A wipe-out is worth as much as a won game.
    int value = kWinScore;
    if (otherCount != 0) {
        value = mine - theirs;
        if (settings_.advanced) {
            for (int cell = FirstSquare(Size); cell <= LastSquare(Size); ++cell) {
                value += IsLegalOn<Size>(board, cell, side, other) ? 1 : 0;
            }
        }
    }
    // 5.
    return settings_.novice ? kWinScore - value : value;
}

template <int Size>
int LiteralSearcher<Size>::FinalScore(const Board& board, int side, int other) const {
    int diff = 0;
    for (int cell = FirstSquare(Size); cell <= LastSquare(Size); ++cell) {
        diff += board[cell] == side ? 1 : board[cell] == other ? -1 : 0;
    }
    if (settings_.novice) {
        return kWinScore - diff;
    }
    return diff > 0 ? diff + kWinScore : diff < 0 ? diff - kWinScore : 0;
}

template class LiteralSearcher<8>;
template class LiteralSearcher<10>;

template <int Size>
SearchResult LiteralSearchOn(const Board& board, int sideToMove, const SearchSettings& settings,
                             const std::atomic<bool>* stop) {
    LiteralSearcher<Size> searcher;
    return searcher.Run(board, sideToMove, settings, stop);
}

template SearchResult LiteralSearchOn<8>(const Board&, int, const SearchSettings&,
                                         const std::atomic<bool>*);
template SearchResult LiteralSearchOn<10>(const Board&, int, const SearchSettings&,
                                          const std::atomic<bool>*);

SearchResult LiteralSearch(int size, const Board& board, int sideToMove,
                           const SearchSettings& settings, const std::atomic<bool>* stop) {
    return size == 10 ? LiteralSearchOn<10>(board, sideToMove, settings, stop)
                      : LiteralSearchOn<8>(board, sideToMove, settings, stop);
}

}  // namespace velmora
