#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "engine/board.h"

namespace velmora {

struct SampledPosition {
    Board board{};
    int size = 8;
    int sideToMove = White;
    int ply = 0;  // moves and passes before it (self-play positions only)
};

// Positions met along random games from the start position, spread from the opening to the
// end: some with the side to move forced to pass, some finished, some with one side
// nearly wiped out (a share of the moves greedily flips the most discs). The same seed
// gives the same positions on every platform.
std::vector<SampledPosition> SampleRandomPositions(int size, std::size_t count, std::uint32_t seed);

// Boards that no game reaches: every playing square, the centre included, drawn at random,
// often with one side down to a disc or two. They probe the corners of the rules that games
// rarely visit (empty centre squares, lone discs, immediate wipe-outs).
std::vector<SampledPosition> SampleRandomBoards(int size, std::size_t count, std::uint32_t seed);

// Positions from the engine's own games against itself at the given level (level 0 plays
// as the novice), each game opened by a few random moves so that no two are alike, taken
// at random plies from the opening to the last move, passes included. The same seed gives
// the same positions on every platform and with every engine.
std::vector<SampledPosition> SampleSelfPlayPositions(int size, bool advanced, int level,
                                                     std::size_t count, std::uint32_t seed);

}  // namespace velmora
