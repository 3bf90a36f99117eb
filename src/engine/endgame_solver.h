#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>

#include "engine/board.h"
#include "engine/fast_search.h"

namespace velmora {

struct SolveResult {
    // A best square; NoMove when the side to move must pass, the game is over, or the solve
    // was stopped.
    int move = NoMove;
    // The final disc difference (the side to move's discs less the opponent's) when both
    // sides play perfectly from here.
    int value = 0;
    std::uint64_t nodes = 0;
    bool stopped = false;
};

// The exact endgame solver: alpha-beta on the final disc difference over bitboards. Each
// solver owns its transposition table, kept from one solve to the next (positions of one
// game share much of their trees); nothing is shared with the game's search or with other
// solvers, so one solver per thread.
class EndgameSolver {
  public:
    static constexpr std::size_t kDefaultTableBytes = std::size_t{32} << 20;

    // tableBytes bounds the transposition table; the default suits a whole game's analysis.
    // The build is the fast search's build whose move generator the solver uses.
    explicit EndgameSolver(int size, std::size_t tableBytes = kDefaultTableBytes,
                           FastSearchBuild build = SelectedFastSearchBuild());
    ~EndgameSolver();
    EndgameSolver(const EndgameSolver&) = delete;
    EndgameSolver& operator=(const EndgameSolver&) = delete;

    int Size() const { return size_; }
    // The board must be of the solver's size. stop may be null.
    SolveResult Solve(const Board& board, int sideToMove, const std::atomic<bool>* stop);
    // Forgets every position searched so far.
    void ClearTable();

  private:
    struct Tables;
    int size_;
    FastSearchBuild build_;
    std::unique_ptr<Tables> tables_;
};

// The empty playing squares of a board.
int EmptySquareCount(const Board& board, int size);

}  // namespace velmora
