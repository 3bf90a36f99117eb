#pragma once

#include "engine/board.h"

namespace velmora {

// The size-specific routines, so that the hot loops of each board size are compiled
// with their stride as a constant.
struct Routines {
    int size;
    void (*initBoard)(Board& board, int size);
    bool (*isLegal)(const Board& board, int square, int player, int opponent);
    void (*makeMove)(Board& board, int square, int player, int opponent);
};

const Routines& SelectRoutines(int size);

}  // namespace velmora
