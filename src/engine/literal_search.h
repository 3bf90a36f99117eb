#pragma once

#include <array>
#include <atomic>
#include <cstdint>

#include "engine/board.h"
#include "engine/evaluation_weights.h"
#include "engine/search_settings.h"

namespace velmora {

// Fixed-depth negamax with alpha-beta on the mailbox board, kept exactly as the game's
// engine has always searched: the faster search is checked against it move for move.
// Each searcher owns its work boards, its best-move line and its copy of the corner
// weights, so several can run at once.
template <int Size>
class LiteralSearcher {
  public:
    LiteralSearcher();

    // Searches for sideToMove on board. The board must be well formed (Border ring).
    SearchResult Run(const Board& board, int sideToMove, const SearchSettings& settings,
                     const std::atomic<bool>* stop = nullptr);

    // From side's point of view, with the settings of the last Run (or the ones given).
    int Evaluate(const Board& board, int side, int other);
    int FinalScore(const Board& board, int side, int other) const;

    void SetSettings(const SearchSettings& settings);
    int BestMove(int ply) const { return bestMove_[static_cast<std::size_t>(ply)]; }
    std::uint64_t Nodes() const { return nodes_; }

  private:
    static constexpr int kCopyCells = Size == 8 ? 100 : kBoardCells;

    int Search(int move, int mover, int toMove, int beta, int alpha, int ply);
    bool CanMove(const Board& board, int player, int opponent) const;

    // Board 0 is the position searched; the node at ply k works on board k + 1.
    std::array<Board, 11> boards_{};
    std::array<int, 10> bestMove_{};
    CellWeights openingWeights_;
    CellWeights cornerWeights_;
    std::array<CornerNeighbourhood, 4> corners_;
    SearchSettings settings_;
    int depth_ = 1;
    const std::atomic<bool>* stop_ = nullptr;
    std::uint64_t nodes_ = 0;
};

extern template class LiteralSearcher<8>;
extern template class LiteralSearcher<10>;

// One search on a fresh searcher.
template <int Size>
SearchResult LiteralSearchOn(const Board& board, int sideToMove, const SearchSettings& settings,
                             const std::atomic<bool>* stop);
SearchResult LiteralSearch(int size, const Board& board, int sideToMove,
                           const SearchSettings& settings, const std::atomic<bool>* stop);

}  // namespace velmora
