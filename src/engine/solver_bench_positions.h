#pragma once

#include <span>

#include "engine/bench_positions.h"

namespace velmora {

// Ten 8 x 8 positions with 20 empty squares, from games between the computer's levels after
// a few random opening moves: velmora-engine solve --bench times the endgame solver on them.
std::span<const BenchPosition> SolverBenchPositions();

}  // namespace velmora
