#pragma once

#include <atomic>

#include "engine/board.h"
#include "engine/endgame_solver.h"
#include "engine/endgame_table.h"

namespace velmora {

// The solver built once per instruction set, beside the fast search of the same build.
#define VELMORA_DECLARE_SOLVE_VARIANT(ns)                                                  \
    namespace ns {                                                                         \
    template <int Size>                                                                    \
    SolveResult SolveVariant(SolverTable<Size>& table, const Board& board, int sideToMove, \
                             const std::atomic<bool>* stop);                               \
    }
VELMORA_DECLARE_SOLVE_VARIANT(fast_avx512)
VELMORA_DECLARE_SOLVE_VARIANT(fast_avx2)
VELMORA_DECLARE_SOLVE_VARIANT(fast_popcnt)
VELMORA_DECLARE_SOLVE_VARIANT(fast_portable)
#undef VELMORA_DECLARE_SOLVE_VARIANT

}  // namespace velmora
