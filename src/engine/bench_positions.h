#pragma once

#include <span>

namespace velmora {

// Positions from computer-against-computer games, opening to ending, on which the engine's
// speed is measured: the bench command and the benchmark programs search them at level 9.
struct BenchPosition {
    int size;
    const char* board;  // BoardToText form
    int sideToMove;
    int ply;  // moves played before it
};

std::span<const BenchPosition> BenchPositions();

}  // namespace velmora
