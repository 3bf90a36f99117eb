#include "engine/endgame_solver.h"

#include "engine/endgame_solver_variants.h"
#include "engine/fast_search.h"

namespace velmora {

struct EndgameSolver::Tables {
    explicit Tables(int size, std::size_t bytes)
        : table8(size == 8 ? bytes : 0), table10(size == 10 ? bytes : 0) {}
    SolverTable<8> table8;
    SolverTable<10> table10;
};

EndgameSolver::EndgameSolver(int size, std::size_t tableBytes, FastSearchBuild build)
    : size_(size), build_(build), tables_(std::make_unique<Tables>(size, tableBytes)) {}

EndgameSolver::~EndgameSolver() = default;

void EndgameSolver::ClearTable() {
    tables_->table8.Clear();
    tables_->table10.Clear();
}

namespace {

template <int Size>
SolveResult SolveOn(FastSearchBuild build, SolverTable<Size>& table, const Board& board,
                    int sideToMove, const std::atomic<bool>* stop) {
    switch (build) {
        case FastSearchBuild::Avx512:
            return fast_avx512::SolveVariant<Size>(table, board, sideToMove, stop);
        case FastSearchBuild::Avx2:
            return fast_avx2::SolveVariant<Size>(table, board, sideToMove, stop);
        case FastSearchBuild::Popcnt:
            return fast_popcnt::SolveVariant<Size>(table, board, sideToMove, stop);
        case FastSearchBuild::Portable:
            break;
    }
    return fast_portable::SolveVariant<Size>(table, board, sideToMove, stop);
}

}  // namespace

SolveResult EndgameSolver::Solve(const Board& board, int sideToMove,
                                 const std::atomic<bool>* stop) {
    return size_ == 10 ? SolveOn<10>(build_, tables_->table10, board, sideToMove, stop)
                       : SolveOn<8>(build_, tables_->table8, board, sideToMove, stop);
}

int EmptySquareCount(const Board& board, int size) {
    int empties = 0;
    for (const int square : SquareList(size)) {
        empties += board[static_cast<std::size_t>(square)] == Empty ? 1 : 0;
    }
    return empties;
}

}  // namespace velmora
